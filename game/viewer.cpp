#include "viewer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "ascii.h"
#include "creator.h"
#include "engine.h"
#include "graphics.h"
#include "input.h"
#include "platform/platform.h"
#include "sound.h"
#include "sprite.h"
#include "work.h"

ZTReplayViewer* gViewer = nullptr;

namespace {

// The scenes a replay passes through; asking for any other ends it.
bool inPlay(int scene) {
    return scene == ZT_SCENE_KAIWA || scene == ZT_SCENE_GAME || scene == ZT_SCENE_RESTART ||
           scene == ZT_SCENE_NEXTER;
}

// Takes the sound requests of frames played silently and keeps only where the music ends up,
// so that after a jump the music is the one the play has there.
class MutedAudio : public PlatformAudio {
public:
    explicit MutedAudio(PlatformAudio* real) : real(real), volume(real ? real->musicVolume() : 1) {}
    bool open() override { return true; }
    void close() override {}
    bool loadEffect(int, const char*) override { return true; }
    void playEffect(int) override {}
    void stopEffects() override {}
    bool loadMusic(const char* path) override {
        track = path, playing = false, changed = true;
        return true;
    }
    void playMusic(bool loop) override { playing = true, looping = loop, changed = true; }
    void stopMusic() override { playing = false, changed = true; }
    void setMusicVolume(float v) override { volume = v; }
    float musicVolume() override { return volume; }
    // A fade ends in silence; the jump lands after it.
    void fadeOutMusic(int) override { playing = false, changed = true; }
    void setLevels(int, int) override {}
    void pause(bool) override {}

    // What was sounding stops; the music becomes the play's music at the frame reached.
    void apply() {
        if (!real) return;
        real->stopEffects();
        if (!changed) return;
        real->stopMusic();
        if (playing && real->loadMusic(track.c_str())) {
            real->setMusicVolume(volume);
            real->playMusic(looping);
        }
    }

private:
    PlatformAudio* real;
    std::string track;
    bool playing = false, looping = false, changed = false;
    float volume;
};

// No live keys while frames are played silently: only the recorded words drive them.
class NoInput : public PlatformInput {
public:
    bool readKeys(uint8_t keys[256]) override {
        for (int i = 0; i < 256; ++i) keys[i] = 0;
        return true;
    }
    bool readPad(KPadState&) override { return false; }
};

// While it lives, frames make no sound and read no keys.
class Silence {
public:
    Silence() : audio(gPlatform.audio), input(gPlatform.input), muted(audio) {
        if (audio) gPlatform.audio = &muted;
        gPlatform.input = &none;
    }
    ~Silence() {
        gPlatform.audio = audio;
        gPlatform.input = input;
        muted.apply();
    }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

private:
    PlatformAudio* audio;
    PlatformInput* input;
    MutedAudio muted;
    NoInput none;
};

void drawViewerOverlay() {
    if (gViewer) gViewer->drawOverlay();
}

constexpr const char* kSpeedNames[ZTReplayViewer::kSpeedCount] = {"x1/4", "x1/2", "x1",
                                                                  "x2",   "x4",   "x8"};

} // namespace

void ZTReplayViewer::begin() {
    on = true;
    scanned = false;
    paused = false;
    dirty = false;
    stepOnce = false;
    speedIndex = kNormalSpeed;
    turn = 0;
    played = 0;
    keysHeld = gPlatform.input ? gPlatform.input->readViewerKeys() : 0;
    startPlayNow = gInput ? gInput->kimPlayNow : 0;
    frames = gInput ? static_cast<uint32_t>(gInput->kimPlayBuf.size()) : 0;
    starts.clear();
}

void ZTReplayViewer::stop() {
    on = false;
    paused = false;
}

void ZTReplayViewer::restart() {
    keDisposeKilnEngine();
    KECreator* creator = keCreator;
    // The playback side as the selection left it when the play began.
    gInput->kimPlayNow = startPlayNow;
    gWork->startGame({.mode = ZTPlayMode::Replay});
    keInitializeKilnEngine(creator, ZT_SCENE_KAIWA);
    played = 0;
}

void ZTReplayViewer::scan() {
    scanned = true;
    Silence silence;
    restart();
    // One frame past the last word, as the checker plays: a play still running then has
    // gone astray, and the bar ends there.
    const uint32_t limit = frames + 1;
    int32_t field = 0;
    starts.clear();
    while (played < limit) {
        const ZTFrameResult r = ztFrameStep(false);
        played += 1;
        if (keSceneNumber == ZT_SCENE_GAME && gWork->field != field) {
            field = gWork->field;
            starts.push_back(played);
        }
        if (r.quit || r.sceneMissing || !inPlay(keNextScene)) break;
    }
    frames = played;
    restart();
}

void ZTReplayViewer::runSilently(uint32_t count) {
    for (uint32_t i = 0; i < count && on; ++i) {
        const ZTFrameResult r = ztFrameStep(false);
        played += 1;
        if (r.quit || r.sceneMissing || !inPlay(keNextScene)) stop();
    }
}

void ZTReplayViewer::jumpTo(uint32_t target) {
    if (!on) return;
    if (!scanned) scan();
    if (target < 1) target = 1;
    if (frames > 1 && target > frames - 1) target = frames - 1;
    {
        Silence silence;
        if (target < played) restart();
        runSilently(target - played);
        // A frame that ended its scene leaves nothing to show: the next one starts the new one.
        if (on && !keScene) runSilently(1);
    }
    dirty = true;
}

void ZTReplayViewer::slower() {
    if (speedIndex > 0) speedIndex -= 1;
    dirty = true;
}

void ZTReplayViewer::faster() {
    if (speedIndex < kSpeedCount - 1) speedIndex += 1;
    dirty = true;
}

void ZTReplayViewer::step() {
    paused = true;
    stepOnce = true;
    dirty = true;
}

void ZTReplayViewer::skip(bool forward) {
    if (forward)
        jumpTo(played + kSkipFrames);
    else
        jumpTo(played > kSkipFrames ? played - kSkipFrames : 1);
}

void ZTReplayViewer::toFieldStart() {
    uint32_t target = 1;
    for (uint32_t s : starts)
        if (s <= played) target = s;
    jumpTo(target);
}

void ZTReplayViewer::handleKeys() {
    const uint32_t held = gPlatform.input ? gPlatform.input->readViewerKeys() : 0;
    const uint32_t pushed = held & ~keysHeld;
    keysHeld = held;
    if (pushed & KV_SLOWER) slower();
    if (pushed & KV_FASTER) faster();
    if (pushed & KV_PAUSE) togglePause();
    if (pushed & KV_STEP) step();
    if (pushed & KV_BACK) skip(false);
    if (pushed & KV_FORWARD) skip(true);
    if (pushed & KV_FIELD_START) toFieldStart();
}

ZTFrameResult ZTReplayViewer::runFrame(bool drawn, bool escapeToMenu) {
    const ZTFrameResult r = ztFrameStep(drawn, escapeToMenu, drawViewerOverlay);
    played += 1;
    if (drawn) dirty = false;
    if (r.quit || r.sceneMissing || !inPlay(keNextScene)) stop();
    return r;
}

ZTFrameResult ZTReplayViewer::idleTurn(bool drawn) {
    ZTFrameResult r;
    // No frame runs, so the live keys are read here: the fire button still ends the replay
    // at once, and Escape still ends the program.
    gInput->kiPollLive();
    if (gInput->kiIsHeld(KI_ESCAPE)) {
        r.quit = true;
        keEndScene();
        stop();
        return r;
    }
    if (keSceneNumber == ZT_SCENE_GAME && gInput->kiIsPushed(KI_BUTTON1)) {
        voxStop();
        keNextScene = ZT_SCENE_TITLE;
        keEndScene();
        stop();
        return r;
    }
    if (drawn && dirty && keScene) {
        kxClear(gWork->clearColor);
        keScene->keDraw();
        drawOverlay();
        kxPresent();
        dirty = false;
    }
    return r;
}

ZTFrameResult ZTReplayViewer::tick(bool drawn, bool escapeToMenu) {
    // Left for a scene outside the play (the pause menu's way to the title, say): done.
    if (on && scanned && !inPlay(keNextScene)) stop();
    if (!on) return ztFrameStep(drawn, escapeToMenu);
    if (!scanned) scan();
    handleKeys();
    if (!on) return {};
    uint32_t count = 0;
    if (paused) {
        count = stepOnce ? 1 : 0;
    } else {
        const int quarters = kSpeeds[speedIndex];
        count = quarters >= 4 ? static_cast<uint32_t>(quarters / 4)
                              : (turn % static_cast<uint32_t>(4 / quarters) == 0 ? 1 : 0);
    }
    turn += 1;
    stepOnce = false;
    if (count == 0) return idleTurn(drawn);
    ZTFrameResult r;
    for (uint32_t i = 0; i < count && on; ++i) r = runFrame(drawn && i + 1 == count, escapeToMenu);
    return r;
}

void ZTReplayViewer::drawOverlay() {
    if (!gSprite || !gAscii) return;
    // Dark strips over the wall for the keys (under the score line) and for the bar with the
    // speed and the time (over the bottom line), then the bar: frames played against the
    // length, a mark at each field's start.
    if (PlatformRenderer* r = gPlatform.renderer) {
        std::vector<KVertex>& v = overlay;
        v.clear();
        auto quad = [&v](float x0, float y0, float x1, float y1, uint32_t colour) {
            const KVertex c[4] = {{x0, y0, 1, 1, colour, 0, 0},
                                  {x1, y0, 1, 1, colour, 0, 0},
                                  {x0, y1, 1, 1, colour, 0, 0},
                                  {x1, y1, 1, 1, colour, 0, 0}};
            v.insert(v.end(), {c[0], c[1], c[2], c[2], c[1], c[3]});
        };
        quad(0, 16, 640, 33, 0xC0000000);
        quad(0, 445, 640, 464, 0xC0000000);
        constexpr float left = 32, right = 608, top = 449, bottom = 453;
        const float length = static_cast<float>(frames > 0 ? frames : 1);
        const auto at = [&](uint32_t frame) {
            return left +
                   (right - left) * static_cast<float>(frame < frames ? frame : frames) / length;
        };
        quad(left, top, right, bottom, 0xFF505050);
        quad(left, top, at(played), bottom, 0xFFFFD040);
        for (uint32_t s : starts) quad(at(s) - 1, top - 3, at(s) + 1, bottom + 2, 0xFFFFFFFF);
        kxSetBlend(KBlend::Alpha);
        r->bindTexture(-1);
        r->drawTriangles(v.data(), static_cast<int>(v.size()));
    }
    KilnAscii& a = *gAscii;
    const int oldScale = a.scale;
    const uint32_t oldColour = a.colour;
    a.scale = 1;
    a.colour = 0xFFFFFFFF;
    a.kaPrintAt(2, 2, "-/= SPEED  SPACE PAUSE  . STEP  PGUP/PGDN 10S  HOME FIELD  Z END");
    a.kaPrintAt(2, 3, "PAD LT/RT SPEED  R3 PAUSE  L3 STEP  RSTICK L/R 10S  UP FIELD  A END");
    a.colour = 0xFFFFE080;
    char line[48];
    std::snprintf(line, sizeof line, "%s%s", kSpeedNames[speedIndex], paused ? "  PAUSED" : "");
    a.kaPrintAt(4, 57, line);
    const uint32_t now = played / 60, total = frames / 60;
    std::snprintf(line, sizeof line, "%u:%02u / %u:%02u", now / 60, now % 60, total / 60,
                  total % 60);
    a.kaPrintAt(76 - static_cast<int>(std::strlen(line)), 57, line);
    a.scale = oldScale;
    a.colour = oldColour;
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}
