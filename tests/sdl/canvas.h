#pragma once
// A 640x480 picture drawn by SDL's software renderer, with a sprite system and a texture table
// around it, for tests that look at pixels.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "graphics.h"
#include "platform/sdl/sdl_renderer.h"
#include "sprite.h"

struct Rgb {
    int r, g, b;
};

class Canvas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(renderer.openSoftware(640, 480));
        gPlatform.renderer = &renderer;
        gSprite = new KilnSprite(8, 256, 0, 11, 0.0);
        ASSERT_TRUE(kxInitializeTexture(11));
    }
    void TearDown() override {
        kxDisposeTexture();
        delete gSprite;
        gSprite = nullptr;
        gPlatform.renderer = nullptr;
    }

    Rgb at(int x, int y) {
        if (pixels.empty()) {
            int w = 0, h = 0;
            EXPECT_TRUE(renderer.readPixels(pixels, w, h));
            EXPECT_EQ(w, 640);
            EXPECT_EQ(h, 480);
        }
        const uint32_t p = pixels[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)];
        return Rgb{static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                   static_cast<int>(p & 0xFF)};
    }

    // Software and GPU blending may differ by a step or two per channel.
    void expectNear(int x, int y, Rgb want, int tolerance = 2) {
        const Rgb got = at(x, y);
        EXPECT_NEAR(got.r, want.r, tolerance) << "red at " << x << "," << y;
        EXPECT_NEAR(got.g, want.g, tolerance) << "green at " << x << "," << y;
        EXPECT_NEAR(got.b, want.b, tolerance) << "blue at " << x << "," << y;
    }

    void flush(KBlend blend) {
        gSprite->kspSetStates();
        kxSetBlend(blend);
        gSprite->kspFlush();
        gSprite->kspClear();
        pixels.clear();
    }

    SdlRenderer renderer;
    std::vector<uint32_t> pixels;
};
