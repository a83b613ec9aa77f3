#pragma once
// The headless backend: a clock that tests advance, scripted keys and pad, a renderer that
// records what it was asked to draw, and silent audio. Deterministic by construction.
#include <functional>
#include <string>
#include <vector>

#include "../platform.h"

class HeadlessTimer : public PlatformTimer {
public:
    uint32_t ticks() override { return now; }
    // Sleeping advances the clock, so a wait loop ends.
    void sleep(uint32_t ms) override {
        now += ms;
        sleeps += 1;
    }
    void advance(uint32_t ms) { now += ms; }

    uint32_t now = 0;
    int sleeps = 0;
};

class HeadlessInput : public PlatformInput {
public:
    bool readKeys(uint8_t out[256]) override;
    bool readPad(KPadState& out) override;
    uint32_t readViewerKeys() override { return viewerKeys; }

    uint8_t keys[256] = {};
    uint32_t viewerKeys = 0; // KV_ bits held
    bool padAttached = false;
    KPadState pad;
    bool keysFail = false;
};

class RecordingRenderer : public PlatformRenderer {
public:
    struct Draw {
        int slot;
        KBlend blend;
        std::vector<KVertex> vertices;
    };

    bool createTexture(int slot, const uint8_t* data, size_t size, uint32_t colourKey) override;
    void releaseTexture(int slot) override;
    void bindTexture(int slot) override { bound = slot; }
    void setBlend(KBlend b) override { blend = b; }
    void drawTriangles(const KVertex* vertices, int count) override;
    void clear(uint32_t rgb) override;
    void present() override {
        presents += 1;
        if (onPresent) onPresent();
    }
    void showLastPicture(uint32_t shade) override {
        reshows += 1;
        reshowShade = shade;
    }

    // Recording every vertex costs memory; batch tools switch it off and only count.
    bool keepDraws = true;
    std::vector<Draw> draws;
    int drawCalls = 0;
    int presents = 0;
    // A stand-in for a display that makes presenting wait (its refresh), when a test sets it.
    std::function<void()> onPresent;
    int reshows = 0;
    uint32_t reshowShade = 0;
    int clears = 0;
    uint32_t clearColour = 0;
    int bound = -1;
    KBlend blend = KBlend::Alpha;
    bool textures[16] = {};
};

class SilentAudio : public PlatformAudio {
public:
    bool open() override { return available; }
    void close() override {}
    bool loadEffect(int slot, const char* path) override;
    void playEffect(int slot) override { played.push_back(slot); }
    void stopEffects() override {}
    bool loadMusic(const char* path) override;
    void playMusic(bool loop) override { playing = true, looping = loop; }
    void stopMusic() override { playing = false; }
    void setMusicVolume(float v) override { volume = v; }
    float musicVolume() override { return volume; }
    void fadeOutMusic(int) override { playing = false; }
    void setLevels(int e, int m) override { effectLevel = e, musicLevel = m; }
    void pause(bool p) override { paused = p; }

    bool available = true;
    std::vector<int> played;
    std::string music;
    bool playing = false, looping = false;
    float volume = 1.0f;
    int effectLevel = 100, musicLevel = 100;
    bool paused = false;
};

// A window that only reports the events a test queues; not installed unless a test asks.
class HeadlessWindow : public PlatformWindow {
public:
    bool create(const char*, int, int, const KWindowSettings& s) override {
        settings = s;
        return true;
    }
    bool createDevice(bool w) override {
        settings.windowed = w;
        return gPlatform.renderer != nullptr;
    }
    void destroyDevice() override {}
    void show() override {}
    void setWindowed(bool w) override { settings.windowed = w; }
    bool vsync() const override { return settings.vsync; }
    double refreshRate() const override { return hz; }
    // A new scale sizes the window afresh, as the picture times the scale.
    void setScale(int scale) override {
        settings.scale = scale < maxScale ? scale : maxScale;
        settings.width = settings.height = 0;
    }
    int scale() const override { return settings.scale; }
    void setVsync(bool on) override { settings.vsync = on; }
    void position(int& left, int& top) override { left = settings.left, top = settings.top; }
    void size(int& w, int& h) override { w = settings.width, h = settings.height; }
    KWindowEvents handleEvents() override {
        const KWindowEvents e = next;
        next = KWindowEvents{};
        return e;
    }
    void idle(uint32_t ms) override { idled += ms; }
    std::vector<std::string> preferredLocales() override { return locales; }

    KWindowSettings settings;
    std::vector<std::string> locales; // the desktop's languages, as a test sets them
    double hz = 0.0;                  // the display's refresh rate as reported
    int maxScale = 4;                 // the largest scale the pretended display holds
    KWindowEvents next;               // reported by the next handleEvents(), then cleared
    uint32_t idled = 0;
};

// One headless platform, installed into gPlatform for its lifetime.
struct HeadlessPlatform {
    HeadlessPlatform();
    ~HeadlessPlatform();
    // Another backend in place of the recording renderer or the silent audio, for as long as
    // this platform is installed: a headless run that makes real pictures or logs its sound.
    void useRenderer(PlatformRenderer& other) { gPlatform.renderer = &other; }
    void useAudio(PlatformAudio& other) { gPlatform.audio = &other; }
    HeadlessTimer timer;
    HeadlessInput input;
    RecordingRenderer renderer;
    SilentAudio audio;
    HeadlessWindow window; // gPlatform.window stays null until a test installs it
};
