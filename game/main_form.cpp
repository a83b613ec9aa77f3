#include "main_form.h"

#include <algorithm>
#include <cstdio>

#include "ascii.h"
#include "config.h"
#include "engine.h"
#include "file.h"
#include "frame.h"
#include "graphics.h"
#include "input.h"
#include "language.h"
#include "log.h"
#include "media.h"
#include "platform/platform.h"
#include "sound.h"
#include "sprite.h"
#include "winplace.h"

namespace {
constexpr const char* kConfigPath = "./zent.ini";
constexpr const char* kLogPath = "_ZT_Debug.log";
constexpr int kWidth = 640;
constexpr int kHeight = 480;

void stopWithMessage(const char* message) {
    std::fprintf(stderr, "zentaku: %s\n", message);
    klWrite(" [ERR] ");
    klWrite(message);
    klWrite("\n");
}
} // namespace

TForm1::TForm1() {
    gForm = this;
    gWork = &work;
    gFrameClock = &clock;
    gViewer = &viewer;

    ZTConfig config;
    // A first start has no configuration yet: it speaks the desktop's language when the game
    // has it, and English otherwise. A file from before there was a choice keeps Japanese.
    const bool firstStart = !kfExist(kConfigPath);
    // A file that is there but cannot be read is the player's still: it is not replaced at exit.
    ztReadConfig(kConfigPath, config, &configError);
    if (firstStart && gPlatform.window)
        config.language = ztLanguageForLocales(gPlatform.window->preferredLocales(), ztLanguages());
    gLanguage = config.language;
    windowMode = config.windowMode;
    refreshRate = config.refreshRate;
    drawInterval = config.drawInterval;
    spriteOffset = config.spriteOffset;
    bgmEnabled = config.bgmEnabled;
    stage = config.stage;
    tailCount = config.tailCount;
    formTop = config.top;
    formLeft = config.left;
    scale = config.scale;
    // The saved size, unless the scale was changed by hand since: then the scale decides.
    if (std::max(1, std::min(config.width / kWidth, config.height / kHeight)) == scale)
        formWidth = config.width, formHeight = config.height;
    focusPause = config.focusPause;
    vsync = config.vsync;
    seVolume = config.seVolume;
    bgmVolume = config.bgmVolume;
    bool windowReady = true;
    if (gPlatform.window) {
        KWindowSettings settings;
        settings.left = formLeft, settings.top = formTop;
        settings.windowed = windowMode;
        settings.scale = scale;
        settings.width = formWidth, settings.height = formHeight;
        settings.vsync = vsync;
        windowReady = gPlatform.window->create("Zentaku", kWidth, kHeight, settings);
    }

    klOpen(kLogPath);
    klWrite("Zentaku Debug Log.\n\n");
    // The work read its files before there was a log: say now what went wrong there.
    if (work.scoreFileUnreadable)
        klWrite(" score.dat could not be read (" + work.scoreFileError +
                "): the table is empty and the file is kept\n");
    if (!configError.empty())
        klWrite(std::string(" ") + kConfigPath + " could not be read (" + configError +
                "): the defaults are used and the file is kept\n");
    // What saves cut short by a crash left behind; a running copy's files are not touched.
    for (const char* folder : {".", "dat", "rep"}) kfRemoveStale(folder);

    kwinClear();
    kwinSaveAll();

    const bool deviceReady = windowReady && kxInitializeX(windowMode, kWidth, kHeight, refreshRate);
    ztLoadTextures();

    gSprite = new KilnSprite(kCellCount, 4096, 4096, kTextureSlots, spriteOffset);
    gSprite->kspClear();
    gSprite->kspClear3D();
    kspDefineAllCells(*gSprite);
    gAscii = new KilnAscii(kFontFirstCell);

    kiInitializeInput();
    if (gPlatform.input) gPlatform.input->openDevices();
    gInput->kimBindings = config.bindings;

    if (gPlatform.audio) gPlatform.audio->setLevels(seVolume, bgmVolume);
    voxInitialize(bgmEnabled);
    voxSetVolume(0.6f);
    if (kwInitializeWave()) ztLoadEffects();

    keInitializeKilnEngine(&creator, 0);

    running = true;
    skipWait = false;
    frameCount = 0;
    if (!deviceReady) {
        // Nothing could be shown: stop before the first frame, through the normal shutdown.
        stopWithMessage(windowReady ? "the graphics device could not be created"
                                    : "the window could not be created");
        running = false;
        exitCode = 2;
        return;
    }
    if (gPlatform.window) gPlatform.window->show();
}

TForm1::~TForm1() {
    keDisposeKilnEngine();
    kwDisposeWave();
    voxDispose();
    kiDisposeInput();
    delete gAscii;
    gAscii = nullptr;
    delete gSprite;
    gSprite = nullptr;
    kxDisposeTexture();
    kxDisposeX();
    kwinRestoreAll();
    kwinDeleteAll();

    saveConfig();
    if (gFrameClock == &clock) gFrameClock = nullptr;
    if (gViewer == &viewer) gViewer = nullptr;
    if (gForm == this) gForm = nullptr;
    if (gWork == &work) gWork = nullptr; // the members go next: work first, then the clock
}

bool TForm1::saveConfig() {
    if (gPlatform.window) {
        gPlatform.window->position(formLeft, formTop);
        int w = 0, h = 0;
        gPlatform.window->size(w, h);
        if (w >= kWidth && h >= kHeight) {
            // A window the player resized keeps its size; its picture's factor is the scale.
            formWidth = w, formHeight = h;
            scale = std::min(w / kWidth, h / kHeight);
        }
    }
    ZTConfig config;
    config.windowMode = windowMode;
    config.refreshRate = refreshRate;
    config.drawInterval = drawInterval;
    config.spriteOffset = spriteOffset;
    config.bgmEnabled = bgmEnabled;
    config.stage = stage;
    config.tailCount = tailCount;
    config.top = formTop;
    config.left = formLeft;
    config.width = formWidth;
    config.height = formHeight;
    config.scale = scale;
    config.focusPause = focusPause;
    config.vsync = vsync;
    config.seVolume = seVolume;
    config.bgmVolume = bgmVolume;
    config.language = gLanguage;
    if (gInput) config.bindings = gInput->kimBindings;
    // A file that was there but could not be read is the player's still: never replaced in this
    // run, not at exit and not from the settings screens.
    if (!configError.empty()) {
        klWrite(std::string(" ") + kConfigPath + " could not be read at start (" + configError +
                "): it is kept as it is, not replaced by the defaults\n");
        return false;
    }
    if (ztWriteConfig(kConfigPath, config)) return true;
    std::fprintf(stderr, "zentaku: could not write %s\n", kConfigPath);
    return false;
}

TForm1::LogCloser::~LogCloser() {
    klClose();
}

bool TForm1::AppIdle() {
    if (!running) return false;
    bool redrawPause = false;
    if (PlatformWindow* window = gPlatform.window) {
        const KWindowEvents events = window->handleEvents();
        // The close box ends the program the way Escape does; the shutdown ends the live scene.
        if (events.close) {
            klWrite("<TForm1::FormClose>\n");
            running = false;
            return false;
        }
        if (events.switchScreen) {
            windowMode = !windowMode;
            window->setWindowed(windowMode);
        }
        const bool wasPaused = paused;
        // While the controls screen waits for a key, P and Start are keys like the others.
        if (events.pause && !menu.capturing())
            setPaused(!paused);
        else if (events.focusLost && focusPause)
            setPaused(true);
        redrawPause = paused && (!wasPaused || events.exposed || events.switchScreen);
    }
    if (paused) return pausedIdle(redrawPause);

    frameCount += 1;
    bool drawn = false;
    if (frameCount >= drawInterval) {
        drawn = true;
        frameCount = 0;
    }
    // Where presenting waits for the display, the pacer keeps the logic at 60 frames a second
    // and draws every frame the display can show. A fast-forward draws a frame only once 1/60 s
    // has passed since the last present ended, so that the present's wait never holds it back:
    // counted from the present's start, a present that waits a whole refresh would have every
    // frame drawn and the fast-forward run no faster than the display.
    PlatformWindow* window = gPlatform.window;
    const bool paced = window && window->vsync() && gPlatform.timer;
    if (paced && !wasPaced) pacer.kuRestart();
    wasPaced = paced;
    if (paced && skipWait) {
        const uint32_t now = gPlatform.timer->ticks();
        drawn = drawn && now - lastDrawTick >= 16;
        pacer.kuRestart();
    } else if (paced) {
        drawn = pacer.kuDraw(drawn);
    }
    // A replay from the selection plays through the viewer, which picks the frames to run.
    const ZTFrameResult frame =
        viewer.watching() ? viewer.tick(drawn, true) : ztFrameStep(drawn, true);
    if (frame.sceneMissing) {
        char message[64];
        std::snprintf(message, sizeof message, "no scene number %d; stopping", keSceneNumber);
        stopWithMessage(message);
        running = false;
        exitCode = 1;
        return false;
    }
    if (frame.quit) running = false;
    if (paced && skipWait && drawn) lastDrawTick = gPlatform.timer->ticks();
    skipWait = frame.skipWait;
    if (!skipWait) {
        if (paced)
            pacer.kuWait(kuDisplayPaces(window->refreshRate()));
        else
            clock.kuWait();
    }
    clock.kuCount();
    // Escape in a play that could still enter the table asks first: a second one quits.
    if (frame.menu) setPaused(true, true);
    return running;
}

void TForm1::setPaused(bool on, bool onQuitLine) {
    if (on == paused) return;
    paused = on;
    klWrite(on ? "<TForm1::Pause>\n" : "<TForm1::Resume>\n");
    if (gPlatform.audio) gPlatform.audio->pause(on);
    if (on) {
        menu.open(ztPlayRunning(), ztReplayWatched(), onQuitLine);
        return;
    }
    clock.kuResume();
    pacer.kuRestart();
    // The push that closed the menu is not seen again by the frames that follow.
    if (gInput) gInput->kiSwallowHeld();
}

bool TForm1::pausedIdle(bool redraw) {
    // The menu reads the devices itself: the button word and the record stay exactly as the
    // last frame left them.
    const uint32_t now = gPlatform.timer ? gPlatform.timer->ticks() : 0;
    switch (menu.turn(now)) {
    case ZTMenuExit::Quit:
        klWrite("<TForm1::Quit>\n");
        running = false;
        return false;
    case ZTMenuExit::Title:
        klWrite("<TForm1::BackToTitle>\n");
        ztLeaveForTitle();
        setPaused(false);
        return true;
    case ZTMenuExit::Resume:
        setPaused(false);
        return true;
    case ZTMenuExit::Stay:
        break;
    }
    if (redraw || menu.needsDraw(now)) drawPause(now);
    if (gPlatform.window) gPlatform.window->idle(10);
    return true;
}

void TForm1::drawPause(uint32_t now) {
    PlatformRenderer* renderer = gPlatform.renderer;
    if (!renderer) return;
    renderer->showLastPicture(0x90000000);
    if (gSprite) {
        menu.draw();
        gSprite->kspSetStates();
        gSprite->kspFlush();
        gSprite->kspClear();
    }
    renderer->present();
    menu.drawn(now);
}
