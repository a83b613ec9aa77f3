#include "play.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "behave.h"
#include "data/map.h"
#include "data/set.h"
#include "engine.h"
#include "frame.h"
#include "hit.h"
#include "objects/tail.h"
#include "random.h"
#include "sound.h"

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    previous = fs::current_path().string();
    char pattern[] = "/tmp/zt_game_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    path = made;
    fs::current_path(path);
    fs::create_directory("dat");
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}

GamePlay::GamePlay() : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    kwInitializeWave();
    for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
    voxInitialize(true);
    work = new ZTWork();
    gWork = work;
    keInitializeKilnEngine(&creator, ZT_SCENE_GAME);
}

GamePlay::~GamePlay() {
    keDisposeKilnEngine();
    voxDispose();
    kwDisposeWave();
    gWork = nullptr;
    delete work;
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}

void GamePlay::writeSet(int set, const std::vector<Chip>& chips) {
    ZTSet s;
    for (const Chip& c : chips) s.add(c.x, c.y, c.kind);
    char path[32];
    std::snprintf(path, sizeof path, "dat/s%02d.zts", set);
    s.save(path);
}

void GamePlay::start(int field, int tail, bool record, bool replay) {
    work->startGame(field, tail, record, false, replay);
    keNextScene = ZT_SCENE_GAME;
}

void GamePlay::hold(uint32_t word) {
    struct Key {
        uint32_t bit;
        uint8_t scan;
    };
    static constexpr Key keys[] = {
        {KI_BUTTON1, KI_KEY_Z}, {KI_BUTTON2, KI_KEY_X},   {KI_BUTTON3, KI_KEY_C},
        {KI_BUTTON4, KI_KEY_V}, {KI_UP, KI_KEY_UP},       {KI_DOWN, KI_KEY_DOWN},
        {KI_LEFT, KI_KEY_LEFT}, {KI_RIGHT, KI_KEY_RIGHT},
    };
    for (const Key& k : keys) platform.input.keys[k.scan] = (word & k.bit) ? 0x80 : 0;
}

void GamePlay::frame(bool drawn) {
    const ZTFrameResult r = ztFrameStep(drawn);
    sceneMissing = r.sceneMissing;
}
