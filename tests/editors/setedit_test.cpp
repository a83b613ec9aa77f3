// The enemy-set editor: which set and map it opens, the cursor grid, putting and deleting,
// the kind choice, the menu, the file it writes and what the screen shows.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "creator.h"
#include "data/map.h"
#include "data/set.h"
#include "editor_world.h"
#include "input.h"
#include "scenes/setedit.h"

namespace {
class SetEditor : public EditorTest<EngineSet, ZT_SCENE_SET> {
protected:
    void menu(int entry) {
        world.push(KI_BUTTON4);
        world.push(KI_UP, 2);
        world.push(KI_DOWN, entry);
        world.push(KI_BUTTON1);
    }
    void chooseKind(int kind) {
        world.push(KI_BUTTON2);
        world.push(KI_LEFT, 7);
        world.push(KI_RIGHT, kind);
        world.push(KI_BUTTON2);
    }
    // Moves the cursor from (320, 224) to (x, y) the short way.
    void moveTo(int x, int y) {
        world.push(x > edit->cursorX ? KI_RIGHT : KI_LEFT, std::abs(x - edit->cursorX) / 32);
        world.push(y > edit->cursorY ? KI_DOWN : KI_UP, std::abs(y - edit->cursorY) / 32);
    }
    std::vector<std::pair<int, int>> chips() const {
        std::vector<std::pair<int, int>> out;
        for (const ZTsetChip& c : edit->set->chips) out.push_back({c.x, c.y});
        return out;
    }
};
} // namespace

TEST_F(SetEditor, OpensTheStagesSetOverItsMap) {
    ZTMap map(nullptr, 10, 8, 12);
    ASSERT_TRUE(map.save("dat/m01.ztm"));
    ZTSet set;
    set.add(64, 96, 1);
    set.add(576, 416, 4);
    ASSERT_TRUE(set.save("dat/s13.zts"));
    start(13);
    EXPECT_EQ(edit->setNumber, 13);
    EXPECT_EQ(edit->mode, EngineSet::PutDelete);
    EXPECT_EQ(edit->cursorX, 320);
    EXPECT_EQ(edit->cursorY, 224);
    EXPECT_EQ(edit->kind, 0);
    EXPECT_EQ(chips(), (std::vector<std::pair<int, int>>{{64, 96}, {576, 416}}));
    world.draw();
    // Map 1 underneath, drawn opaque; the chips, walls and cursor blended above it.
    const auto floor = world.drawn(12);
    ASSERT_EQ(floor.size(), 80u);
    for (const DrawnSprite& s : floor) EXPECT_EQ(s.blend, KBlend::None);
    const auto middle = world.drawn(94);
    ASSERT_EQ(middle.size(), 1u);
    EXPECT_EQ(middle[0].x, 64);
    EXPECT_EQ(middle[0].y, 96);
    EXPECT_EQ(middle[0].colour, 0xFFFFFFFF);
    EXPECT_EQ(middle[0].blend, KBlend::Alpha);
    // The generator of five is marked "2" at its lower right.
    const DrawnSprite digit = world.topAt(592, 432);
    EXPECT_EQ(digit.cell, 205);
    EXPECT_EQ(digit.scale, 2.0f);
    EXPECT_EQ(world.topAt(576, 416).cell, 99);
    EXPECT_FALSE(world.drawn(43).empty()); // the top-left wall corner
    EXPECT_EQ(world.drawn(49).size() + world.drawn(47).size(), 9u);
    EXPECT_NE(readText("_ZT_Debug.log").find("<EngineSet::EngineSet>\n"), std::string::npos);
}

TEST_F(SetEditor, MissingFilesGiveAnEmptySetOverAFreshMap) {
    start(6);
    EXPECT_TRUE(edit->set->chips.empty());
    world.draw();
    EXPECT_EQ(world.drawn(7).size(), 80u);
    // Only the ghost of the chosen kind, at the cursor.
    const auto small = world.drawn(93);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].colour, 0x80FFFFFFu);
    EXPECT_EQ(small[0].x, 320);
    EXPECT_EQ(small[0].y, 224);
}

TEST_F(SetEditor, CursorCoversThePlayAreaAndWrapsAtItsEdges) {
    start();
    std::set<std::pair<int, int>> visited;
    for (int row = 0; row < 14; ++row) {
        for (int column = 0; column < 19; ++column) {
            visited.insert({edit->cursorX, edit->cursorY});
            world.push(KI_RIGHT);
        }
        world.push(KI_DOWN);
    }
    EXPECT_EQ(visited.size(), 19u * 14u);
    EXPECT_EQ(visited.begin()->first, 32);
    EXPECT_EQ(visited.begin()->second, 32);
    EXPECT_EQ(visited.rbegin()->first, 608);
    EXPECT_EQ(visited.rbegin()->second, 448);
    // A full lap on each axis comes back to the start.
    EXPECT_EQ(edit->cursorX, 320);
    EXPECT_EQ(edit->cursorY, 224);

    moveTo(608, 448);
    using Place = std::pair<int, int>;
    walk<Place>(
        {{KI_RIGHT, {32, 448}}, {KI_LEFT, {608, 448}}, {KI_DOWN, {608, 32}}, {KI_UP, {608, 448}}},
        [&] {
            return Place{edit->cursorX, edit->cursorY};
        });
}

TEST_F(SetEditor, TheButtonPutsOnAnEmptySquareAndDeletesWhateverKindIsThere) {
    start();
    chooseKind(2);
    world.push(KI_BUTTON1);
    ASSERT_EQ(edit->set->chips.size(), 1u);
    EXPECT_EQ(edit->set->chips.front().kind, 2);
    world.draw();
    // The frame turns yellow over an occupied square.
    auto frame = world.drawn(22);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].colour, 0xFFFFFF00u);
    EXPECT_EQ(frame[0].scale, 2.0f);

    chooseKind(5);
    world.push(KI_BUTTON1);
    EXPECT_TRUE(edit->set->chips.empty());
    world.draw();
    frame = world.drawn(22);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].colour, 0xFFFFFFFFu);
}

TEST_F(SetEditor, KindStopsAtBothEndsAndTheSelectScreenShowsAllEight) {
    start();
    world.push(KI_BUTTON2);
    ASSERT_EQ(edit->mode, EngineSet::Select);
    world.push(KI_LEFT);
    EXPECT_EQ(edit->kind, 0);
    world.push(KI_RIGHT, 10);
    EXPECT_EQ(edit->kind, 7);
    world.push(KI_UP);
    world.push(KI_DOWN);
    EXPECT_EQ(edit->kind, 7);
    EXPECT_EQ(edit->cursorY, 224); // up and down do not reach the hidden cursor
    world.push(KI_LEFT, 4);
    world.draw();
    expectRows({{0, "[1] Return"}, {1, "[2] Return"}});
    const std::vector<std::pair<int, int>> icons{{93, 32},  {94, 96},  {97, 160},  {99, 224},
                                                 {99, 288}, {99, 352}, {188, 416}, {188, 480}};
    for (const auto& [cell, x] : icons) {
        bool found = false;
        for (const DrawnSprite& s : world.drawn(cell)) found |= s.x == x && s.y == 240;
        EXPECT_TRUE(found) << "cell " << cell << " at " << x;
    }
    EXPECT_EQ(world.drawn(188)[0].scale, 3.0f);
    const auto frame = world.drawn(22);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].x, 224);
    EXPECT_EQ(frame[0].y, 240);
    EXPECT_TRUE(world.drawn(7).empty()); // no map behind the choice
    world.push(KI_BUTTON1);
    EXPECT_EQ(edit->mode, EngineSet::PutDelete);
    EXPECT_EQ(edit->kind, 3);
}

TEST_F(SetEditor, HelpMovesToTheBottomWhileTheCursorIsNearTheTop) {
    start();
    world.draw();
    expectRows({{0, "[1] Put / Delete"}, {2, "[4] Menu"}});
    moveTo(320, 128);
    world.draw();
    EXPECT_EQ(world.textRow(0), "[1] Put / Delete");
    world.push(KI_UP); // y 96
    world.draw();
    expectRows({{0, ""}, {25, "[1] Put / Delete"}, {26, "[2] Select"}});
}

TEST_F(SetEditor, SaveWritesTheChipsInTheOrderTheyWerePut) {
    start(2);
    moveTo(32, 32);
    world.push(KI_BUTTON1);
    chooseKind(2);
    moveTo(608, 448);
    world.push(KI_BUTTON1);
    menu(0);
    const std::vector<uint8_t> expected{0x02, 0x00, 0x20, 0x00, 0x20, 0x00, 0x00,
                                        0x00, 0x60, 0x02, 0xC0, 0x01, 0x02, 0x00};
    EXPECT_EQ(readBytes("dat/s02.zts"), expected);
}

TEST_F(SetEditor, KindsWithoutAnEnemyAreKeptAndSaved) {
    start(7);
    chooseKind(6);
    world.push(KI_BUTTON1);
    world.push(KI_RIGHT);
    chooseKind(7);
    world.push(KI_BUTTON1);
    menu(0);
    ZTSet back;
    ASSERT_TRUE(back.load("dat/s07.zts"));
    ASSERT_EQ(back.chips.size(), 2u);
    EXPECT_EQ(back.chips.front().kind, 6);
    EXPECT_EQ(back.chips.back().kind, 7);
    EXPECT_EQ(back.chips.back().x, 352);
    world.push(KI_BUTTON4);
    world.draw();
    EXPECT_EQ(world.drawn(188).size(), 3u); // two placed and the ghost at the cursor
}

TEST_F(SetEditor, MenuClearsSavesAndLeaves) {
    ZTSet set;
    set.add(96, 96, 0);
    ASSERT_TRUE(set.save("dat/s03.zts"));
    start(3);
    world.push(KI_BUTTON4);
    world.push(KI_DOWN, 4);
    EXPECT_EQ(edit->menuIndex, 2);
    world.push(KI_UP);
    world.draw();
    expectRows({{0, "[1] Decide"},
                {1, "[4] Close Menu"},
                {4, "  Save"},
                {5, "> All Clear"},
                {6, "  Exit"}});
    EXPECT_TRUE(world.drawn(7).empty());
    EXPECT_TRUE(world.drawn(92).empty());

    world.push(KI_BUTTON1);
    EXPECT_TRUE(edit->set->chips.empty());
    // Cleared but not saved: the file still holds the chip.
    EXPECT_EQ(readBytes("dat/s03.zts").size(), 8u);
    world.push(KI_UP);
    world.push(KI_BUTTON1);
    EXPECT_EQ(readBytes("dat/s03.zts"), (std::vector<uint8_t>{0, 0}));
    world.push(KI_DOWN, 2);
    world.push(KI_BUTTON1);
    EXPECT_EQ(world.sceneNumber(), ZT_SCENE_TITLE);
    EXPECT_NE(readText("_ZT_Debug.log").find("<EngineSet::~EngineSet>\n"), std::string::npos);
}
