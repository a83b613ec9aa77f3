#include "media_run.h"

#include "graphics.h"
#include "media.h"
#include "sound.h"

ZTMediaRun::ZTMediaRun(bool withPictures) : pictures(withPictures) {
    if (pictures) {
        if (!renderer.openSoftware(kPictureWidth, kPictureHeight)) return;
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
    voxInitialize(true);
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

ZTReplayOutcome ZTMediaRun::play(const std::vector<uint32_t>& words, ZTLanguage language,
                                 uint32_t frames, const FrameSink& sink) {
    if (!ready) return {};
    bool stopped = false;
    ZTReplayHooks hooks;
    // Requests made while frame n runs sound from the start of its picture, sample n x 735
    // counting frames from 0; those of the game start fall into the first frame.
    hooks.before = [&](uint32_t frame) { audio.frame = frame - 1; };
    hooks.after = [&](uint32_t frame) {
        // The program's pace: the headless timer moves on while the clock waits for its slot.
        clock.kuWait();
        clock.kuCount();
        if (!sink) return;
        const uint32_t* argb = nullptr;
        if (pictures) {
            int w = 0, h = 0;
            if (renderer.readPixels(pixels, w, h) && w == kPictureWidth && h == kPictureHeight) {
                // The window shows no transparency; passes drawn without blending may leave
                // alpha below opaque in the buffer.
                for (uint32_t& p : pixels) p |= 0xFF000000u;
                argb = pixels.data();
            }
        }
        stopped = !sink(frame, argb);
    };
    hooks.stop = [&](uint32_t) { return stopped; };
    audio.frame = 0;
    audio.events.clear();
    return runner->play(words, language, frames, hooks);
}
