#include "main_form.h"

#include <cstdio>

#include "ascii.h"
#include "config.h"
#include "engine.h"
#include "frame.h"
#include "graphics.h"
#include "input.h"
#include "log.h"
#include "platform/platform.h"
#include "sound.h"
#include "sprite.h"
#include "winplace.h"

namespace {
constexpr const char* kConfigPath = "./zent.ini";
constexpr const char* kLogPath = "_ZT_Debug.log";
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kTextureSlots = 11;
constexpr int kEffects = 11;

struct TextureFile {
    const char* path;
    uint32_t colourKey;
};
// Slot order; slot 0 is keyed on opaque black, every other sheet on opaque pure green.
constexpr TextureFile textureFiles[kTextureSlots] = {
    {"pixel/pwn.dat", 0xFF000000},   {"pixel/bg01.dat", 0xFF00FF00},
    {"pixel/dbg01.dat", 0xFF00FF00}, {"pixel/chr.dat", 0xFF00FF00},
    {"pixel/bos01.dat", 0xFF00FF00}, {"pixel/tit00.dat", 0xFF00FF00},
    {"pixel/gov.dat", 0xFF00FF00},   {"pixel/fwmi.dat", 0xFF00FF00},
    {"pixel/fwma.dat", 0xFF00FF00},  {"pixel/fwri.dat", 0xFF00FF00},
    {"pixel/sys.dat", 0xFF00FF00},
};

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

    ZTConfig config;
    ztReadConfig(kConfigPath, config);
    windowMode = config.windowMode;
    refreshRate = config.refreshRate;
    drawInterval = config.drawInterval;
    spriteOffset = config.spriteOffset;
    bgmEnabled = config.bgmEnabled;
    stage = config.stage;
    tailCount = config.tailCount;
    formTop = config.top;
    formLeft = config.left;
    bool windowReady = true;
    if (gPlatform.window)
        windowReady =
            gPlatform.window->create("Zentaku", kWidth, kHeight, formLeft, formTop, windowMode);

    klOpen(kLogPath);
    klWrite("Zentaku Debug Log.\n\n");
    // The work read its files before there was a log: say now what went wrong there.
    if (work.scoreFileUnreadable)
        klWrite(" score.dat could not be read: the table is empty and the file is kept\n");

    kwinClear();
    kwinSaveAll();

    const bool deviceReady = windowReady && kxInitializeX(windowMode, kWidth, kHeight, refreshRate);
    kxInitializeTexture(kTextureSlots);
    for (int slot = 0; slot < kTextureSlots; ++slot)
        kxLoadTextureP(textureFiles[slot].path, textureFiles[slot].colourKey, slot);

    gSprite = new KilnSprite(kCellCount, 4096, 4096, kTextureSlots, spriteOffset);
    gSprite->kspClear();
    gSprite->kspClear3D();
    kspDefineAllCells(*gSprite);
    gAscii = new KilnAscii(kFontFirstCell);

    kiInitializeInput();
    if (gPlatform.input) gPlatform.input->openDevices();

    voxInitialize(bgmEnabled);
    voxSetVolume(0.6f);
    if (kwInitializeWave()) {
        for (int i = 0; i < kEffects; ++i) {
            char path[32];
            std::snprintf(path, sizeof path, "snd/SE%02d.wav", i);
            kwLoadSegment(i, path, false);
        }
    }

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

    if (gPlatform.window) gPlatform.window->position(formLeft, formTop);
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
    if (!ztWriteConfig(kConfigPath, config))
        std::fprintf(stderr, "zentaku: could not write %s\n", kConfigPath);
    if (gForm == this) gForm = nullptr;
    if (gWork == &work) gWork = nullptr; // the members go next: work first, then the clock
}

TForm1::LogCloser::~LogCloser() {
    klClose();
}

bool TForm1::AppIdle() {
    if (!running) return false;
    // The close box ends the program the way Escape does; the shutdown ends the live scene.
    if (gPlatform.window && !gPlatform.window->handleEvents()) {
        klWrite("<TForm1::FormClose>\n");
        running = false;
        return false;
    }
    frameCount += 1;
    bool drawn = false;
    if (frameCount >= drawInterval) {
        drawn = true;
        frameCount = 0;
    }
    const ZTFrameResult frame = ztFrameStep(drawn);
    if (frame.sceneMissing) {
        char message[64];
        std::snprintf(message, sizeof message, "no scene number %d; stopping", keSceneNumber);
        stopWithMessage(message);
        running = false;
        exitCode = 1;
        return false;
    }
    if (frame.quit) running = false;
    skipWait = frame.skipWait;
    if (!skipWait) clock.kuWait();
    clock.kuCount();
    return running;
}
