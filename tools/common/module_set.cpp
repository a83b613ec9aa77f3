#include "module_set.h"

#include "engine.h"
#include "sound.h"

ZTModules::ZTModules(ZTModuleOptions options)
    : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell), sound(options.sound) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    if (sound) {
        kwInitializeWave();
        for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
        voxInitialize(true);
    }
    work = std::make_unique<ZTWork>();
    gWork = work.get();
}

ZTModules::~ZTModules() {
    keDisposeKilnEngine();
    if (sound) {
        voxDispose();
        kwDisposeWave();
    }
    gWork = nullptr;
    work.reset();
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}
