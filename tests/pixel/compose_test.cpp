#include <gtest/gtest.h>

#include <algorithm>

#include "compose.h"
#include "sheet_fixture.h"

namespace {

// The box of pixels a canvas put touched, found by drawing on black and looking for change.
struct Box {
    int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1;
};

Box drawnBox(int cell, float x, float y, float angle, float sx, float sy) {
    PxSheets solid;
    // A texture whose every pixel is opaque white shows exactly the covered area.
    for (int s = 0; s < kPxSlots; ++s) {
        solid[size_t(s)] = PxImage(kPxSlotInfo[s].size, kPxSlotInfo[s].size);
        std::fill(solid[size_t(s)].rgba.begin(), solid[size_t(s)].rgba.end(), 255);
    }
    PxCanvas c(solid, 256, 256);
    c.clear(0);
    c.put(cell, x, y, angle, sx, sy, 0xFFFFFFFF);
    Box b;
    for (int j = 0; j < 256; ++j)
        for (int i = 0; i < 256; ++i)
            if (c.image().at(i, j)[0] > 0)
                b.x0 = std::min(b.x0, i), b.y0 = std::min(b.y0, j), b.x1 = std::max(b.x1, i),
                b.y1 = std::max(b.y1, j);
    return b;
}

} // namespace

TEST(PixelCanvas, PutCoversTheCellCentredLikeTheSpriteQueue) {
    Box b = drawnBox(1, 100, 100, 0, 1, 1); // a 32x32 cell
    EXPECT_EQ(b.x0, 84);
    EXPECT_EQ(b.x1, 115);
    EXPECT_EQ(b.y0, 84);
    EXPECT_EQ(b.y1, 115);
    b = drawnBox(3, 100, 100, 1.5707964f, 1, 1); // 16x32 turned a quarter: 32 wide, 16 high
    EXPECT_NEAR(b.x1 - b.x0 + 1, 32, 1);
    EXPECT_NEAR(b.y1 - b.y0 + 1, 16, 1);
    b = drawnBox(6, 100, 100, 0, 2, 2); // scale doubles both sides
    EXPECT_EQ(b.x1 - b.x0 + 1, 16);
    EXPECT_EQ(b.y1 - b.y0 + 1, 32);
}

TEST(PixelCanvas, MirroredCellShowsItsPartnerFlipped) {
    const PxSheets& sheets = stockSheets();
    PxSheets keyed = sheets;
    for (int s = 0; s < kPxSlots; ++s) pxApplyColourKey(keyed[size_t(s)], kPxSlotInfo[s].key);
    PxCanvas a(keyed, 32, 32), b(keyed, 32, 32);
    a.clear(0), b.clear(0);
    a.put(56, 16, 16, 0, 1, 1, 0xFFFFFFFF);
    b.put(57, 16, 16, 0, 1, 1, 0xFFFFFFFF);
    int same = 0, mirrored = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            same += std::equal(a.image().at(x, y), a.image().at(x, y) + 3, b.image().at(x, y));
            mirrored +=
                std::equal(a.image().at(x, y), a.image().at(x, y) + 3, b.image().at(31 - x, y));
        }
    EXPECT_EQ(mirrored, 32 * 32);
    EXPECT_LT(same, 32 * 32); // the counter shot is not symmetric, so the flip shows
}
