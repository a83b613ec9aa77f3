// The save and select scenes as a player sees and drives them: the printed lines, the cursor,
// the sounds, the paging and the hand-over to the replay.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/replay_file.h"
#include "engine.h"
#include "rep_world.h"
#include "scenes/repsave.h"
#include "scenes/repselect.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint32_t> someWords(size_t n) {
    std::vector<uint32_t> w(n);
    for (size_t i = 0; i < n; ++i) w[i] = static_cast<uint32_t>((i * 7) & 0x0F01);
    return w;
}

// The text starting at `column` on `row`, `length` characters long.
std::string at(const RepWorld& world, int row, int column, size_t length) {
    const std::string text = world.textRow(row);
    if (static_cast<int>(text.size()) <= column) return {};
    return text.substr(column, length);
}

uint32_t colourAt(const RepWorld& world, int row, int column) {
    for (const PrintedChar& p : world.printed(row))
        if (p.column == column) return p.colour;
    return 0;
}

std::string fileName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "zt2026_0101_0000%02d.rep", n);
    return name;
}

// `count` valid files, file i scoring 1000 * (i + 1) on field i + 1 with tail i + 2.
void writeFiles(int count) {
    for (int i = 0; i < count; ++i)
        writeRepFile(fileName(i), 1000u * (i + 1), i + 1, i + 2, someWords(3));
}

} // namespace

TEST(RepSave, NameFollowsTheClockAndTheFileGetsTheNameShownWhenConfirmed) {
    FakeClock clock(2026, 12, 8, 10, 0, 0);
    RepWorld world(ZT_SCENE_REPSAVE);
    world.input.kimRecordBuf = someWords(300);
    world.work->score = 4321;
    world.frame();
    EXPECT_EQ(world.work->clearColor, 0xFFC100u);
    EXPECT_EQ(at(world, 6, 7, 22), "zt2026_1208_100000.rep");
    EXPECT_EQ(colourAt(world, 6, 7), 0xFFE080FFu);
    EXPECT_EQ(at(world, 8, 10, 18), "Save Replay Data ?");
    EXPECT_EQ(at(world, 12, 16, 5), "> YES");
    EXPECT_EQ(at(world, 14, 18, 2), "NO");

    clock.advance(1);
    world.frame();
    EXPECT_EQ(at(world, 6, 7, 22), "zt2026_1208_100001.rep");

    clock.advance(1);
    world.hold(KI_BUTTON1);
    world.frame(); // confirmed while the screen shows ...100002
    world.hold(0);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{8});
    for (int i = 0; i < 63; ++i) {
        clock.advance(1); // the clock runs on; the name stays
        world.frame();
    }
    EXPECT_EQ(at(world, 6, 7, 22), "zt2026_1208_100002.rep");
    EXPECT_FALSE(fs::exists("rep/zt2026_1208_100002.rep")) << "written after 64 frames";
    world.frame();
    ASSERT_TRUE(fs::exists("rep/zt2026_1208_100002.rep"));
    EXPECT_EQ(fs::file_size("rep/zt2026_1208_100002.rep"), 32u + 4u * 300u);
    EXPECT_EQ(std::distance(fs::directory_iterator("rep"), fs::directory_iterator{}), 1);
    EXPECT_EQ(at(world, 12, 16, 6), "> OK !");
    EXPECT_EQ(world.textRow(14), "");

    world.frames(47);
    EXPECT_EQ(keNextScene, ZT_SCENE_REPSAVE);
    world.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
    EXPECT_EQ(world.work->clearColor, 0u) << "the colour goes back with the scene";
}

TEST(RepSave, CursorStaysBetweenYesAndNoAndNoSavesNothing) {
    FakeClock clock(2026, 12, 8, 10, 0, 0);
    RepWorld world(ZT_SCENE_REPSAVE);
    world.input.kimRecordBuf = someWords(10);
    world.frame();
    auto* save = world.scene<EngineRepSave>();
    ASSERT_NE(save, nullptr);

    world.push(KI_UP);
    EXPECT_EQ(save->cursor, 0);
    EXPECT_TRUE(world.takeSounds().empty()) << "Up on YES does nothing";
    world.push(KI_DOWN);
    EXPECT_EQ(save->cursor, 1);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{9});
    EXPECT_EQ(at(world, 14, 16, 4), "> NO");
    world.push(KI_DOWN);
    EXPECT_EQ(save->cursor, 1);
    EXPECT_TRUE(world.takeSounds().empty()) << "Down on NO does nothing";
    world.push(KI_UP | KI_DOWN);
    EXPECT_EQ(save->cursor, 1) << "both at once on NO: up, then down again";
    EXPECT_EQ(world.takeSounds(), (std::vector<int>{9, 9}));

    world.push(KI_BUTTON1);
    world.frames(62);
    EXPECT_EQ(keNextScene, ZT_SCENE_REPSAVE);
    world.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE) << "NO goes to the title after 64 frames";
    EXPECT_TRUE(fs::is_empty("rep"));
}

TEST(RepSave, ChosenWordBlinksAndATakenNameGetsASuffix) {
    FakeClock clock(2026, 12, 8, 10, 0, 0);
    RepWorld world(ZT_SCENE_REPSAVE);
    writeBytes("rep/zt2026_1208_100000.rep", {'o', 'l', 'd'});
    world.input.kimRecordBuf = someWords(10);
    world.frame();
    world.hold(KI_BUTTON1);
    world.frame();
    world.hold(0);
    // The push frame has timer 0; the word is off for timers 0..3, on for 4..7, and so on.
    std::string seen;
    for (int timer = 0; timer < 12; ++timer) {
        if (timer > 0) world.frame();
        seen += at(world, 12, 18, 3) == "YES" ? 'Y' : '-';
        EXPECT_EQ(at(world, 14, 18, 2), "NO") << "the other word stays";
    }
    EXPECT_EQ(seen, "----YYYY----");

    world.frames(64 - 11);
    EXPECT_EQ(at(world, 12, 18, 4), "OK !") << "the name is taken: the play takes the next one";
    EXPECT_EQ(at(world, 6, 7, 24), "zt2026_1208_100000_2.rep");
    EXPECT_EQ(readBytes("rep/zt2026_1208_100000.rep"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztReadReplayFile("rep/zt2026_1208_100000_2.rep", header, words));
    EXPECT_EQ(words, someWords(10));
}

TEST(RepSave, APlayLongerThanAnyReaderTakesShowsNGAndLeavesNoFile) {
    FakeClock clock(2026, 12, 8, 10, 0, 0);
    RepWorld world(ZT_SCENE_REPSAVE);
    world.input.kimRecordBuf.assign(size_t{ztReplayMaxWords} + 1, 0);
    world.push(KI_BUTTON1);
    world.frames(63);
    EXPECT_EQ(at(world, 12, 18, 4), "NG !");
    EXPECT_TRUE(fs::is_empty("rep"));
}

TEST(RepSave, NoReplayFolderShowsNG) {
    FakeClock clock(2026, 12, 8, 10, 0, 0);
    RepWorld world(ZT_SCENE_REPSAVE);
    fs::remove_all("rep");
    world.input.kimRecordBuf = someWords(10);
    world.push(KI_BUTTON1);
    world.frames(63);
    EXPECT_EQ(at(world, 12, 18, 4), "NG !");
    EXPECT_FALSE(fs::exists("rep"));
}

TEST(RepSelect, NoFileShowsNoFileThenTheTitle) {
    for (bool folder : {true, false}) {
        RepWorld world(ZT_SCENE_REPSELECT);
        if (!folder) fs::remove_all("rep");
        world.frame();
        EXPECT_EQ(at(world, 12, 16, 7), "NO File") << folder;
        world.frames(64);
        EXPECT_EQ(keNextScene, ZT_SCENE_REPSELECT) << "65 frames of NO File";
        world.frame();
        EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
    }
}

TEST(RepSelect, ReadsOneFilePerFrameThenListsAPageOfEight) {
    RepWorld world(ZT_SCENE_REPSELECT);
    writeFiles(8);
    for (int k = 1; k < 8; ++k) {
        world.frame();
        EXPECT_EQ(world.scene<EngineRepSelect>()->infos.size(), static_cast<size_t>(k));
        EXPECT_EQ(at(world, 1, 12, 14), "Reading Info " + std::to_string(k));
    }
    world.frame();
    EXPECT_EQ(world.scene<EngineRepSelect>()->state, 1);
    EXPECT_EQ(at(world, 1, 14, 11), "Select File");
    EXPECT_EQ(at(world, 28, 28, 11), "Page  1/ 1") << "eight files are one page";
    EXPECT_EQ(at(world, 3, 2, 24), ">" + fileName(0));
    EXPECT_EQ(at(world, 4, 5, 30), "SC:0001000    ST:  1  TAIL:  2");
    EXPECT_EQ(colourAt(world, 4, 5), 0xFF80FF80u);
    EXPECT_EQ(at(world, 4, 36, 2), "JA") << "each play's language";
    EXPECT_EQ(at(world, 24, 3, 22), fileName(7));
    EXPECT_EQ(at(world, 25, 5, 30), "SC:0008000    ST:  8  TAIL:  9");

    world.push(KI_UP);
    EXPECT_EQ(world.scene<EngineRepSelect>()->cursor, 7) << "Up from the top wraps";
    EXPECT_EQ(at(world, 24, 2, 1), ">");
    world.push(KI_DOWN);
    EXPECT_EQ(world.scene<EngineRepSelect>()->cursor, 0);
    world.push(KI_RIGHT);
    world.push(KI_LEFT);
    EXPECT_EQ(world.scene<EngineRepSelect>()->page, 0);
    EXPECT_EQ(world.takeSounds(), (std::vector<int>{9, 9})) << "no page to turn to";
    world.push(KI_BUTTON2);
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
}

TEST(RepSelect, NineFilesMakeTwoPagesTheSecondWithOneEntry) {
    RepWorld world(ZT_SCENE_REPSELECT);
    writeFiles(9);
    world.frames(9);
    auto* select = world.scene<EngineRepSelect>();
    ASSERT_EQ(select->state, 1);
    EXPECT_EQ(at(world, 28, 28, 11), "Page  1/ 2");
    world.push(KI_DOWN);
    world.push(KI_RIGHT);
    EXPECT_EQ(select->page, 1);
    EXPECT_EQ(select->cursor, 0);
    EXPECT_EQ(at(world, 28, 28, 11), "Page  2/ 2");
    EXPECT_EQ(at(world, 3, 2, 24), ">" + fileName(8));
    EXPECT_EQ(world.textRow(6), "") << "one entry on the last page";
    world.takeSounds();
    world.push(KI_UP);
    EXPECT_EQ(select->cursor, 0);
    world.push(KI_DOWN);
    EXPECT_EQ(select->cursor, 0);
    world.push(KI_RIGHT);
    EXPECT_EQ(select->page, 1);
    EXPECT_EQ(world.takeSounds(), (std::vector<int>{9, 9})) << "Right on the last page is silent";
    world.push(KI_LEFT);
    EXPECT_EQ(select->page, 0);
    EXPECT_EQ(at(world, 3, 2, 24), ">" + fileName(0));
}

TEST(RepSelect, ADamagedFileIsListedInRedAndChoosingItReturnsToTheList) {
    RepWorld world(ZT_SCENE_REPSELECT);
    writeFiles(2);
    std::vector<uint8_t> bad = readBytes("rep/" + fileName(0));
    bad[4] = 74;
    writeBytes("rep/" + fileName(0), bad);
    world.frames(2);
    EXPECT_EQ(at(world, 3, 3, 22), fileName(0));
    EXPECT_EQ(colourAt(world, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(at(world, 4, 5, 10), "Error File");
    EXPECT_EQ(colourAt(world, 4, 5), 0xFFFFFF00u);
    EXPECT_EQ(colourAt(world, 6, 3), 0xFFFFFFFFu) << "the good file stays white";

    world.takeSounds();
    world.hold(KI_BUTTON1);
    world.frame();
    world.hold(0);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{5});
    EXPECT_EQ(world.textRow(3), "") << "the chosen entry blinks, starting hidden";
    EXPECT_EQ(at(world, 6, 3, 22), fileName(1));
    world.frames(4);
    EXPECT_EQ(at(world, 3, 3, 22), fileName(0));
    world.frames(44);
    EXPECT_EQ(world.scene<EngineRepSelect>()->state, 2);
    world.frame();
    EXPECT_EQ(world.scene<EngineRepSelect>()->state, 1) << "back to the list after 49 frames";
    EXPECT_EQ(keNextScene, ZT_SCENE_REPSELECT);
}

TEST(RepSelect, ChoosingAFileLoadsItAndStartsTheReplayWithAnEmptyRecordBuffer) {
    RepWorld world(ZT_SCENE_REPSELECT);
    writeFiles(1);
    const std::vector<uint32_t> words = {0x100, 0x101, 0x001, 0x800};
    writeRepFile(fileName(1), 5, 1, 1, words);
    world.input.kimRecordBuf = someWords(50); // the last play, not saved
    world.frames(2);
    world.push(KI_DOWN);
    world.takeSounds();
    world.hold(KI_BUTTON1);
    world.frame();
    world.hold(0);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{8});
    world.frames(48);
    EXPECT_EQ(world.input.kimRecordBuf.size(), 50u);
    EXPECT_EQ(keNextScene, ZT_SCENE_REPSELECT);
    world.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_KAIWA);
    EXPECT_EQ(world.input.kimPlayBuf, words);
    EXPECT_TRUE(world.input.kimRecordBuf.empty()) << "the unsaved play can no longer be saved";
    EXPECT_FALSE(world.input.kimRecording);
    EXPECT_EQ(world.input.kimCursor, 0);
    EXPECT_TRUE(world.work->replay);
    EXPECT_EQ(world.work->field, 1);
    EXPECT_EQ(world.work->tail, 1);
}
