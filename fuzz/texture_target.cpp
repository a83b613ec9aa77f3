// Texture files as they lie on disk (every byte less 0x80): any bytes go through the program's
// texture load (unscramble, the PNG checks and decode, the colour key) without fault. A decoded
// sheet is ARGB8888 within the size limits, and no pixel is left holding the key.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics.h"
#include "input_file.h"
#include "platform/sdl/sdl_image.h"

namespace {
// Decodes as the program's renderer does, checks the picture and keeps no texture.
class DecodingRenderer : public PlatformRenderer {
public:
    bool createTexture(int, const uint8_t* data, size_t size, uint32_t colourKey) override {
        int w = 0, h = 0;
        if (!sdlDecodePng(data, size, pixels, w, h, colourKey)) return false;
        if (w < 1 || h < 1 || w > kSdlMaxTextureEdge || h > kSdlMaxTextureEdge ||
            uint64_t(w) * uint64_t(h) > size * kSdlMaxInflation * 8)
            __builtin_trap();
        for (uint32_t p : pixels)
            if (p == colourKey) __builtin_trap();
        return true;
    }
    void releaseTexture(int) override {}
    void bindTexture(int) override {}
    void setBlend(KBlend) override {}
    void drawTriangles(const KVertex*, int) override {}
    void clear(uint32_t) override {}
    void present() override {}

private:
    std::vector<uint32_t> pixels;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DecodingRenderer renderer;
    gPlatform.renderer = &renderer;
    const std::string path = fuzz::writeInput("tex.dat", data, size);
    // The program keys slot 0 on opaque black and the sheets on opaque green: try one of each.
    const uint32_t key = (size & 1) ? 0xFF000000 : 0xFF00FF00;
    kxInitializeTexture(1);
    kxLoadTextureP(path.c_str(), key, 0);
    kxDisposeTexture();
    return 0;
}
