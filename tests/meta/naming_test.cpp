// Name entry: the letter set, the ten-letter rule, deleting and the end mark.
#include <gtest/gtest.h>

#include "data/score_file.h"
#include "engine.h"
#include "files.h"
#include "meta_world.h"
#include "platform/files.h"
#include "random.h"
#include "scenes/naming.h"

namespace {
// A world whose table holds a new entry in second place, in the name-entry scene.
struct Naming {
    Naming() : w(ZT_SCENE_NAMING) {
        ZThiScore e;
        e.name = "OLD";
        e.score = 45000;
        w.work->entryScore(e);
        w.frame();
        scene = w.scene<EngineNaming>();
        entry = &*w.work->findNewEntry();
    }
    MetaWorld w;
    EngineNaming* scene = nullptr;
    ZThiScore* entry = nullptr;
};
} // namespace

TEST(Naming, TheEndMarkAtOnceGivesAnEmptyName) {
    Naming n;
    ASSERT_NE(n.scene, nullptr);
    EXPECT_EQ(n.entry->name, "A") << "the first letter is offered";
    n.w.push(KI_LEFT);
    EXPECT_EQ(n.entry->name, "^");
    n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "");
    EXPECT_EQ(n.scene->state, 1);
    n.w.frames(47);
    EXPECT_EQ(keNextScene, ZT_SCENE_NAMING);
    n.w.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_REPSAVE);
    EXPECT_EQ(keScene, nullptr) << "the scene ended with its frame";
    EXPECT_FALSE(n.w.work->scoreTable.begin()->isNew);
    EXPECT_EQ(n.w.work->clearColor, 0u);
}

TEST(Naming, TheTableIsSavedWhenTheNameIsDoneAndNoRandomDrawIsTaken) {
    Naming n;
    n.w.push(KI_RIGHT); // "B"
    n.w.push(KI_BUTTON1);
    n.w.push(KI_LEFT);
    n.w.push(KI_LEFT); // the end mark
    EXPECT_EQ(pfList("score.dat").size(), 0u) << "nothing is written while the name is made";
    const uint32_t sequence = kuRandomState;
    n.w.push(KI_BUTTON1);
    ASSERT_EQ(n.scene->state, 1);
    EXPECT_EQ(kuRandomState, sequence);
    const std::vector<uint8_t> bytes = readBytes("score.dat");
    const ZTscoreTable saved = ztDecodeScores(bytes.data(), bytes.size());
    ASSERT_EQ(saved.size(), 10u);
    EXPECT_EQ(std::next(saved.begin())->name, "B");
    EXPECT_EQ(std::next(saved.begin())->score, 45000u);
}

TEST(Naming, TenLettersJumpToTheEndMark) {
    Naming n;
    for (int i = 0; i < 9; ++i) n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "AAAAAAAAAA");
    n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "AAAAAAAAAA^");
    EXPECT_EQ(n.scene->letter, EngineNaming::endMark);
    n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "AAAAAAAAAA");
    EXPECT_EQ(n.scene->state, 1);
}

TEST(Naming, TenLettersStayTenWhenTheCursorLeavesTheEndMark) {
    Naming n;
    for (int i = 0; i < 10; ++i) n.w.push(KI_BUTTON1);
    ASSERT_EQ(n.entry->name, "AAAAAAAAAA^");
    for (int round = 0; round < 3; ++round) {
        n.w.push(KI_RIGHT); // "A" offered in place of the end mark
        EXPECT_EQ(n.entry->name, "AAAAAAAAAAA");
        n.w.push(KI_BUTTON1);
        EXPECT_EQ(n.entry->name, "AAAAAAAAAA^") << "no eleventh letter";
        EXPECT_EQ(n.scene->letter, EngineNaming::endMark);
    }
    n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "AAAAAAAAAA");
}

TEST(Naming, DeletingNeedsAConfirmedLetterAndTheCursorFollowsIt) {
    Naming n;
    n.w.takeSounds();
    n.w.push(KI_BUTTON2);
    EXPECT_EQ(n.entry->name, "A");
    EXPECT_TRUE(n.w.takeSounds().empty()) << "nothing to delete, no sound";

    for (int i = 0; i < 3; ++i) n.w.push(KI_RIGHT);
    n.w.push(KI_BUTTON1);
    EXPECT_EQ(n.entry->name, "DD");
    for (int i = 0; i < 3; ++i) n.w.push(KI_LEFT);
    EXPECT_EQ(n.entry->name, "DA");
    n.w.takeSounds();
    n.w.push(KI_BUTTON2);
    EXPECT_EQ(n.entry->name, "D");
    EXPECT_EQ(n.w.takeSounds(), std::vector<int>{6});
    n.w.push(KI_RIGHT);
    EXPECT_EQ(n.entry->name, "E") << "right continues from the restored letter";

    // Space is a letter like any other; right wraps from the end mark to A.
    n.w.push(KI_BUTTON1);
    for (int i = 0; i < 6; ++i) n.w.push(KI_LEFT);
    EXPECT_EQ(n.entry->name, "E ");
    n.w.push(KI_BUTTON1);
    n.w.push(KI_RIGHT);
    n.w.push(KI_RIGHT);
    EXPECT_EQ(n.entry->name, "E A");
}

TEST(Naming, BothButtonsTogetherOnTheEndMarkKeepTheName) {
    Naming n;
    n.w.push(KI_BUTTON1);
    n.w.push(KI_BUTTON1);
    n.w.push(KI_LEFT);
    ASSERT_EQ(n.entry->name, "AA^");
    n.w.push(KI_BUTTON1 | KI_BUTTON2);
    EXPECT_EQ(n.entry->name, "AA");
    EXPECT_EQ(n.scene->state, 1);
}

TEST(Naming, TableHighlightsTheNewEntryAsItIsSpelt) {
    Naming n;
    n.w.push(KI_RIGHT);
    n.w.frame(true);
    EXPECT_EQ(n.w.textRow(2), std::string(11, ' ') + "You got a HiScore!");
    EXPECT_EQ(n.w.textRow(8), "    2  B            45000      0     0");
    EXPECT_EQ(n.w.work->clearColor, 0xFFC100u);
}
