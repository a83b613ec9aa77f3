#include "modules.h"

#include "sound.h"

EngineModules::EngineModules() : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    kwInitializeWave();
    for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
    voxInitialize(true);
    work = new ZTWork();
    gWork = work;
}

EngineModules::~EngineModules() {
    voxDispose();
    kwDisposeWave();
    gWork = nullptr;
    delete work;
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}
