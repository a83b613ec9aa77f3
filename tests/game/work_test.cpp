// The game work: the hi-score file, the table's insertion rule, extends and the play's counters.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/score_file.h"
#include "fields.h"
#include "files.h"
#include "game_play.h"
#include "input.h"
#include "log.h"
#include "platform/files.h"
#include "random.h"

namespace {

bool sameTable(const ZTscoreTable& a, const ZTscoreTable& b) {
    if (a.size() != b.size()) return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
        if (i->name != j->name || i->score != j->score || i->field != j->field ||
            i->tail != j->tail)
            return false;
    return true;
}

} // namespace

TEST(ScoreFile, WithoutAFileTheDefaultTableIsSavedAs336BytesAndReadsBack) {
    ScratchDir dir;
    ZTscoreTable first;
    {
        ZTWork work;
        ASSERT_EQ(work.scoreTable.size(), 10u);
        EXPECT_EQ(work.scoreTable.front().name, "NATTOH");
        EXPECT_EQ(work.scoreTable.front().score, 50000u);
        EXPECT_EQ(work.scoreTable.front().field, 10u);
        EXPECT_EQ(work.scoreTable.front().tail, 20u);
        EXPECT_EQ(work.scoreTable.back().name, "WASABI");
        EXPECT_EQ(work.scoreTable.back().score, 5000u);
        EXPECT_EQ(work.scoreTable.back().tail, 11u);
        first = work.scoreTable;
    }
    const std::vector<uint8_t> bytes = readBytes("score.dat");
    ASSERT_EQ(bytes.size(), 336u);
    uint32_t key = 0;
    for (int i = 0; i < 16; ++i) {
        EXPECT_LE(bytes[i], 254);
        key += bytes[i];
    }
    // Entry 0's score sits at 32 after the key, offset by the key.
    const uint32_t stored = bytes[32] | bytes[33] << 8 | bytes[34] << 16 | bytes[35] << 24;
    EXPECT_EQ(stored, 50000u + key);
    EXPECT_EQ(bytes[44], 0); // the fourth word is zero
    ZTWork again;
    EXPECT_TRUE(sameTable(again.scoreTable, first));
}

TEST(ScoreFile, EachSaveUsesANewKeyButTheSameTable) {
    ZTscoreTable table = ztDefaultScores();
    table.front().name = "ABCDEFGHIJKLMNOPQRST"; // beyond 16 bytes is not stored
    uint8_t k1[16], k2[16];
    kuSeed(1);
    ztDrawScoreKey(k1);
    ztDrawScoreKey(k2);
    const auto a = ztEncodeScores(table, k1), b = ztEncodeScores(table, k2);
    EXPECT_NE(a, b);
    const ZTscoreTable da = ztDecodeScores(a.data(), a.size());
    const ZTscoreTable db = ztDecodeScores(b.data(), b.size());
    EXPECT_TRUE(sameTable(da, db));
    EXPECT_EQ(da.front().name, "ABCDEFGHIJKLMNOP");
}

TEST(ScoreFile, AShortFileKeepsItsWholeEntriesAndBlanksTheRest) {
    const ZTscoreTable table = ztDefaultScores();
    const uint8_t key[16] = {200, 200, 200, 200, 200, 200, 200, 200,
                             200, 200, 200, 200, 200, 200, 200, 200};
    std::vector<uint8_t> bytes = ztEncodeScores(table, key);
    bytes.resize(16 + 32 * 3 + 20); // three whole entries and part of a fourth
    const ZTscoreTable got = ztDecodeScores(bytes.data(), bytes.size());
    ASSERT_EQ(got.size(), 10u);
    auto it = got.begin();
    EXPECT_EQ(it->name, "NATTOH");
    std::advance(it, 2);
    EXPECT_EQ(it->name, "OYAKODON");
    EXPECT_EQ(it->score, 40000u);
    for (++it; it != got.end(); ++it) {
        EXPECT_EQ(it->name, "");
        EXPECT_EQ(it->score, 0u);
        EXPECT_EQ(it->tail, 0u);
    }
    // Even an empty file that opens gives ten (blank) entries.
    EXPECT_EQ(ztDecodeScores(nullptr, 0).size(), 10u);
}

TEST(ScoreFile, AnEmptyScoreFileStillGivesTenEntriesThroughTheWork) {
    ScratchDir dir;
    writeBytes("score.dat", {});
    ZTWork work;
    EXPECT_EQ(work.scoreTable.size(), 10u);
    ZThiScore nothing;
    nothing.name = "ZERO";
    ASSERT_TRUE(work.entryScore(nothing)) << "a score equal to the lowest enters";
    EXPECT_EQ(work.scoreTable.size(), 10u);
    EXPECT_EQ(work.scoreTable.front().name, "ZERO") << "and goes above the equal blanks";
}

TEST(ScoreFile, AFileThatCannotBeReadIsKeptAndTheLogSaysWhy) {
    ScratchDir dir;
    const uint8_t key[16] = {};
    const std::vector<uint8_t> table = ztEncodeScores(ztDefaultScores(), key);
    writeBytes("score.dat", table);
    klOpen("_ZT_Debug.log");
    {
        pfInjectFault(PfFault::ReadError); // a passing fault of the disk
        ZTWork work;
        EXPECT_TRUE(work.scoreTable.empty());
        EXPECT_FALSE(work.saveScores());
    } // and the save at the end
    klClose();
    EXPECT_EQ(readBytes("score.dat"), table);
    EXPECT_NE(
        readText("_ZT_Debug.log").find("score.dat could not be read at start (Input/output error)"),
        std::string::npos);
    ZTWork later; // the fault has passed: the player's table is back
    EXPECT_EQ(later.scoreTable.size(), 10u);
    EXPECT_EQ(later.scoreTable.front().name, "NATTOH");
}

TEST(ScoreTable, EqualScoresEnterAboveAndTheLastEntryDrops) {
    ScratchDir dir;
    ZTWork work;
    ZThiScore e;
    e.score = 4999;
    EXPECT_FALSE(work.entryScore(e));
    EXPECT_EQ(work.findNewEntry(), work.scoreTable.end());

    e.score = 5000;
    e.name = "TENTH";
    ASSERT_TRUE(work.entryScore(e));
    EXPECT_EQ(work.scoreTable.size(), 10u);
    EXPECT_EQ(work.scoreTable.back().name, "TENTH");
    EXPECT_TRUE(work.scoreTable.back().isNew);
    EXPECT_EQ(work.findNewEntry()->name, "TENTH");
    work.clearNewMarks();
    EXPECT_EQ(work.findNewEntry(), work.scoreTable.end());

    e.score = 50000;
    e.name = "TOP";
    ASSERT_TRUE(work.entryScore(e));
    EXPECT_EQ(work.scoreTable.front().name, "TOP");
    EXPECT_EQ(std::next(work.scoreTable.begin())->name, "NATTOH");
    EXPECT_EQ(work.scoreTable.back().name, "SHOGA") << "the new tenth fell out";
}

TEST(Work, ExtendsComeOnePerCallAndTheScoreStopsAtTheCap) {
    GamePlay play;
    ZTWork& w = *play.work;
    w.startGame();
    w.addScore(79990);
    EXPECT_EQ(w.left, 2);
    w.addScore(250000 - 79990);
    EXPECT_EQ(w.extendStage, 1u);
    EXPECT_EQ(w.left, 3);
    EXPECT_EQ(play.platform.audio.played, std::vector<int>{10});
    w.addScore(0);
    EXPECT_EQ(w.extendStage, 2u);
    EXPECT_EQ(w.left, 4);
    w.addScore(1000000);
    EXPECT_EQ(w.left, 4) << "no third extend";
    w.addScore(0xFFFFFFFFu);
    EXPECT_EQ(w.score, 99999999u);
    w.addScore(5);
    EXPECT_EQ(w.score, 99999999u);
}

TEST(Work, StartRestartAndNextFieldResetTheirCounters) {
    GamePlay play;
    ZTWork& w = *play.work;
    w.startGame({.field = 3, .tail = 7, .mode = ZTPlayMode::Recorded});
    EXPECT_EQ(w.field, 3);
    EXPECT_EQ(w.left, 2);
    EXPECT_EQ(w.tailMax, 7);
    EXPECT_TRUE(play.input.kimRecording);
    EXPECT_EQ(play.platform.audio.music, "snd/MU00.ogg");
    EXPECT_TRUE(play.platform.audio.looping);
    w.groundCount = 4;
    w.playerPos = {100.0f, 100.0f, 0.0f};
    w.restartAfterMiss();
    EXPECT_EQ(w.tail, 3);
    EXPECT_EQ(w.left, 1);
    EXPECT_EQ(w.groundCount, 0);
    EXPECT_EQ(w.playerPos.x, 0.0f);
    w.tail = 1;
    w.restartAfterMiss();
    EXPECT_EQ(w.tail, 1);
    w.field = 4;
    w.nextField();
    EXPECT_EQ(w.field, 5);
    EXPECT_EQ(ztFieldMap(w.field), 1) << "field 5 is drawn on map 1 again";

    play.input.kimRecording = false;
    w.startGame({.field = 12, .mode = ZTPlayMode::Recorded, .mark = true});
    EXPECT_TRUE(w.replay) << "the mark forces a replay";
    EXPECT_FALSE(play.input.kimRecording);
    EXPECT_EQ(play.platform.audio.music, "snd/MU02.ogg");
}

TEST(Work, EveryStartSeedsTheSameRandomSequence) {
    GamePlay play;
    play.work->startGame();
    const int a = kuRand(), b = kuRand();
    kuRand();
    play.work->startGame({.field = 5, .tail = 3, .mode = ZTPlayMode::Recorded});
    EXPECT_EQ(kuRand(), a);
    EXPECT_EQ(kuRand(), b);
}
