// The map editor: which map it opens, the cursor and palette moves, painting, the menu and what
// reaches the disk and the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "creator.h"
#include "data/map.h"
#include "editor_world.h"
#include "input.h"
#include "random.h"
#include "scenes/edit.h"
#include "work.h"

namespace {
// A 10 x 8 map whose chip at (row, column) is 7 + (row * 10 + column) % 15.
void writePatternMap(const char* path) {
    ZTMap map(nullptr, 10, 8, 7);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c) map.cells[r][c] = static_cast<uint16_t>(7 + (r * 10 + c) % 15);
    ASSERT_TRUE(map.save(path));
}

class MapEditor : public EditorTest<EngineEdit, ZT_SCENE_EDIT> {
protected:
    // Opens the menu if it is not open, walks to `entry` from the top and carries it out.
    void menu(int entry) {
        if (edit->mode != EngineEdit::Menu) world.push(KI_BUTTON4);
        world.push(KI_UP, 3);
        world.push(KI_DOWN, entry);
        world.push(KI_BUTTON1);
    }
    // Picks a chip in the palette from put mode and returns to put mode.
    void pick(int column, int row) {
        world.push(KI_BUTTON2);
        world.push(KI_LEFT, 16); // to chip 7, where the palette stops
        world.push(KI_DOWN, row);
        world.push(KI_RIGHT, column);
        world.push(KI_BUTTON1);
    }
};
} // namespace

TEST_F(MapEditor, OpensTheStagesMapFromItsFileAndShowsIt) {
    writePatternMap("dat/m01.ztm");
    start(5);
    EXPECT_EQ(edit->mapNumber, 1);
    EXPECT_EQ(edit->mode, EngineEdit::Put);
    EXPECT_EQ(edit->cursorColumn, 5);
    EXPECT_EQ(edit->cursorRow, 4);
    EXPECT_EQ(edit->chip, 7);
    world.draw();
    // Every square shows the file's chip, opaque white at scale 1; under the cursor the
    // chip to paint is drawn over it.
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c) {
            const auto chips = world.drawn(7 + (r * 10 + c) % 15);
            bool found = false;
            for (const DrawnSprite& s : chips)
                found |= s.x == c * 64 + 32 && s.y == r * 64 + 32 && s.scale == 1.0f &&
                         s.colour == 0xFFFFFFFF;
            EXPECT_TRUE(found) << "row " << r << " column " << c;
        }
    const DrawnSprite cursor = world.topAt(352, 288);
    EXPECT_EQ(cursor.cell, 22);
    EXPECT_EQ(cursor.scale, 2.0f);
    EXPECT_NE(readText("_ZT_Debug.log").find("<EngineEdit::EngineEdit>\n"), std::string::npos);
}

TEST_F(MapEditor, AMissingFileGivesAFreshMapOfTheFirstChip) {
    start(2);
    EXPECT_EQ(edit->mapNumber, 2);
    ASSERT_EQ(edit->map->width, 10);
    ASSERT_EQ(edit->map->height, 8);
    for (const auto& row : edit->map->cells)
        for (uint16_t chip : row) EXPECT_EQ(chip, 7);
    // Nothing is written until the modder saves.
    EXPECT_FALSE(std::filesystem::exists("dat/m02.ztm"));
}

TEST_F(MapEditor, CursorWrapsOnBothAxesAndPaintsWhereItStands) {
    start();
    world.push(KI_LEFT, 6); // 5 -> 0 -> 9
    EXPECT_EQ(edit->cursorColumn, 9);
    world.push(KI_RIGHT);
    EXPECT_EQ(edit->cursorColumn, 0);
    world.push(KI_UP, 5); // 4 -> 0 -> 7
    EXPECT_EQ(edit->cursorRow, 7);
    world.push(KI_DOWN);
    EXPECT_EQ(edit->cursorRow, 0);

    pick(3, 1); // chip 18
    ASSERT_EQ(edit->chip, 18);
    world.push(KI_BUTTON1);
    world.push(KI_UP); // row 7, the half-visible bottom row
    world.push(KI_LEFT);
    world.push(KI_BUTTON1);
    int painted = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c) painted += edit->map->cells[r][c] == 18;
    EXPECT_EQ(painted, 2);
    EXPECT_EQ(edit->map->cells[0][0], 18);
    EXPECT_EQ(edit->map->cells[7][9], 18);

    // Holding a button acts once: held on, chip select would be left again at once.
    world.hold(KI_BUTTON2);
    world.frames(5);
    world.hold(0);
    world.frame();
    EXPECT_EQ(edit->mode, EngineEdit::ChipSelect);
}

TEST_F(MapEditor, PaletteStopsAtBothEndsAndWrapsBetweenRows) {
    start();
    world.push(KI_BUTTON2);
    ASSERT_EQ(edit->mode, EngineEdit::ChipSelect);
    world.push(KI_LEFT);
    EXPECT_EQ(edit->chip, 7); // left from the first chip stays
    world.push(KI_RIGHT, 7);
    EXPECT_EQ(edit->chip, 14);
    world.push(KI_RIGHT);
    EXPECT_EQ(edit->chip, 15); // end of row 0 to the start of row 1
    EXPECT_EQ(edit->paletteColumn, 0);
    EXPECT_EQ(edit->paletteRow, 1);
    walk<int>({{KI_LEFT, 14},
               {KI_DOWN, 21, "column 7 of row 1 is past the last chip"},
               {KI_RIGHT, 21},
               {KI_DOWN, 21},
               {KI_UP, 13},
               {KI_UP, 7, "above column 6 of the top row lies before the first chip"},
               {KI_UP, 21, "above column 0 the sum wraps round past the last chip"}},
              [&] { return int{edit->chip}; });
    world.push(KI_BUTTON2);
    EXPECT_EQ(edit->mode, EngineEdit::Put);
}

TEST_F(MapEditor, EveryPaletteSquareIsReachableAndShown) {
    start();
    world.push(KI_BUTTON2);
    std::set<int> seen{edit->chip};
    for (int i = 0; i < 20; ++i) {
        world.push(KI_RIGHT);
        seen.insert(edit->chip);
    }
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(*seen.begin(), 7);
    EXPECT_EQ(*seen.rbegin(), 21);

    world.draw();
    for (int c = 7; c <= 21; ++c) {
        const auto shown = world.drawn(c);
        ASSERT_EQ(shown.size(), 1u) << c;
        EXPECT_EQ(shown[0].x, (c - 7) % 8 * 64 + 32) << c;
        EXPECT_EQ(shown[0].y, (c - 7) / 8 * 64 + 32) << c;
    }
    // The palette replaces the map: nothing sits on the rows below it.
    EXPECT_EQ(world.topAt(32, 160).cell, -1);
    EXPECT_EQ(world.topAt(416, 96).cell, 22); // the frame on chip 21
    expectRows({{25, "[1] Return"}, {26, "[2] Return"}});
}

TEST_F(MapEditor, HelpMovesOutOfTheWayOfTheTopRows) {
    start();
    world.draw();
    expectRows({{0, "[1] Put Chip"}, {1, "[2] Chip Select"}, {2, "[4] Open Menu"}, {25, ""}});
    world.push(KI_UP, 3); // row 1
    world.draw();
    expectRows({{0, ""}, {25, "[1] Put Chip"}, {27, "[4] Open Menu"}});
    world.push(KI_UP); // row 0
    world.draw();
    EXPECT_EQ(world.textRow(25), "[1] Put Chip");
    world.push(KI_DOWN, 2); // row 2
    world.draw();
    EXPECT_EQ(world.textRow(0), "[1] Put Chip");
}

TEST_F(MapEditor, MenuShowsItsEntriesOverTheMapAndClosesAgain) {
    start();
    world.push(KI_BUTTON4);
    ASSERT_EQ(edit->mode, EngineEdit::Menu);
    world.push(KI_DOWN, 5);
    EXPECT_EQ(edit->menuIndex, 3);
    world.push(KI_UP);
    world.draw();
    expectRows({{0, "[1] Decide"},
                {1, "[4] Close Menu"},
                {8, "  SAVE"},
                {9, "  CLEAR"},
                {10, "->RANDOM"},
                {11, "  Exit"}});
    EXPECT_EQ(world.drawn(7).size(), 80u); // the map stays under the menu
    EXPECT_TRUE(world.drawn(22).empty());
    world.push(KI_UP, 5);
    EXPECT_EQ(edit->menuIndex, 0);
    world.push(KI_BUTTON4);
    EXPECT_EQ(edit->mode, EngineEdit::Put);
}

TEST_F(MapEditor, ClearThenSaveWritesTheWholeMapOfThatChip) {
    start(3);
    pick(5, 0); // chip 12
    menu(1);
    for (const auto& row : edit->map->cells)
        for (uint16_t chip : row) EXPECT_EQ(chip, 12);
    menu(0);
    const std::vector<uint8_t> bytes = readBytes("dat/m03.ztm");
    ASSERT_EQ(bytes.size(), 168u);
    const std::vector<uint8_t> header{10, 0, 0, 0, 8, 0, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    for (size_t i = 8; i < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i], 12) << i;
        EXPECT_EQ(bytes[i + 1], 0) << i;
    }
    // Saving leaves the editor where it was.
    EXPECT_EQ(edit->mode, EngineEdit::Menu);
    EXPECT_EQ(world.scene<EngineEdit>(), edit);
}

TEST_F(MapEditor, RandomScattersTheChipOverAboutHalfTheSquares) {
    writePatternMap("dat/m01.ztm");
    start(1);
    pick(0, 1); // chip 15
    kuSeed(1234);
    menu(2);
    const uint32_t after = kuRandomState;
    int taken = 0, kept = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c) {
            const uint16_t was = static_cast<uint16_t>(7 + (r * 10 + c) % 15);
            const uint16_t now = edit->map->cells[r][c];
            if (now == 15 && was != 15)
                taken += 1;
            else if (now == was)
                kept += 1;
            else
                ADD_FAILURE() << "row " << r << " column " << c << " became " << now;
        }
    EXPECT_GT(taken, 20);
    EXPECT_GT(kept, 20);
    // One draw per square whether it took the chip or not.
    kuSeed(1234);
    for (int i = 0; i < 80; ++i) kuRand();
    EXPECT_EQ(after, kuRandomState);
}

TEST_F(MapEditor, LeavingReloadsTheGameMapsFromDiskSavedOrNot) {
    writePatternMap("dat/m01.ztm");
    const std::vector<uint8_t> before = readBytes("dat/m01.ztm");
    start(1);
    pick(7, 0);             // chip 14
    world.push(KI_BUTTON1); // on (row 4, column 5), which held 7 + 45 % 15 = 7
    menu(3);
    world.frame();
    EXPECT_EQ(world.sceneNumber(), ZT_SCENE_TITLE);
    EXPECT_EQ(readBytes("dat/m01.ztm"), before);
    EXPECT_EQ(world.form->work.maps[1]->cells[4][5], 7);
    EXPECT_NE(readText("_ZT_Debug.log").find("<EngineEdit::~EngineEdit>\n"), std::string::npos);

    // Saved this time: the game now has the painted square.
    world.form->stage = 1;
    keNextScene = ZT_SCENE_EDIT;
    world.frame();
    world.frame();
    edit = world.scene<EngineEdit>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->map->cells[4][5], 7);
    pick(7, 0);
    world.push(KI_BUTTON1);
    menu(0);
    EXPECT_EQ(world.form->work.maps[1]->cells[4][5], 7); // not before the editor is left
    menu(3);
    EXPECT_EQ(world.form->work.maps[1]->cells[4][5], 14);
}

TEST_F(MapEditor, AHandMadeSmallMapIsPaintedOnlyWhereItHasSquares) {
    ZTMap small(nullptr, 3, 2, 9);
    ASSERT_TRUE(small.save("dat/m00.ztm"));
    start(4);
    ASSERT_EQ(edit->map->width, 3);
    world.push(KI_BUTTON1); // (4, 5) lies outside it
    world.push(KI_UP, 4);
    world.push(KI_LEFT, 5); // (0, 0)
    world.push(KI_BUTTON1);
    EXPECT_EQ(edit->map->width, 3);
    EXPECT_EQ(edit->map->height, 2);
    EXPECT_EQ(edit->map->cells[0][0], 7);
    EXPECT_EQ(edit->map->cells[1][2], 9);
    world.draw();
    EXPECT_EQ(world.drawn(9).size(), 5u);
    menu(0);
    EXPECT_EQ(readBytes("dat/m00.ztm").size(), 8u + 2 * 6);
}
