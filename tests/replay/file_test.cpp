// The replay file through the scene operations: name, write, info and load, and what happens to
// damaged, short, hostile or clashing files.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "creator.h"
#include "data/replay_file.h"
#include "platform/files.h"
#include "rep_world.h"

namespace fs = std::filesystem;

namespace {

using Info = ZTEngine::RepFileInfo;

// A game work and input with a finished play in them: N recorded words and its results.
struct FinishedPlay {
    FinishedPlay(size_t n) : world(ZT_SCENE_TITLE) {
        for (size_t i = 0; i < n; ++i)
            world.input.kimRecordBuf.push_back(static_cast<uint32_t>(i * 2654435761u) & 0x3FFF);
        world.work->score = 1234567;
        world.work->field = 7;
        world.work->tailMax = 42;
    }
    RepWorld world;
};

Info infoOf(const std::string& name) {
    Info info;
    info.valid = 9; // anything but 0 and 1, to see that it is written
    ZTEngine::readReplayInfo(name, info);
    return info;
}

} // namespace

TEST(ReplayFile, NameIsMadeFromTheLocalDateAndTime) {
    FakeClock clock(2004, 3, 3, 14, 5, 9);
    std::string name = "old";
    ZTEngine::makeReplayName(name);
    EXPECT_EQ(name, "zt2004_0303_140509.rep");
    clock.advance(36 * 86400 - 14 * 3600 - 5 * 60 - 9 + 59);
    ZTEngine::makeReplayName(name);
    EXPECT_EQ(name, "zt2004_0408_000059.rep") << "month from 1, hour from 0, padded fields";
}

TEST(ReplayFile, WrittenFileIsHeaderPlusOneWordPerFrameAndReadsBack) {
    FinishedPlay play(1000);
    const std::string dirBefore = fs::current_path().string();
    ASSERT_TRUE(ZTEngine::writeReplay("a.rep"));
    EXPECT_EQ(fs::current_path().string(), dirBefore) << "the operation leaves rep again";
    EXPECT_EQ(fs::file_size("rep/a.rep"), 32u + 4u * 1000u);

    const std::vector<uint8_t> bytes = readBytes("rep/a.rep");
    const uint8_t head[] = {'Z', 'T', 'R', 'P', 75, 0, 0, 0, 0, 0, 0, 0, 0xE8, 3, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    EXPECT_EQ(bytes[16] | bytes[17] << 8 | bytes[18] << 16 | bytes[19] << 24, 1234567);
    EXPECT_EQ(bytes[20], 7);
    EXPECT_EQ(bytes[24], 42);
    EXPECT_EQ(bytes[28] | bytes[29] | bytes[30] | bytes[31], 0);

    const Info info = infoOf("a.rep");
    EXPECT_EQ(info.valid, 1);
    EXPECT_EQ(info.frames, 1000u);
    EXPECT_EQ(info.score, 1234567u);
    EXPECT_EQ(info.field, 7u);
    EXPECT_EQ(info.tail, 42u);
    EXPECT_EQ(fs::current_path().string(), dirBefore);

    ASSERT_TRUE(ZTEngine::loadReplay("a.rep"));
    EXPECT_EQ(play.world.input.kimPlayBuf, play.world.input.kimRecordBuf);
    EXPECT_EQ(fs::current_path().string(), dirBefore);
}

TEST(ReplayFile, AnEmptyPlayIsAValidFileOfNoWords) {
    FinishedPlay play(0);
    ASSERT_TRUE(ZTEngine::writeReplay("empty.rep"));
    EXPECT_EQ(fs::file_size("rep/empty.rep"), 32u);
    EXPECT_EQ(infoOf("empty.rep").valid, 1);
    ASSERT_TRUE(ZTEngine::loadReplay("empty.rep"));
    EXPECT_TRUE(play.world.input.kimPlayBuf.empty());
}

TEST(ReplayFile, AnyChangedMagicByteOrAnotherVersionIsInvalid) {
    FinishedPlay play(10);
    ASSERT_TRUE(ZTEngine::writeReplay("good.rep"));
    const std::vector<uint8_t> good = readBytes("rep/good.rep");
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> bad = good;
        bad[i] ^= 0x20; // "ztrp" in any position is another file
        writeBytes("rep/bad.rep", bad);
        EXPECT_EQ(infoOf("bad.rep").valid, 0) << "magic byte " << i;
    }
    for (uint8_t version : {74, 76, 0}) {
        std::vector<uint8_t> bad = good;
        bad[4] = version;
        writeBytes("rep/bad.rep", bad);
        EXPECT_EQ(infoOf("bad.rep").valid, 0) << "version " << int(version);
        play.world.input.kimPlayBuf = {5};
        EXPECT_FALSE(ZTEngine::loadReplay("bad.rep"));
    }
    std::vector<uint8_t> other = good;
    other[5] = 1; // version 75 + 256
    writeBytes("rep/bad.rep", other);
    EXPECT_EQ(infoOf("bad.rep").valid, 0);
}

TEST(ReplayFile, ShortHeadersAndShortBodiesAreRefused) {
    FinishedPlay play(10);
    ASSERT_TRUE(ZTEngine::writeReplay("good.rep"));
    const std::vector<uint8_t> good = readBytes("rep/good.rep");
    // Every cut: inside the magic, inside the header words, and inside the body.
    for (size_t cut : {0u, 3u, 4u, 28u, 31u, 32u, 35u, 71u}) {
        writeBytes("rep/cut.rep", std::vector<uint8_t>(good.begin(), good.begin() + cut));
        EXPECT_EQ(infoOf("cut.rep").valid, 0) << cut << " bytes";
        play.world.input.kimPlayBuf = {77, 78};
        EXPECT_FALSE(ZTEngine::loadReplay("cut.rep")) << cut << " bytes";
        EXPECT_EQ(play.world.input.kimPlayBuf, (std::vector<uint32_t>{77, 78}))
            << "a refused file leaves the loaded replay alone";
    }
    // Bytes after the last word do no harm.
    std::vector<uint8_t> longer = good;
    longer.insert(longer.end(), {1, 2, 3});
    writeBytes("rep/long.rep", longer);
    EXPECT_EQ(infoOf("long.rep").valid, 1);
    ASSERT_TRUE(ZTEngine::loadReplay("long.rep"));
    EXPECT_EQ(play.world.input.kimPlayBuf.size(), 10u);
}

TEST(ReplayFile, AHugeCountInATinyFileIsRefusedWithoutReadingOn) {
    FinishedPlay play(0);
    for (uint32_t n : {0xFFFFFFFFu, ztReplayMaxWords + 1, ztReplayMaxWords, 3u}) {
        ZTReplayHeader h;
        std::vector<uint8_t> bytes = ztBuildReplay(h, {1, 2});
        for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(n >> (8 * i));
        writeBytes("rep/huge.rep", bytes);
        EXPECT_EQ(infoOf("huge.rep").valid, 0) << n;
        EXPECT_FALSE(ZTEngine::loadReplay("huge.rep")) << n;
    }
}

TEST(ReplayFile, ASaveNeverReplacesAFileAndFailsWithoutTheFolder) {
    FinishedPlay play(5);
    for (bool plain : {false, true}) {
        pfSimulatePlainVolume(plain);
        fs::remove_all("rep");
        fs::create_directory("rep");
        writeBytes("rep/taken.rep", {'m', 'i', 'n', 'e'});
        writeBytes("rep/taken_2.rep", {'t', 'o', 'o'});
        std::string savedAs;
        EXPECT_TRUE(ZTEngine::writeReplay("taken.rep", &savedAs)) << plain;
        EXPECT_EQ(savedAs, "taken_3.rep");
        EXPECT_EQ(readBytes("rep/taken.rep"), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
        EXPECT_EQ(infoOf("taken_3.rep").valid, 1);
        EXPECT_EQ(std::distance(fs::directory_iterator("rep"), fs::directory_iterator{}), 3)
            << "no temporary file or claim is left behind";
    }
    pfSimulatePlainVolume(false);

    fs::remove_all("rep");
    const std::string dirBefore = fs::current_path().string();
    EXPECT_FALSE(ZTEngine::writeReplay("new.rep"));
    EXPECT_EQ(infoOf("new.rep").valid, 0);
    EXPECT_FALSE(ZTEngine::loadReplay("new.rep"));
    EXPECT_EQ(fs::current_path().string(), dirBefore);
    EXPECT_FALSE(fs::exists("new.rep")) << "the program never makes the folder itself";
}

TEST(ReplayFile, ParserAgreesWithTheLoaderOnEveryLength) {
    ZTReplayHeader h;
    h.score = 9;
    const std::vector<uint32_t> words = {0x101, 0x2001, 0x3};
    const std::vector<uint8_t> bytes = ztBuildReplay(h, words);
    for (size_t size = 0; size <= bytes.size(); ++size) {
        ZTReplayHeader got;
        std::vector<uint32_t> out = {42};
        const bool ok = ztParseReplay(bytes.data(), size, got, out);
        EXPECT_EQ(ok, size == bytes.size()) << size;
        EXPECT_EQ(out, ok ? words : std::vector<uint32_t>{42}) << size;
        EXPECT_EQ(ztParseReplayHeader(bytes.data(), size, got), size >= 32) << size;
    }
}

// The last header word is the play's language: 0 in every file from before, so those are
// Japanese plays; a number the root has no language for is listed as an error and not played.
TEST(ReplayFile, TheLastHeaderWordCarriesThePlaysLanguage) {
    FinishedPlay play(10);
    play.world.work->language = ZTLanguage::English;
    ASSERT_TRUE(ZTEngine::writeReplay("en.rep"));
    const std::vector<uint8_t> bytes = readBytes("rep/en.rep");
    EXPECT_EQ(bytes[28] | bytes[29] << 8 | bytes[30] << 16 | bytes[31] << 24, 1);
    EXPECT_EQ(infoOf("en.rep").language, ZTLanguage::English);
    play.world.work->language = ZTLanguage::Japanese;
    ASSERT_TRUE(ZTEngine::loadReplay("en.rep"));
    EXPECT_EQ(play.world.work->language, ZTLanguage::English) << "the replay's start keeps it";

    struct Case {
        uint32_t word;
        bool listed;
    };
    for (const Case c : {Case{0, true}, Case{1, true}, Case{7, false}, Case{256, false},
                         Case{0x01000000, false}}) {
        std::vector<uint8_t> b = bytes;
        for (int i = 0; i < 4; ++i) b[28 + i] = static_cast<uint8_t>(c.word >> (8 * i));
        writeBytes("rep/word.rep", b);
        const Info info = infoOf("word.rep");
        EXPECT_EQ(info.valid, c.listed ? 1 : 0) << c.word;
        EXPECT_EQ(ZTEngine::loadReplay("word.rep"), c.listed) << c.word;
        if (c.listed) {
            EXPECT_EQ(static_cast<uint32_t>(info.language), c.word);
        }
    }
}

namespace {
int stepsBeforeCrash = 0;
void crashAfterSteps(PfStep, bool, long long, int) {
    if (--stepsBeforeCrash == 0) _exit(0);
}
} // namespace

// A copy of the game that dies at any step of a save on a volume without hard links or
// rename-without-replace: the list then holds no new entry or a whole replay, never a file the
// game made that shows as "Error File"; what is left over is removed at the next start.
TEST(ReplayFile, ACrashAtAnyStepOfAPlainVolumeSaveLeavesNoBrokenEntry) {
    FinishedPlay play(3000); // three pieces to write
    bool savedWhole = false;
    for (int steps = 1; !savedWhole; ++steps) {
        ASSERT_LT(steps, 20) << "the save never finished";
        fs::remove_all("rep");
        fs::create_directory("rep");
        writeBytes("rep/taken.rep", {'o', 'l', 'd'}); // the name is taken: the suffix path
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            pfSimulatePlainVolume(true);
            stepsBeforeCrash = steps;
            pfWatchSteps(crashAfterSteps);
            ZTEngine::writeReplay("taken.rep");
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        for (const std::string& name : pfList("rep/*.rep")) {
            if (name == "taken.rep") continue;
            ZTReplayHeader header;
            std::vector<uint32_t> words;
            ASSERT_TRUE(ztReadReplayFile(("rep/" + name).c_str(), header, words))
                << name << " after " << steps << " steps";
            EXPECT_EQ(words, play.world.input.kimRecordBuf);
            EXPECT_EQ(infoOf(name).valid, 1);
            savedWhole = true;
        }
        EXPECT_EQ(readBytes("rep/taken.rep"), (std::vector<uint8_t>{'o', 'l', 'd'}));
        // The child is gone: whatever else it left is stale and goes at the next start.
        pfRemoveStaleTemps("rep");
        EXPECT_EQ(pfList("rep/*").size(), savedWhole ? 2u : 1u) << steps;
    }
}
