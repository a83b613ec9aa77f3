#include "graphics.h"

#include <vector>

#include "file.h"
#include "log.h"

namespace {
std::vector<bool> loaded; // one flag per texture slot
bool tableReady = false;
} // namespace

bool kxInitializeX(bool windowMode, int width, int height, int refreshRate) {
    klWrite("<KilnX::kxInitializeX>\n");
    // The picture is always width x height; the desktop keeps its own mode and refresh rate,
    // which is only recorded here.
    (void)width, (void)height;
    klValue("  refresh rate asked =", refreshRate);
    if (gPlatform.window) return gPlatform.window->createDevice(windowMode); // logs its steps
    klWrite(" <CreateDevice>\n");
    const bool ok = gPlatform.renderer != nullptr;
    klWrite(ok ? "  [OK]\n" : "  [NG]\n");
    return ok;
}

void kxDisposeX() {
    klWrite("<KilnX::kxDisposeX>\n");
    if (gPlatform.window) gPlatform.window->destroyDevice();
}

void kxClear(uint32_t rgb) {
    if (gPlatform.renderer) gPlatform.renderer->clear(rgb);
}

void kxPresent() {
    if (gPlatform.renderer) gPlatform.renderer->present();
}

void kxSetBlend(KBlend blend) {
    if (gPlatform.renderer) gPlatform.renderer->setBlend(blend);
}

bool kxInitializeTexture(int slotCount) {
    klWrite("<KilnX::kxInitializeTexture>\n");
    if (slotCount < 1) return false;
    loaded.assign(static_cast<size_t>(slotCount), false);
    tableReady = true;
    klWrite(" [OK]\n");
    return true;
}

void kxDisposeTexture() {
    klWrite("<KilnX::kxDisposeTexture>\n");
    for (size_t slot = 0; slot < loaded.size(); ++slot)
        if (loaded[slot] && gPlatform.renderer)
            gPlatform.renderer->releaseTexture(static_cast<int>(slot));
    loaded.clear();
    tableReady = false;
}

bool kxHasTexture(int slot) {
    return slot >= 0 && static_cast<size_t>(slot) < loaded.size() && loaded[slot];
}

int kxTextureCount() {
    return static_cast<int>(loaded.size());
}

bool kxLoadTextureP(const char* path, uint32_t colourKey, int slot) {
    klWrite("<KilnX::kxLoadTextureP>\n");
    if (!tableReady || slot < 0 || static_cast<size_t>(slot) >= loaded.size()) {
        klValue(" [ERR] TexArray range =", slot);
        return false;
    }
    if (loaded[slot]) {
        klValue(" [ERR] TexArray used =", slot);
        return false;
    }
    {
        KFFile file(path, KFFile::Read);
        if (file.isOpen()) {
            // Textures are small; anything past 64 MiB is not one of ours.
            const uint32_t size = file.size();
            if (size > 0 && size <= (64u << 20)) {
                std::vector<uint8_t> buffer(size);
                const uint32_t got = file.read(buffer.data(), size);
                for (uint32_t i = 0; i < got; ++i)
                    buffer[i] = static_cast<uint8_t>(buffer[i] + 0x80);
                const bool ok =
                    got == size && gPlatform.renderer &&
                    gPlatform.renderer->createTexture(slot, buffer.data(), got, colourKey);
                klWrite(ok ? " SDL_CreateTextureFromSurface [OK]\n"
                           : " SDL_CreateTextureFromSurface [ERR]\n");
                loaded[slot] = ok;
            } else {
                klWrite(" SDL_CreateTextureFromSurface [ERR]\n");
            }
        }
    }
    klValue(" [OK] TexArray  =", slot);
    klHex("      TexHandle =", loaded[slot] ? static_cast<uint64_t>(slot) + 1 : 0);
    return loaded[slot];
}
