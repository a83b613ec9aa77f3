// Texture files as they lie on disk (every byte less 0x80): any bytes go through the program's
// texture load (unscramble, the PNG checks and decode, the colour key) without fault. A decoded
// sheet is ARGB8888 within the size limits, and no pixel is left holding the key.
#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "graphics.h"
#include "platform/sdl/sdl_image.h"
#include "scratch.h"

namespace {
// Decodes as the program's renderer does, checks the picture and keeps no texture.
class DecodingRenderer : public PlatformRenderer {
public:
    bool createTexture(int, const uint8_t* data, size_t size, uint32_t colourKey) override {
        SDL_Surface* s = sdlDecodeKeyed(data, size, colourKey);
        if (!s) return false;
        if (s->format->format != SDL_PIXELFORMAT_ARGB8888 || s->w < 1 || s->h < 1 ||
            s->w > kSdlMaxTextureEdge || s->h > kSdlMaxTextureEdge ||
            uint64_t(s->w) * uint64_t(s->h) > size * kSdlMaxInflation * 8)
            __builtin_trap();
        const auto* row = static_cast<const uint8_t*>(s->pixels);
        for (int y = 0; y < s->h; ++y, row += s->pitch)
            for (int x = 0; x < s->w; ++x)
                if (reinterpret_cast<const uint32_t*>(row)[x] == colourKey) __builtin_trap();
        SDL_FreeSurface(s);
        return true;
    }
    void releaseTexture(int) override {}
    void bindTexture(int) override {}
    void setBlend(KBlend) override {}
    void drawTriangles(const KVertex*, int) override {}
    void clear(uint32_t) override {}
    void present() override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DecodingRenderer renderer;
    gPlatform.renderer = &renderer;
    const std::string path = fuzz::writeScratch("tex.dat", data, size);
    // The program keys slot 0 on opaque black and the sheets on opaque green: try one of each.
    const uint32_t key = (size & 1) ? 0xFF000000 : 0xFF00FF00;
    kxInitializeTexture(1);
    kxLoadTextureP(path.c_str(), key, 0);
    kxDisposeTexture();
    return 0;
}
