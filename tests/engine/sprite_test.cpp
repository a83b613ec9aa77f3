#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ascii.h"
#include "celltable.h"
#include "platform/headless/headless.h"
#include "sprite.h"

namespace {

class Sprites : public ::testing::Test {
protected:
    Sprites() : sprite(kCellCount, 4096, 4096, 11, 0.0) {
        kspDefineAllCells(sprite);
        gSprite = &sprite;
    }
    ~Sprites() override { gSprite = nullptr; }

    struct Box {
        float left, top, right, bottom;
    };
    static Box bounds(const std::vector<KVertex>& v, size_t first) {
        Box b{1e9f, 1e9f, -1e9f, -1e9f};
        for (size_t i = first; i < first + 6; ++i) {
            b.left = std::min(b.left, v[i].x), b.right = std::max(b.right, v[i].x);
            b.top = std::min(b.top, v[i].y), b.bottom = std::max(b.bottom, v[i].y);
        }
        return b;
    }

    HeadlessPlatform platform;
    KilnSprite sprite;
};

TEST_F(Sprites, CellsSitWhereTheTableSays) {
    const KCell& tank = sprite.cell(0);
    EXPECT_EQ(tank.slot, 3);
    EXPECT_FLOAT_EQ(tank.uRight, 32.0f / 512);
    const KCell& mirrored = sprite.cell(57); // cell 56's rectangle, left and right exchanged
    EXPECT_FLOAT_EQ(mirrored.uLeft, sprite.cell(56).uRight);
    EXPECT_FLOAT_EQ(mirrored.uRight, sprite.cell(56).uLeft);
    EXPECT_EQ(kCellRect(118).x, 12 * 32); // explosion frames step along a row
    EXPECT_EQ(kCellRect(220).x, 8 * 1);   // 'A' is font cell 33: row 2, column 1
    EXPECT_EQ(kCellRect(220).y, 384 + 16);
    EXPECT_EQ(kCellRect(986).x, 16 * 31);
    EXPECT_EQ(kCellRect(986).y, 16 * 21);
}

TEST_F(Sprites, AxisAlignedQuadCoversItsCellSize) {
    sprite.kspPut(0, 100, 100, 0, 1, 1, 0xFFFFFFFF);
    sprite.kspFlush();
    ASSERT_EQ(platform.renderer.draws.size(), 1u);
    const auto& d = platform.renderer.draws[0];
    EXPECT_EQ(d.slot, 3);
    ASSERT_EQ(d.vertices.size(), 6u);
    Box b = bounds(d.vertices, 0);
    EXPECT_FLOAT_EQ(b.left, 84);
    EXPECT_FLOAT_EQ(b.right, 116);
    EXPECT_FLOAT_EQ(b.top, 84);
    EXPECT_FLOAT_EQ(b.bottom, 116);
    // First triangle: top-left, top-right, bottom-left; texture follows.
    EXPECT_FLOAT_EQ(d.vertices[0].x, 84);
    EXPECT_FLOAT_EQ(d.vertices[0].u, 0);
    EXPECT_FLOAT_EQ(d.vertices[1].x, 116);
    EXPECT_FLOAT_EQ(d.vertices[5].v, 32.0f / 512);
    EXPECT_EQ(d.vertices[3].x, d.vertices[2].x);
    EXPECT_EQ(d.vertices[4].y, d.vertices[1].y);
    EXPECT_FLOAT_EQ(d.vertices[0].z, 1.0f);
    EXPECT_FLOAT_EQ(d.vertices[0].rhw, 1.0f);
}

TEST_F(Sprites, RotationAndMirroring) {
    sprite.kspPut(3, 200, 200, static_cast<float>(M_PI / 2), 1, 1, 0xFFFFFFFF); // 16x32 barrel
    sprite.kspPut(3, 200, 200, 0, -1, 1, 0xFFFFFFFF);
    sprite.kspFlush();
    const auto& v = platform.renderer.draws[0].vertices;
    Box turned = bounds(v, 0);
    EXPECT_NEAR(turned.right - turned.left, 32, 1e-3);
    EXPECT_NEAR(turned.bottom - turned.top, 16, 1e-3);
    // A positive angle turns the x half-axis towards +y: the top-left corner goes top-right.
    EXPECT_NEAR(v[0].x, 216, 1e-3);
    EXPECT_NEAR(v[0].y, 192, 1e-3);
    // A negative x scale puts the texture's left edge on the right.
    EXPECT_FLOAT_EQ(v[6].x, 208);
    EXPECT_FLOAT_EQ(v[6].u, sprite.cell(3).uLeft);
}

TEST_F(Sprites, QueueHoldsAtMost4096) {
    for (int i = 0; i < 4097; ++i) sprite.kspPut(6, 1, 1, 0, 1, 1, 0xFFFFFFFF);
    EXPECT_EQ(sprite.count(), 4096);
    EXPECT_EQ(sprite.slotCount(3), 4096);
    sprite.kspClear();
    EXPECT_EQ(sprite.count(), 0);
    sprite.kspPut(6, 1, 1, 0, 1, 1, 0xFFFFFFFF);
    EXPECT_EQ(sprite.count(), 1);
}

TEST_F(Sprites, FlushDrawsSlotsInOrderAndQueueOrderWithin) {
    sprite.kspPut(0, 10, 10, 0, 1, 1, 0x11111111);  // slot 3
    sprite.kspPut(1, 20, 10, 0, 1, 1, 0x22222222);  // slot 3
    sprite.kspPut(7, 30, 10, 0, 1, 1, 0x33333333);  // slot 1
    sprite.kspPut(23, 40, 10, 0, 1, 1, 0x44444444); // slot 0
    sprite.kspFlush();
    const auto& draws = platform.renderer.draws;
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].slot, 0);
    EXPECT_EQ(draws[1].slot, 1);
    EXPECT_EQ(draws[2].slot, 3);
    ASSERT_EQ(draws[2].vertices.size(), 12u);
    EXPECT_EQ(draws[2].vertices[0].colour, 0x11111111u);
    EXPECT_EQ(draws[2].vertices[6].colour, 0x22222222u);
    sprite.kspFlush(); // a second flush without a clear draws everything again
    EXPECT_EQ(platform.renderer.draws.size(), 6u);
}

TEST_F(Sprites, TexelOffsetShiftsSampling) {
    KilnSprite shifted(kCellCount, 16, 16, 11, 0.5);
    kspDefineAllCells(shifted);
    EXPECT_FLOAT_EQ(shifted.cell(0).uLeft, 0.5f / 512);
    EXPECT_FLOAT_EQ(shifted.cell(0).vBottom, 32.5f / 512);
}

TEST_F(Sprites, BadCellIsDroppedInRelease) {
#ifdef NDEBUG
    sprite.kspPut(-1, 0, 0, 0, 1, 1, 0);
    sprite.kspPut(kCellCount, 0, 0, 0, 1, 1, 0);
    EXPECT_EQ(sprite.count(), 0);
#else
    EXPECT_DEATH(sprite.kspPut(kCellCount, 0, 0, 0, 1, 1, 0), "");
#endif
}

class Text : public Sprites {
protected:
    Text() : ascii(kFontFirstCell) { gAscii = &ascii; }
    ~Text() override { gAscii = nullptr; }
    KilnAscii ascii;
};

TEST_F(Text, PrintsOnTheCharacterGrid) {
    ascii.kaPrint("AB");
    ASSERT_EQ(sprite.count(), 2);
    EXPECT_EQ(sprite.queued(0).cell, 220);
    EXPECT_EQ(sprite.queued(1).cell, 221);
    EXPECT_FLOAT_EQ(sprite.queued(0).x, 8);
    EXPECT_FLOAT_EQ(sprite.queued(0).y, 8);
    EXPECT_FLOAT_EQ(sprite.queued(1).x, 24);
    EXPECT_FLOAT_EQ(sprite.queued(1).scaleX, 2);
    EXPECT_EQ(ascii.column, 0);
    EXPECT_EQ(ascii.row, 1);
    ascii.column = 3;
    ascii.scale = 1;
    ascii.kaPrint(" ");
    EXPECT_EQ(sprite.queued(2).cell, kFontFirstCell);
    EXPECT_FLOAT_EQ(sprite.queued(2).x, 28);
    EXPECT_FLOAT_EQ(sprite.queued(2).y, 12);
    ascii.kaPrint("");
    EXPECT_EQ(ascii.row, 3);
    EXPECT_EQ(ascii.column, 3);
}

TEST_F(Text, FormatsValues) {
    ascii.kaPrintValue(1234, "SC:%07d");
    ASSERT_EQ(sprite.count(), 10);
    const char* expected = "SC:0001234";
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(sprite.queued(i).cell, kFontFirstCell + expected[i] - 32);
}

TEST_F(Text, NeverLeavesTheFont) {
    ascii.kaPrint("\x01\x7f\x80\xff\xe3\x81\x82");
    ASSERT_EQ(sprite.count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_GE(sprite.queued(i).cell, kFontFirstCell);
        EXPECT_LT(sprite.queued(i).cell, kChipFirstCell);
    }
    EXPECT_EQ(sprite.queued(1).cell, kFontFirstCell + 127 - 32); // 127 is in the font
}

TEST_F(Text, LongFormattedValuesAreCutAt31) {
    ascii.kaPrintValue(7, "%040d");
    EXPECT_EQ(sprite.count(), 31);
}

} // namespace
