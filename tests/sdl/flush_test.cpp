// Sprite flushes drawn by SDL's software renderer, checked pixel by pixel.
#include "canvas.h"
#include "platform/files.h"
#include "png_write.h"

namespace {
constexpr int kBlankSlot = 2; // never given a texture: its sprites show their colour alone

class Flush : public Canvas {
protected:
    void SetUp() override {
        Canvas::SetUp();
        gSprite->kspDefineCell(0, kBlankSlot, 32, 0, 0, 32, 32);
    }
};
} // namespace

TEST_F(Flush, QuadOf32CoversExactly84To115) {
    kxClear(0x000000);
    gSprite->kspPut(0, 100.0f, 100.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    flush(KBlend::Alpha);
    for (int edge : {84, 115}) {
        expectNear(edge, 100, {255, 255, 255});
        expectNear(100, edge, {255, 255, 255});
    }
    for (int outside : {83, 116}) {
        expectNear(outside, 100, {0, 0, 0});
        expectNear(100, outside, {0, 0, 0});
    }
}

TEST_F(Flush, ShadowColourDarkensWhite) {
    kxClear(0xFFFFFF);
    gSprite->kspPut(0, 200.0f, 200.0f, 0.0f, 1.0f, 1.0f, 0x60000000);
    flush(KBlend::Alpha);
    expectNear(200, 200, {159, 159, 159}); // 255 * (1 - 0x60 / 255)
    expectNear(250, 200, {255, 255, 255});
}

TEST_F(Flush, GroundPassIgnoresAlpha) {
    kxClear(0xFFFFFF);
    gSprite->kspPut(0, 300.0f, 300.0f, 0.0f, 1.0f, 1.0f, 0x40FF0000);
    flush(KBlend::None);
    expectNear(300, 300, {255, 0, 0});
}

TEST_F(Flush, AdditivePassAddsScaledByAlpha) {
    kxClear(0x404040);
    gSprite->kspPut(0, 320.0f, 240.0f, 0.0f, 2.0f, 2.0f, 0x80FF0000);
    flush(KBlend::Additive);
    expectNear(320, 240, {64 + 128, 64, 64});
    // Scale 2 doubles the quad about its centre: 288..351.
    expectNear(288, 240, {192, 64, 64});
    expectNear(287, 240, {64, 64, 64});
}

TEST_F(Flush, RotatedQuadTurnsClockwise) {
    // A 32x8 bar turned a quarter turn stands upright.
    gSprite->kspDefineCell(1, kBlankSlot, 32, 0, 0, 32, 8);
    kxClear(0x000000);
    gSprite->kspPut(1, 100.0f, 100.0f, 1.5707964f, 1.0f, 1.0f, 0xFFFFFFFF);
    flush(KBlend::Alpha);
    expectNear(100, 88, {255, 255, 255});
    expectNear(88, 100, {0, 0, 0});
}

TEST_F(Flush, TextureIsSampledNearestAndTintedByColour) {
    // A 64x64 sheet of four quadrants: red, blue / green, white, drawn twice enlarged.
    std::vector<uint32_t> sheet(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            sheet[static_cast<size_t>(y * 64 + x)] =
                y < 32 ? (x < 32 ? 0xFFFF0000 : 0xFF0000FF) : (x < 32 ? 0xFF00FF00 : 0xFFFFFFFF);
    std::vector<uint8_t> png;
    ASSERT_TRUE(pngWriteArgbMemory(sheet.data(), 64, 64, png));
    for (uint8_t& b : png) b = static_cast<uint8_t>(b + 0x80);
    const char* path = "flush_sheet.dat";
    ASSERT_TRUE(pfWriteAtomic(path, png.data(), png.size()));
    ASSERT_TRUE(kxLoadTextureP(path, 0xFF000000, 4));
    gSprite->kspDefineCell(2, 4, 64, 0, 0, 64, 64);
    kxClear(0x000000);
    gSprite->kspPut(2, 100.0f, 100.0f, 0.0f, 2.0f, 2.0f, 0xFFFFFFFF);
    gSprite->kspPut(2, 300.0f, 100.0f, 0.0f, 2.0f, 2.0f, 0xFF808080); // half brightness
    flush(KBlend::Alpha);
    expectNear(50, 50, {255, 0, 0});
    expectNear(150, 50, {0, 0, 255});
    expectNear(50, 150, {0, 255, 0});
    expectNear(150, 150, {255, 255, 255});
    // Across the edge between texels every pixel is one texel or the other, never a blend;
    // where exactly the edge falls may differ by a pixel between renderers.
    for (int x = 96; x <= 104; ++x) {
        const Rgb c = at(x, 60);
        EXPECT_TRUE((c.r == 255 && c.b == 0) || (c.r == 0 && c.b == 255)) << "x " << x;
        EXPECT_EQ(c.r, x < 98 ? 255 : (x > 102 ? 0 : c.r));
    }
    expectNear(350, 150, {128, 128, 128});
    std::remove(path);
}
