#include <gtest/gtest.h>

#include "celltable.h"
#include "glyphs.h"
#include "sheet_fixture.h"
#include "sprite.h"

namespace {

// The sheet as the game sees it after loading: the colour key made transparent.
const PxSheets& keyedSheets() {
    static PxSheets keyed = [] {
        PxSheets k = stockSheets();
        for (int s = 0; s < kPxSlots; ++s) pxApplyColourKey(k[size_t(s)], kPxSlotInfo[s].key);
        return k;
    }();
    return keyed;
}

int opaquePixels(int cell) {
    KCellRect r = kCellRect(cell);
    const PxImage& img = keyedSheets()[size_t(r.slot)];
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) n += img.at(x, y)[3] > 0;
    return n;
}

int sjisCell(int lead, int trail) {
    return lead * 256 + trail - 32805;
}

} // namespace

TEST(PixelSheets, EachTextureHasTheSizeItsCellsAssume) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        KCellRect r = kCellRect(cell);
        const PxImage& img = stockSheets()[size_t(r.slot)];
        ASSERT_EQ(img.w, r.size) << "cell " << cell;
        ASSERT_EQ(img.h, r.size) << "cell " << cell;
        ASSERT_LE(r.x + r.w, r.size) << "cell " << cell;
        ASSERT_LE(r.y + r.h, r.size) << "cell " << cell;
    }
}

TEST(PixelSheets, EveryArtCellShowsSomething) {
    for (int cell = 0; cell < kFontFirstCell; ++cell) {
        if (cell == 95) continue; // between the middle enemy's turret and body; never drawn
        // A cell that covers less than a twentieth of its area is most likely a broken source.
        KCellRect r = kCellRect(cell);
        EXPECT_GT(opaquePixels(cell), r.w * r.h / 20) << "cell " << cell;
    }
    // Floor chips are drawn opaque: no hole may show the clear colour through the ground.
    for (int cell = 7; cell <= 21; ++cell)
        EXPECT_EQ(opaquePixels(cell), 64 * 64) << "floor chip " << cell;
}

TEST(PixelSheets, FontHasEveryPrintableCharacter) {
    EXPECT_EQ(opaquePixels(kFontFirstCell), 0); // the space
    for (int code = 33; code < 127; ++code)
        EXPECT_GT(opaquePixels(kFontFirstCell + code - 32), 0) << "character " << code;
}

TEST(PixelSheets, WindowGlyphsSitAtTheirShiftJisCells) {
    EXPECT_GT(opaquePixels(sjisCell(0x82, 0xA0)), 20); // あ
    EXPECT_GT(opaquePixels(sjisCell(0x83, 0x41)), 20); // ア
    EXPECT_GT(opaquePixels(sjisCell(0x81, 0x49)), 10); // ！
    EXPECT_GT(opaquePixels(sjisCell(0x82, 0x60)), 20); // Ａ
    EXPECT_EQ(opaquePixels(sjisCell(0x81, 0x40)), 0);  // the ideographic space
    EXPECT_EQ(opaquePixels(sjisCell(0x81, 0x7F)), 0);  // no character has this code
    // Distinct characters must not share a picture.
    KCellRect a = kCellRect(sjisCell(0x82, 0xA0)), i = kCellRect(sjisCell(0x82, 0xA2));
    const PxImage& sys = keyedSheets()[10];
    int differ = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            differ += sys.at(a.x + x, a.y + y)[3] != sys.at(i.x + x, i.y + y)[3];
    EXPECT_GT(differ, 10);
}

TEST(PixelSheets, ShiftJisMapsThroughCodePage932) {
    EXPECT_EQ(pxSjisToUnicode(0x82, 0xA0), 0x3042u);
    EXPECT_EQ(pxSjisToUnicode(0x83, 0x41), 0x30A2u);
    EXPECT_EQ(pxSjisToUnicode(0x81, 0x60), 0xFF5Eu); // the full-width tilde of this code page
    EXPECT_EQ(pxSjisToUnicode(0x81, 0x7F), 0u);
}

TEST(PixelSheets, NothingSpillsOutsideTheCells) {
    for (int s = 0; s < kPxSlots; ++s) {
        const PxImage& img = keyedSheets()[size_t(s)];
        std::vector<bool> covered(size_t(img.w) * img.h);
        for (int cell = 0; cell < kCellCount; ++cell) {
            KCellRect r = kCellRect(cell);
            if (r.slot != s) continue;
            for (int y = r.y; y < r.y + r.h; ++y)
                for (int x = r.x; x < r.x + r.w; ++x) covered[size_t(y) * img.w + x] = true;
        }
        int stray = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x)
                stray += !covered[size_t(y) * img.w + x] && img.at(x, y)[3] > 0;
        EXPECT_EQ(stray, 0) << kPxSlotInfo[s].file;
    }
}

TEST(PixelSheets, ColourKeyLeavesBackgroundsTransparentAndArtOpaque) {
    auto alphaAt = [](int cell, int dx, int dy) {
        KCellRect r = kCellRect(cell);
        return keyedSheets()[size_t(r.slot)].at(r.x + dx, r.y + dy)[3];
    };
    // Round sprites: corners are background, centres are art.
    for (int cell : {1, 6, 56, 72, 76, 99, 23}) {
        KCellRect r = kCellRect(cell);
        EXPECT_EQ(alphaAt(cell, 0, 0), 0) << "cell " << cell;
        EXPECT_EQ(alphaAt(cell, r.w - 1, r.h - 1), 0) << "cell " << cell;
    }
    EXPECT_EQ(alphaAt(0, 16, 16), 255);
    EXPECT_EQ(alphaAt(72, 8, 8), 255);
    // The stored file keeps no alpha-0 pixel: every background carries the opaque key, so a
    // loader that only knows the key still gets the transparency right.
    for (int s = 0; s < kPxSlots; ++s) {
        const PxImage& raw = stockSheets()[size_t(s)];
        int clear = 0;
        for (size_t i = 3; i < raw.rgba.size(); i += 4) clear += raw.rgba[i] == 0;
        EXPECT_EQ(clear, 0) << kPxSlotInfo[s].file;
    }
}

TEST(PixelSheets, KeyFillNudgesArtThatMatchesTheKey) {
    PxImage img(2, 1);
    uint8_t green[4] = {0, 255, 0, 255};
    std::copy(green, green + 4, img.at(0, 0)); // art that happens to be pure green
    pxApplyKeyFill(img, 0xFF00FF00);
    pxApplyColourKey(img, 0xFF00FF00);
    EXPECT_EQ(img.at(0, 0)[3], 255); // still visible, one step away from the key
    EXPECT_EQ(img.at(1, 0)[3], 0);   // the empty pixel became the key, then transparent
}
