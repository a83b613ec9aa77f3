#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "behave.h"
#include "file.h"
#include "log.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zt_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "rep");
        home = fs::current_path();
        fs::current_path(dir);
        klOpen("_ZT_Debug.log");
    }
    void TearDown() override {
        klClose();
        fs::current_path(home);
        fs::remove_all(dir);
    }
    std::string log() { return slurp(dir / "_ZT_Debug.log"); }

    fs::path dir, home;
};

TEST_F(Files, MissingFileLogsInvalidHandleAndReadsNothing) {
    {
        KFFile f("nothing.bin", KFFile::Read);
        EXPECT_FALSE(f.isOpen());
        EXPECT_EQ(f.size(), 0u);
        char buf[4];
        EXPECT_EQ(f.read(buf, 4), 0u);
    }
    EXPECT_NE(log().find("<KFFile::KFFile>\n open [nothing.bin]\n handle = ffffffff\n"
                         "<KFFile::~KFFile>\n"),
              std::string::npos);
    EXPECT_EQ(log().find("Try CloseHandle"), std::string::npos);
}

TEST_F(Files, WriteTruncatesAndModesAreEnforced) {
    std::ofstream("data.bin") << "0123456789";
    {
        KFFile f("data.bin", KFFile::Write);
        ASSERT_TRUE(f.isOpen());
        EXPECT_EQ(f.size(), 0u);
        char buf[2];
        EXPECT_EQ(f.read(buf, 2), 0u); // write-only
        EXPECT_EQ(f.write("ab", 2), 2u);
    }
    {
        KFFile f("data.bin", KFFile::Read);
        EXPECT_EQ(f.size(), 2u);
        EXPECT_EQ(f.write("x", 1), 0u);
        char buf[8] = {};
        EXPECT_EQ(f.read(buf, 8), 2u);
        EXPECT_STREQ(buf, "ab");
    }
    const std::string text = log();
    EXPECT_NE(text.find(" [Access Error]\n"), std::string::npos);
    EXPECT_NE(text.find(" Try CloseHandle [OK]\n"), std::string::npos);
}

TEST_F(Files, ListMatchesWildcardsAndReturnsBareNames) {
    std::ofstream("rep/b.rep") << "x";
    std::ofstream("rep/a.rep") << "x";
    std::ofstream("rep/a.txt") << "x";
    std::vector<std::string> list = {"stale"};
    EXPECT_EQ(kfFileList("rep/*.rep", list), 2);
    EXPECT_EQ(list, (std::vector<std::string>{"a.rep", "b.rep"}));
    ASSERT_TRUE(kfChangeDir("rep"));
    EXPECT_EQ(kfFileList("*.rep", list), 2);
    EXPECT_EQ(kfFileList("*.zzz", list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(kfExist("a.txt"));
    EXPECT_FALSE(kfExist("c.rep"));
    ASSERT_TRUE(kfChangeDir(".."));
    EXPECT_FALSE(kfChangeDir("no such dir"));
    const std::string text = log();
    EXPECT_NE(text.find("<kfFileList>\n File Num 2\n"), std::string::npos);
    EXPECT_NE(text.find(" File Num 0\n"), std::string::npos);
    EXPECT_NE(text.find("<kfChangeDir>\n Try change directry no such dir\n [NG]\n"),
              std::string::npos);
}

TEST_F(Files, SaveReplacesOrRefusesAndLogsLikeARead) {
    // Plain: rename-without-replace and hard links missing, as on a FAT stick; the save then
    // claims the name with an exclusive create.
    for (bool plain : {false, true}) {
        pfSimulatePlainVolume(plain);
        fs::remove("score.dat");
        ASSERT_TRUE(kfSave("score.dat", "abc", 3));
        ASSERT_TRUE(kfSave("score.dat", "de", 2));
        EXPECT_EQ(slurp("score.dat"), "de");
        EXPECT_FALSE(kfSave("score.dat", "zzz", 3, true)) << plain;
        EXPECT_EQ(slurp("score.dat"), "de");
        ASSERT_TRUE(kfSave("rep/new.rep", "new", 3, true)) << plain;
        EXPECT_EQ(slurp("rep/new.rep"), "new");
        fs::remove("rep/new.rep");
        // The claim does not outlive a failed rename.
        pfInjectFault(PfFault::RenameError);
        EXPECT_FALSE(kfSave("rep/new.rep", "new", 3, true));
        EXPECT_FALSE(fs::exists("rep/new.rep")) << plain;
        EXPECT_EQ(pfList("*.tmp*").size() + pfList("rep/*.tmp*").size(), 0u);
    }
    pfSimulatePlainVolume(false);
    pfInjectFault(PfFault::WriteError, 2); // the second write from now
    EXPECT_TRUE(kfSave("score.dat", "1", 1));
    EXPECT_FALSE(kfSave("score.dat", "2", 1));
    EXPECT_TRUE(kfSave("score.dat", "3", 1)) << "a fault strikes once";
    EXPECT_FALSE(kfSave("missing/dir/file", "a", 1));
    const std::string text = log();
    EXPECT_NE(text.find("<kfSave>\n open [score.dat]\n handle = "), std::string::npos);
    EXPECT_NE(text.find(" Try WriteFile [OK]\n Try FlushFileBuffers [OK]\n Try CloseHandle [OK]\n"
                        " Try MoveFile [OK]\n"),
              std::string::npos);
    EXPECT_NE(text.find(" Try MoveFile [NG]\n (File exists)\n"), std::string::npos);
    EXPECT_NE(text.find(" open [missing/dir/file]\n handle = ffffffff\n (No such file"),
              std::string::npos);
}

// Where files live in memory until stored (the browser), a save succeeds only once stored.
int persisted = 0;
bool storeOk = true;
bool countStore() {
    persisted += 1;
    return storeOk;
}

TEST_F(Files, SaveWaitsForItsStorageAndFailsWithIt) {
    pfSetPersist(countStore);
    persisted = 0, storeOk = true;
    EXPECT_TRUE(kfSave("score.dat", "abc", 3));
    EXPECT_FALSE(kfSave("score.dat", "zzz", 3, true)); // refused: nothing new to store
    EXPECT_EQ(persisted, 1);
    storeOk = false;
    errno = 0;
    EXPECT_FALSE(pfWriteAtomic("score.dat", "de", 2));
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(persisted, 2);
    pfSetPersist(nullptr);
    EXPECT_TRUE(kfSave("score.dat", "f", 1));
    EXPECT_EQ(persisted, 2);
}

TEST_F(Files, LogFramesAndScratchCount) {
    ksInitializeScratch();
    struct Part : KilnScratch {};
    new Part();
    ksDisposeScratch();
    ksDisposeScratch();
    klClose();
    const std::string text = log();
    EXPECT_NE(text.find("<KilnScratch::ksDisposeScratch>\n ksmCount = 1\n"), std::string::npos);
    EXPECT_NE(text.find("<KilnScratch::ksDisposeScratch>\n ksmCount = 0\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 13), "\nEnd of Log.\n");
    klWrite("after close\n"); // goes nowhere
    EXPECT_EQ(log(), text);
    klOpen("_ZT_Debug.log");
}

} // namespace
