// Reading and writing "zent.ini": defaults, bad values, booleans and the round trip.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "config.h"
#include "platform/files.h"
#include "platform/platform.h"

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

namespace {
// Every bounded field within its bounds, whatever the file held.
void expectSane(const ZTConfig& c, const std::string& what) {
    EXPECT_TRUE(c.refreshRate >= 1 && c.refreshRate <= 1000) << what;
    EXPECT_TRUE(c.drawInterval >= 1 && c.drawInterval <= 60) << what;
    EXPECT_TRUE(std::isfinite(c.spriteOffset) && c.spriteOffset >= -1.0 && c.spriteOffset <= 1.0)
        << what;
    EXPECT_TRUE(c.stage >= 1 && c.stage <= 24) << what;
    EXPECT_TRUE(c.tailCount >= 1 && c.tailCount <= 50) << what;
    EXPECT_TRUE(c.scale >= 1 && c.scale <= 16) << what;
    EXPECT_TRUE(c.width >= 0 && c.width <= 16384 && c.height >= 0 && c.height <= 16384) << what;
    EXPECT_TRUE(c.seVolume >= 0 && c.seVolume <= 100 && c.bgmVolume >= 0 && c.bgmVolume <= 100)
        << what;
}

double fieldOf(const ZTConfig& c, const std::string& key) {
    if (key == "RefleshRate") return c.refreshRate;
    if (key == "Int") return c.drawInterval;
    if (key == "SpriteOfs") return c.spriteOffset;
    if (key == "Stage") return c.stage;
    if (key == "Tail") return c.tailCount;
    if (key == "Scale") return c.scale;
    if (key == "SEVolume") return c.seVolume;
    if (key == "BGMVolume") return c.bgmVolume;
    if (key == "Top") return c.top;
    if (key == "Width") return c.width;
    if (key == "Height") return c.height;
    return c.left;
}
} // namespace

TEST_F(Config, HostileValuesGiveTheDefaultAndBoundsHold) {
    struct Key {
        const char* section;
        const char* name;
        double fallback, lowest, highest; // the default and the bounds
    };
    const Key keys[] = {{"Screen", "RefleshRate", 60, 1, 1000},
                        {"Screen", "Int", 1, 1, 60},
                        {"Screen", "SpriteOfs", 0, -1, 1},
                        {"Debug", "Stage", 1, 1, 24},
                        {"Debug", "Tail", 1, 1, 50},
                        {"Screen", "Scale", 1, 1, 16},
                        {"Sound", "SEVolume", 100, 0, 100},
                        {"Sound", "BGMVolume", 100, 0, 100},
                        {"Form", "Width", 0, 0, 16384},
                        {"Form", "Height", 0, 0, 16384}};
    const std::string hostile[] = {"2000000000",
                                   "99999999999999999999",
                                   "-5",
                                   "-2147483649",
                                   "nan",
                                   "inf",
                                   "-inf",
                                   "",
                                   "garbage",
                                   "12abc",
                                   "1e308",
                                   "0x10",
                                   std::string(5000, '9'),
                                   "1e-400",
                                   "\x01\xff"};
    for (const Key& k : keys) {
        const std::string head = std::string("[") + k.section + "]\n" + k.name + "=";
        for (const std::string& value : hostile) {
            writeText(head + value + "\n");
            ZTConfig c;
            c.stage = 9, c.tailCount = 9, c.drawInterval = 9, c.refreshRate = 9;
            c.spriteOffset = 0.5; // a bad value resets its field, not only leaves it
            c.scale = 9, c.seVolume = 9, c.bgmVolume = 9;
            c.width = 9, c.height = 9;
            ztReadConfig(kPath, c);
            EXPECT_EQ(fieldOf(c, k.name), k.fallback) << k.name << "=" << value.substr(0, 40);
            expectSane(c, value.substr(0, 40));
        }
        // The bounds themselves are taken, one step beyond them is not.
        const double step = std::string(k.name) == "SpriteOfs" ? 0.001 : 1;
        for (double v : {k.lowest, k.highest, k.lowest - step, k.highest + step}) {
            char text[32];
            std::snprintf(text, sizeof text, "%.17g", v);
            writeText(head + text + "\n");
            ZTConfig c;
            ztReadConfig(kPath, c);
            const bool inside = v >= k.lowest && v <= k.highest;
            EXPECT_EQ(fieldOf(c, k.name), inside ? v : k.fallback) << k.name << "=" << text;
        }
    }
    // Integers in fields that are not bounded still may not overflow.
    writeText("[Form]\nTop=99999999999\nLeft=-2147483648\n");
    ZTConfig c;
    ztReadConfig(kPath, c);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.left, INT_MIN);
    // Not an INI file at all, and a line of a megabyte: the program still gets sane values.
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
    std::string huge = "[Debug]\nTail=" + std::string(1 << 20, '7') + "\nStage=3\n";
    for (const std::string& text : {binary, huge, "[Debug]\n" + std::string(1 << 20, 'x')}) {
        writeText(text);
        ZTConfig got;
        ztReadConfig(kPath, got);
        expectSane(got, text.substr(0, 20));
    }
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
    out.drawInterval = 60;
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
    out.width = 1000;
    out.height = 720;
    ASSERT_TRUE(kiBindKey(out.bindings, 4, 0x11)); // up on W
    ASSERT_TRUE(kiBindPadButton(out.bindings, 0, KP_RIGHT_SHOULDER));
    ASSERT_TRUE(ztWriteConfig(kPath, out));
    const std::string text = readText(kPath);
    // Without a platform to name them, keys and buttons go by number.
    EXPECT_EQ(text, "[Screen]\nWindowMode=0\nRefleshRate=85\nInt=60\nSpriteOfs=0.1\nScale=3\n"
                    "FocusPause=0\nVSync=0\n[Sound]\nBGM=0\nSEVolume=0\nBGMVolume=55\n"
                    "[Debug]\nStage=24\nTail=50\n[Form]\nTop=123\nLeft=-7\nWidth=1000\n"
                    "Height=720\n"
                    "[Keys]\nFire=#44\nSecond=#45\nEdit1=#46\nEdit2=#47\nUp=#17\nDown=#208\n"
                    "Left=#203\nRight=#205\n[Pad]\nFire=#10\nSecond=#1\nEdit1=#2\nEdit2=#3\n"
                    "Up=#11\nDown=#12\nLeft=#13\nRight=#14\n");
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
    EXPECT_EQ(in.width, out.width);
    EXPECT_EQ(in.height, out.height);
    EXPECT_EQ(in.bindings, out.bindings);
}

TEST_F(Config, ControlsThatCannotBeBoundKeepTheirDefaults) {
    // Unknown names, reserved keys (Escape, Space, P) and buttons (Start), and a key given
    // twice: the second binding takes it, and the first gets the second's old key.
    writeText("[Keys]\nFire=nonsense\nSecond=#1\nEdit1=#57\nEdit2=#25\nUp=#17\nDown=#17\n"
              "Left=\nRight=#999\n[Pad]\nFire=#6\nSecond=#-1\nUp=#9\nDown=#9\n");
    ZTConfig c;
    ASSERT_TRUE(ztReadConfig(kPath, c));
    KIBindings expected = kiDefaultBindings();
    expected.key[4] = KI_KEY_DOWN; // Up had W, then Down took it and gave Up its own
    expected.key[5] = 0x11;
    expected.pad[4] = KP_DPAD_DOWN;
    expected.pad[5] = KP_LEFT_SHOULDER;
    EXPECT_EQ(c.bindings, expected);
    // A file from before the controls keeps the keys the game always had.
    writeText("[Screen]\nScale=2\n");
    ZTConfig old;
    ASSERT_TRUE(ztReadConfig(kPath, old));
    EXPECT_EQ(old.bindings, kiDefaultBindings());
}
