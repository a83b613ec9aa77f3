// Reading and writing "zent.ini": defaults, bad values, booleans and the round trip.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "config.h"
#include "platform/files.h"

namespace {
// Named after the test, so that tests run side by side never share a file.
std::string pathName() {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini";
}

std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void expectDefaults(const ZTConfig& c) {
    EXPECT_TRUE(c.windowMode);
    EXPECT_EQ(c.refreshRate, 60);
    EXPECT_EQ(c.drawInterval, 1);
    EXPECT_EQ(c.spriteOffset, 0.0);
    EXPECT_TRUE(c.bgmEnabled);
    EXPECT_EQ(c.stage, 1);
    EXPECT_EQ(c.tailCount, 1);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.scale, 1);
    EXPECT_TRUE(c.focusPause);
    EXPECT_TRUE(c.vsync);
    EXPECT_EQ(c.seVolume, 100);
    EXPECT_EQ(c.bgmVolume, 100);
}

class Config : public ::testing::Test {
protected:
    void TearDown() override { std::remove(kPath); }
    const std::string path = pathName();
    const char* kPath = path.c_str();
    void writeText(const std::string& text) {
        ASSERT_TRUE(pfWriteAtomic(kPath, text.data(), text.size()));
    }
};
} // namespace

TEST_F(Config, MissingFileGivesDefaults) {
    std::remove(kPath);
    ZTConfig c;
    EXPECT_FALSE(ztReadConfig(kPath, c));
    expectDefaults(c);
}

TEST_F(Config, AllNineKeysAreRead) {
    writeText("[Screen]\nWindowMode=0\nRefleshRate=75\nInt=3\nSpriteOfs=0.5\n"
              "[Sound]\nBGM=0\n[Debug]\nStage=12\nTail=46\n[Form]\nTop=-20\nLeft=300\n");
    ZTConfig c;
    EXPECT_TRUE(ztReadConfig(kPath, c));
    EXPECT_FALSE(c.windowMode);
    EXPECT_EQ(c.refreshRate, 75);
    EXPECT_EQ(c.drawInterval, 3);
    EXPECT_EQ(c.spriteOffset, 0.5);
    EXPECT_FALSE(c.bgmEnabled);
    EXPECT_EQ(c.stage, 12);
    EXPECT_EQ(c.tailCount, 46);
    EXPECT_EQ(c.top, -20);
    EXPECT_EQ(c.left, 300);
    // A file from before the player's comforts keeps each of their defaults.
    ZTConfig fresh;
    EXPECT_EQ(c.scale, fresh.scale);
    EXPECT_EQ(c.focusPause, fresh.focusPause);
    EXPECT_EQ(c.vsync, fresh.vsync);
    EXPECT_EQ(c.seVolume, fresh.seVolume);
    EXPECT_EQ(c.bgmVolume, fresh.bgmVolume);
}

TEST_F(Config, MissingKeysAndSectionsKeepTheirDefaults) {
    writeText("[Debug]\nStage=7\n[Other]\nTop=99\n");
    ZTConfig c;
    ztReadConfig(kPath, c);
    EXPECT_EQ(c.stage, 7);
    c.stage = 1;
    expectDefaults(c); // "Top" outside [Form] is not the window's top
}

TEST_F(Config, ValuesThatDoNotParseGiveTheDefault) {
    writeText("[Screen]\nWindowMode=yes\nRefleshRate=60Hz\nInt=\nSpriteOfs=abc\n"
              "[Sound]\nBGM=on\n[Debug]\nStage=99999999999\nTail=1.5\n[Form]\nTop=0x10\n"
              "Left=nan\nScale=0\n[Screen]\nVSync=off\nScale=17\n[Sound]\nSEVolume=101\n"
              "BGMVolume=-1\n");
    ZTConfig c;
    ztReadConfig(kPath, c);
    expectDefaults(c);
}

TEST_F(Config, BooleansAreAnyNonZeroInteger) {
    writeText("[Screen]\nWindowMode=2\n[Sound]\nBGM=-1\n");
    ZTConfig c;
    ztReadConfig(kPath, c);
    EXPECT_TRUE(c.windowMode);
    EXPECT_TRUE(c.bgmEnabled);
    writeText("[Screen]\nWindowMode=0\n[Sound]\nBGM=0\n");
    ztReadConfig(kPath, c);
    EXPECT_FALSE(c.windowMode);
    EXPECT_FALSE(c.bgmEnabled);
}

TEST_F(Config, NamesIgnoreCaseAndSpacesAroundValues) {
    writeText("[screen]\nint = 2\n[FORM]\n  top=  15\n");
    ZTConfig c;
    ztReadConfig(kPath, c);
    EXPECT_EQ(c.drawInterval, 2);
    EXPECT_EQ(c.top, 15);
}

TEST_F(Config, WrittenFileReadsBackTheSame) {
    ZTConfig out;
    out.windowMode = false;
    out.refreshRate = 85;
    out.drawInterval = 0;
    out.spriteOffset = 0.1;
    out.bgmEnabled = false;
    out.stage = 24;
    out.tailCount = 50;
    out.top = 123;
    out.left = -7;
    out.scale = 3;
    out.focusPause = false;
    out.vsync = false;
    out.seVolume = 0;
    out.bgmVolume = 55;
    ASSERT_TRUE(ztWriteConfig(kPath, out));
    const std::string text = readText(kPath);
    EXPECT_EQ(text, "[Screen]\nWindowMode=0\nRefleshRate=85\nInt=0\nSpriteOfs=0.1\nScale=3\n"
                    "FocusPause=0\nVSync=0\n[Sound]\nBGM=0\nSEVolume=0\nBGMVolume=55\n"
                    "[Debug]\nStage=24\nTail=50\n[Form]\nTop=123\nLeft=-7\n");
    ZTConfig in;
    ASSERT_TRUE(ztReadConfig(kPath, in));
    EXPECT_EQ(in.windowMode, out.windowMode);
    EXPECT_EQ(in.refreshRate, out.refreshRate);
    EXPECT_EQ(in.drawInterval, out.drawInterval);
    EXPECT_EQ(in.spriteOffset, out.spriteOffset);
    EXPECT_EQ(in.bgmEnabled, out.bgmEnabled);
    EXPECT_EQ(in.stage, out.stage);
    EXPECT_EQ(in.tailCount, out.tailCount);
    EXPECT_EQ(in.top, out.top);
    EXPECT_EQ(in.left, out.left);
    EXPECT_EQ(in.scale, out.scale);
    EXPECT_EQ(in.focusPause, out.focusPause);
    EXPECT_EQ(in.vsync, out.vsync);
    EXPECT_EQ(in.seVolume, out.seVolume);
    EXPECT_EQ(in.bgmVolume, out.bgmVolume);
}
