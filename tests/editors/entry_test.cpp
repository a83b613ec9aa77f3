// The way in: the title's developer menu hands its number to the editors, and the press that
// chose an editor does nothing inside it.
#include <gtest/gtest.h>

#include "creator.h"
#include "data/map.h"
#include "data/set.h"
#include "editor_world.h"
#include "input.h"
#include "scenes/edit.h"
#include "scenes/setedit.h"

namespace {
// From "PRESS BUTTON" into the developer menu, to `line`, the number raised by `steps`, and Z.
void choose(EditorWorld& world, int line, int steps) {
    world.hold(KI_BUTTON3 | KI_BUTTON4);
    world.frames(2);
    world.push(KI_BUTTON1 | KI_BUTTON3 | KI_BUTTON4);
    world.push(KI_DOWN, line);
    world.push(KI_RIGHT, steps);
    // Z stays down while the editor starts.
    world.hold(KI_BUTTON1);
    world.frames(4);
}

// Chooses an editor as above and lets Z go inside it; null when another scene came up.
template <class Editor> Editor* open(EditorWorld& world, int line, int steps) {
    choose(world, line, steps);
    Editor* editor = world.scene<Editor>();
    world.hold(0);
    world.frame();
    return editor;
}
} // namespace

TEST(EditorEntry, TheDeveloperMenusNumberPicksTheMapAndTheSet) {
    EditorWorld world;
    ZTMap floor(nullptr, 10, 8, 12);
    ASSERT_TRUE(floor.save("dat/m02.ztm"));
    world.start(ZT_SCENE_TITLE, 1);
    EngineEdit* edit = open<EngineEdit>(world, 2, 5); // EDIT MAP with number 6
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->mapNumber, 2);
    for (const auto& row : edit->map->cells)
        for (uint16_t chip : row) EXPECT_EQ(chip, 12);
    EXPECT_EQ(edit->mode, EngineEdit::Put);

    world.push(KI_BUTTON4);
    world.push(KI_DOWN, 3);
    world.push(KI_BUTTON1);
    ASSERT_EQ(world.sceneNumber(), ZT_SCENE_TITLE);
    EngineSet* set = open<EngineSet>(world, 0, 7); // SET ENEMY with number 13
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->setNumber, 13);
    EXPECT_TRUE(set->set->chips.empty());
    world.push(KI_BUTTON4);
    world.push(KI_BUTTON1);
    EXPECT_EQ(readBytes("dat/s13.zts"), (std::vector<uint8_t>{0, 0}));
}
