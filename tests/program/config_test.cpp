// Reading and writing "zent.ini": defaults, booleans, names, the controls and the language, the
// round trip; and the language a first start takes from the desktop.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config.h"
#include "config_fixture.h"
#include "language.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/platform.h"

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

TEST_F(Config, AFileThatCannotBeReadIsToldFromAMissingOne) {
    std::string why;
    ZTConfig c;
    EXPECT_FALSE(ztReadConfig(kPath, c, &why));
    EXPECT_EQ(why, "") << "a missing file is no fault";
    writeText("[Debug]\nStage=5\n");
    pfInjectFault(PfFault::ReadError);
    EXPECT_FALSE(ztReadConfig(kPath, c, &why));
    pfInjectFault(PfFault::None);
    EXPECT_EQ(why, "Input/output error");
    EXPECT_EQ(c.stage, 1);
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
    out.language = ZTLanguage::English;
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
                    "Height=720\n[Game]\nLanguage=English\n"
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
    EXPECT_EQ(in.language, out.language);
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

// The language is read by its name, in any case; a file from before there was a choice, a name
// the game has no language for, or a number, all give Japanese.
TEST_F(Config, LanguageIsReadByNameAndAnOlderFileKeepsJapanese) {
    struct Case {
        const char* file;
        ZTLanguage want;
    };
    const Case cases[] = {
        {"[Screen]\nWindowMode=1\n[Sound]\nBGM=1\n", ZTLanguage::Japanese},
        {"[Game]\nLanguage=English\n", ZTLanguage::English},
        {"[game]\nlanguage = ENGLISH \n", ZTLanguage::English},
        {"[Game]\nLanguage=Japanese\n", ZTLanguage::Japanese},
        {"[Game]\nLanguage=1\n", ZTLanguage::Japanese},
        {"[Game]\nLanguage=Englis\n", ZTLanguage::Japanese},
        {"[Game]\nLanguage=\n", ZTLanguage::Japanese},
        {"[Game]\nLanguage=English English\n", ZTLanguage::Japanese},
        {"[Screen]\nLanguage=English\n", ZTLanguage::Japanese},
    };
    for (const Case& c : cases) {
        writeText(c.file);
        ZTConfig got;
        ztReadConfig(kPath, got);
        EXPECT_EQ(got.language, c.want) << c.file;
    }
}

// The desktop's languages as the environment names them, and what a first start makes of them,
// with the list of languages a root may hold (a third one added as data).
TEST(FirstStart, EnvironmentLocalesAndTheLanguageTheyPick) {
    struct Env {
        const char *language, *lcAll, *lcMessages, *lang;
        std::vector<std::string> want;
    };
    const Env envs[] = {
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", {"ja_JP.UTF-8"}},
        {"fr:en_GB", nullptr, nullptr, "de_DE.UTF-8", {"fr", "en_GB", "de_DE.UTF-8"}},
        {nullptr, "C", "ja_JP", "en_US", {}}, // LC_ALL rules, and names no language
        {nullptr, "", "ja_JP", "en_US", {"ja_JP"}},
        {"", nullptr, nullptr, "POSIX", {}},
        {nullptr, nullptr, nullptr, "C.UTF-8", {}},
    };
    for (const Env& e : envs)
        EXPECT_EQ(pfLocalesFrom(e.language, e.lcAll, e.lcMessages, e.lang), e.want)
            << (e.lang ? e.lang : "");

    const std::vector<ZTLanguageInfo> three = ztParseLanguages(
        "# number name folder codes\n0 Japanese ja ja\n1 English en en\n"
        "2 Esperanto eo eo # added as data\nbad line\n3 Japanese xx xx\n1 Twice tw tw\n");
    ASSERT_EQ(three.size(), 3u) << "a bad line and a number or name seen before are left out";
    EXPECT_EQ(three[2].name, "Esperanto");
    EXPECT_EQ(three[2].folder, "eo");
    struct Pick {
        std::vector<std::string> locales;
        int want;
    };
    const Pick picks[] = {{{"ja_JP.UTF-8"}, 0}, {{"en-US"}, 1},       {{"eo"}, 2},
                          {{"fr_FR", "EO"}, 2}, {{"fr_FR", "de"}, 1}, {{}, 1}};
    for (const Pick& p : picks)
        EXPECT_EQ(static_cast<int>(ztLanguageForLocales(p.locales, three)), p.want)
            << (p.locales.empty() ? "none" : p.locales.front());
}
