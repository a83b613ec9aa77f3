#include "media.h"

#include <cstdint>
#include <cstdio>

#include "graphics.h"
#include "sound.h"

namespace {
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
} // namespace

bool ztLoadTextures() {
    if (!kxInitializeTexture(kTextureSlots)) return false;
    for (int slot = 0; slot < kTextureSlots; ++slot)
        kxLoadTextureP(textureFiles[slot].path, textureFiles[slot].colourKey, slot);
    return true;
}

void ztLoadEffects() {
    for (int i = 0; i < kEffectFiles; ++i) {
        char path[32];
        std::snprintf(path, sizeof path, "snd/SE%02d.wav", i);
        kwLoadSegment(i, path, false);
    }
}
