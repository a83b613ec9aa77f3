#include "media_run.h"

#include "graphics.h"
#include "media.h"
#include "sound.h"

ZTMediaRun::ZTMediaRun(bool withPictures, bool fastDrawing, bool music) : pictures(withPictures) {
    if (pictures) {
        if (!renderer.openSoftware(kPictureWidth, kPictureHeight)) return;
        renderer.keepOpaqueFirstDraw(fastDrawing);
        renderer.drawTrianglesHere(fastDrawing);
        platform.useRenderer(renderer);
        ztLoadTextures();
    } else {
        platform.renderer.keepDraws = false;
    }
    platform.useAudio(audio);
    // A clock that has been running a while, as the program's does.
    platform.timer.now = 1000;
    gFrameClock = &clock;
    // As the program starts its sound, with the music switched on.
    voxInitialize(music);
    voxSetVolume(0.6f);
    if (kwInitializeWave()) ztLoadEffects();
    runner = std::make_unique<ZTReplayRunner>();
    ready = true;
}

ZTMediaRun::~ZTMediaRun() {
    runner.reset();
    gFrameClock = nullptr;
    kwDisposeWave();
    voxDispose();
    if (pictures) kxDisposeTexture();
}

bool ZTMediaRun::readPicture(std::vector<uint32_t>& argb) {
    int w = 0, h = 0;
    return pictures && renderer.readPixels(argb, w, h) && w == kPictureWidth && h == kPictureHeight;
}

ZTReplayOutcome ZTMediaRun::play(const std::vector<uint32_t>& words, ZTLanguage language,
                                 uint32_t frames, const FrameSink& sink, uint32_t first) {
    FrameReader reader;
    if (sink)
        reader = [&](uint32_t frame) {
            const uint32_t* argb = nullptr;
            if (readPicture(pixels)) {
                // The window shows no transparency; passes drawn without blending may leave
                // alpha below opaque in the buffer.
                for (uint32_t& p : pixels) p |= 0xFF000000u;
                argb = pixels.data();
            }
            return sink(frame, argb);
        };
    return playReading(words, language, frames, reader, first);
}

ZTReplayOutcome ZTMediaRun::playField(int field, int tail, uint32_t frames, const FrameSink& sink) {
    if (!ready) return {};
    bool stopped = false;
    ZTReplayHooks hooks;
    hooks.drawn = [&](uint32_t) { return pictures; };
    hooks.after = [&](uint32_t frame) {
        clock.kuWait();
        clock.kuCount();
        const uint32_t* argb = nullptr;
        if (readPicture(pixels)) {
            for (uint32_t& p : pixels) p |= 0xFF000000u;
            argb = pixels.data();
        }
        if (sink) stopped = !sink(frame, argb);
    };
    hooks.stop = [&](uint32_t) { return stopped; };
    audio.frame = 0;
    audio.events.clear();
    return runner->field(field, tail, frames, hooks);
}

ZTReplayOutcome ZTMediaRun::playReading(const std::vector<uint32_t>& words, ZTLanguage language,
                                        uint32_t frames, const FrameReader& sink, uint32_t first) {
    if (!ready) return {};
    bool stopped = false;
    ZTReplayHooks hooks;
    // Requests made while frame n runs sound from the start of its picture, sample n x 735
    // counting frames from 0; those of the game start fall into the first frame.
    hooks.before = [&](uint32_t frame) { audio.frame = frame - 1; };
    hooks.drawn = [&](uint32_t frame) { return pictures && frame >= first; };
    hooks.after = [&](uint32_t frame) {
        // The program's pace: the headless timer moves on while the clock waits for its slot.
        clock.kuWait();
        clock.kuCount();
        if (sink && frame >= first) stopped = !sink(frame);
    };
    hooks.stop = [&](uint32_t) { return stopped; };
    audio.frame = 0;
    audio.events.clear();
    return runner->play(words, language, frames, hooks);
}
