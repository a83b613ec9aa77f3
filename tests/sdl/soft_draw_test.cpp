// Sprites drawn by our copy of the software renderer's rasteriser against SDL drawing the same
// sprites: every pixel must be the same, across blend modes, colours, rotations, mirrored and
// stretched sprites, sprites cut by the picture's edges and odd cells.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_renderer.h"
#include "png_write.h"
#include "sprite.h"
#include "tee_renderer.h"

TEST(SoftDraw, SpritesComeOutAsSdlDrawsThem) {
    SdlRenderer ours, sdl;
    ASSERT_TRUE(ours.openSoftware(640, 480) && sdl.openSoftware(640, 480));
    ASSERT_TRUE(ours.drawTrianglesHere(true));
    TeeRenderer both(ours, sdl);
    PlatformRenderer* const before = gPlatform.renderer;
    gPlatform.renderer = &both;

    // A 64x64 texture of every kind of texel: opaque, clear, half seen, each channel's extremes.
    std::mt19937 random(22);
    std::vector<uint32_t> texels(64 * 64);
    const uint32_t alphas[] = {0x00, 0xFF, 0xFF, 0x80, 0x01, 0xFE};
    for (uint32_t& t : texels) t = alphas[random() % 6] << 24 | (random() & 0xFFFFFFu);
    std::vector<uint8_t> png;
    ASSERT_TRUE(pngWriteArgbMemory(texels.data(), 64, 64, png));
    ASSERT_TRUE(both.createTexture(0, png.data(), png.size(), 0xFF00FF00u));

    // Cells: the whole texture, small ones, a mirrored one, a thin one; texel offsets 0 and 0.5.
    for (double offset : {0.0, 0.5}) {
        KilnSprite sprites(5, 512, 0, 1, offset);
        sprites.kspDefineCell(0, 0, 64, 0, 0, 64, 64);
        sprites.kspDefineCell(1, 0, 64, 8, 8, 16, 16);
        sprites.kspDefineCell(2, 0, 64, 3, 5, 7, 33);
        sprites.kspDefineCellMirrored(3, 0, 64, 32, 0, 32, 32);
        sprites.kspDefineCell(4, 0, 64, 0, 63, 64, 1);
        const float angles[] = {0.0f, 0.0f, 0.0f, 0.3f, 1.5707964f, 3.1415927f, -2.2f};
        const float scales[] = {1.0f, 1.0f, 2.0f, 0.5f, -1.0f, 1.37f, 3.0f};
        const uint32_t colours[] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0x60000000u, 0x40FFFFFFu,
                                    0xFF80C0FFu, 0x00FFFFFFu, 0xC0102030u};
        const KBlend blends[] = {KBlend::Alpha, KBlend::None, KBlend::Additive};
        for (int round = 0; round < 12; ++round) {
            both.clear(random() & 0xFFFFFFu);
            for (KBlend blend : blends) {
                for (int i = 0; i < 60; ++i) {
                    // Whole pixels, halves and odd fractions; some well past the edges.
                    const float x = static_cast<float>(int(random() % 800) - 80) +
                                    (random() % 3 == 0 ? 0.5f : 0.0f) +
                                    (random() % 5 == 0 ? 0.37f : 0.0f);
                    const float y = static_cast<float>(int(random() % 640) - 80) +
                                    (random() % 3 == 0 ? 0.5f : 0.0f);
                    sprites.kspPut(random() % 5, x, y, angles[random() % 7], scales[random() % 7],
                                   scales[random() % 7], colours[random() % 7]);
                }
                both.setBlend(blend);
                sprites.kspFlush();
                sprites.kspClear();
            }
            std::vector<uint32_t> a, b;
            int w = 0, h = 0;
            ASSERT_TRUE(ours.readPixels(a, w, h) && sdl.readPixels(b, w, h));
            size_t differing = 0, first = 0;
            for (size_t p = 0; p < a.size(); ++p)
                if (a[p] != b[p] && differing++ == 0) first = p;
            EXPECT_EQ(differing, 0u) << "offset " << offset << ", round " << round << ", first at "
                                     << first % 640 << "," << first / 640;
        }
    }
    gPlatform.renderer = before;
}
