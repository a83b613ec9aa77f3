#include "world.h"

#include "objects/tail.h"
#include "random.h"
#include "sound.h"

ObjectWorld::ObjectWorld() : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    kbResetLists();
    knResetLists();
    ksInitializeScratch();
    resetTailChain();
    kwInitializeWave();
    for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
    work = new ZTWork();
    gWork = work;
    work->tail = 0;
    work->tailMax = 0;
    work->groundCount = 0;
    kuSeed(920);
}

ObjectWorld::~ObjectWorld() {
    kbDeleteAll();
    ksDisposeScratch();
    kwDisposeWave();
    gWork = nullptr;
    delete work;
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}

void ObjectWorld::hold(uint32_t word) {
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

void ObjectWorld::frame() {
    input.kiUpdate();
    kbMoveAll();
    knHitCheck();
    frameNumber += 1;
}

std::vector<int> ObjectWorld::takeSounds() {
    std::vector<int> played;
    played.swap(platform.audio.played);
    return played;
}
