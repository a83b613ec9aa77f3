// The picture in a real window (SDL's dummy video driver, software renderer): the same pixels as
// the picture drawn on its own, centred on black in a larger window and in full screen; the
// window's size comes back from full screen; the pause puts back exactly the last frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/sdl/sdl_window.h"

namespace {
constexpr int kW = 640, kH = 480;

// A frame with what a change of route could change: slanted edges at fractions of a pixel and
// blending over the clear colour.
void drawFrame(PlatformRenderer& r) {
    r.clear(0x336699);
    const KVertex triangles[] = {
        {100.25f, 80.5f, 0, 1, 0xFFFF8000, 0, 0},  {400.75f, 120.0f, 0, 1, 0xFF00FF00, 0, 0},
        {220.5f, 390.25f, 0, 1, 0xFFFFFFFF, 0, 0}, {300.0f, 50.0f, 0, 1, 0x80FF0000, 0, 0},
        {639.5f, 300.0f, 0, 1, 0x80FF0000, 0, 0},  {350.0f, 479.5f, 0, 1, 0x8000FFFF, 0, 0}};
    r.bindTexture(-1);
    r.setBlend(KBlend::Alpha);
    r.drawTriangles(triangles, 6);
}

std::vector<uint32_t> pictureOnItsOwn() {
    SdlRenderer soft;
    EXPECT_TRUE(soft.openSoftware(kW, kH));
    drawFrame(soft);
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_TRUE(soft.readPixels(pixels, w, h));
    return pixels;
}

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        picture = pictureOnItsOwn();
        ASSERT_EQ(picture.size(), static_cast<size_t>(kW * kH));
    }
    void TearDown() override { window.destroy(); }

    void open(int width, int height) {
        KWindowSettings settings;
        settings.width = width, settings.height = height;
        ASSERT_TRUE(window.create("test", kW, kH, settings));
        ASSERT_TRUE(window.createDevice(true));
        window.show();
    }

    // The screen holds the picture at its own size in the middle, `dim` (0..255 of black) over
    // it, and black all around.
    void expectCentred(int screenW, int screenH, int dim = 0) {
        std::vector<uint32_t> screen;
        int w = 0, h = 0;
        ASSERT_TRUE(window.renderer.readPixels(screen, w, h));
        ASSERT_EQ(w, screenW);
        ASSERT_EQ(h, screenH);
        const int left = (w - kW) / 2, top = (h - kH) / 2;
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t got = screen[static_cast<size_t>(y * w + x)] & 0xFFFFFF;
                const bool inside = x >= left && x < left + kW && y >= top && y < top + kH;
                uint32_t want = 0;
                if (inside) want = picture[static_cast<size_t>((y - top) * kW + x - left)];
                bool same = got == (want & 0xFFFFFF);
                if (dim && inside) {
                    same = true;
                    for (int shift : {0, 8, 16}) {
                        const int c = static_cast<int>(want >> shift & 0xFF) * (255 - dim) / 255;
                        same = same && std::abs(static_cast<int>(got >> shift & 0xFF) - c) <= 1;
                    }
                }
                if (!same && ++wrong <= 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << got
                                  << ", not " << (want & 0xFFFFFF);
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    SdlWindow window;
    std::vector<uint32_t> picture;
};
} // namespace

TEST_F(Window, PictureAtItsOwnSizeIsTheSameInAnyWindowAndInFullScreen) {
    open(0, 0);
    drawFrame(window.renderer);
    window.renderer.present();
    expectCentred(kW, kH);

    window.destroy();
    open(1000, 700); // a window the player made larger: the picture in the middle, on black
    int w = 0, h = 0;
    window.size(w, h);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 700);
    drawFrame(window.renderer);
    window.renderer.present();
    expectCentred(1000, 700);

    window.setWindowed(false); // the dummy display is 1024x768
    drawFrame(window.renderer);
    window.renderer.present();
    expectCentred(1024, 768);
    window.setWindowed(true);
    window.size(w, h);
    EXPECT_EQ(w, 1000); // back to the size it had
    EXPECT_EQ(h, 700);
    window.setScale(1);
    window.size(w, h);
    EXPECT_EQ(w, kW);
    EXPECT_EQ(h, kH);
}

TEST_F(Window, SavedSizeIsKeptWithinThePictureAndTheDisplay) {
    open(300, 5000);
    int w = 0, h = 0;
    window.size(w, h);
    EXPECT_EQ(w, kW);
    EXPECT_EQ(h, 768);
}

TEST_F(Window, PausePutsBackTheLastFrame) {
    open(1000, 700);
    drawFrame(window.renderer);
    window.renderer.present();
    window.renderer.showLastPicture(0x00000000);
    window.renderer.present();
    expectCentred(1000, 700);
    window.renderer.showLastPicture(0x90000000); // as the pause shows it
    window.renderer.present();
    expectCentred(1000, 700, 0x90);
    window.renderer.showLastPicture(0x00000000); // again, as after the desktop lost the screen
    window.renderer.present();
    expectCentred(1000, 700);
}
