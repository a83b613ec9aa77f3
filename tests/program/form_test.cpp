// The main form on the headless platform: start-up and shutdown order, the configuration it
// reads and writes, what cut saves left, and its ways to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "engine.h"
#include "form_fixture.h"
#include "input.h"
#include "main_form.h"
#include "platform/files.h"

namespace {
// The controls as a file without them gets them, named as the headless platform names codes.
const std::string defaultControls =
    "[Keys]\nFire=#44\nSecond=#45\nEdit1=#46\nEdit2=#47\nUp=#200\nDown=#208\nLeft=#203\n"
    "Right=#205\n[Pad]\nFire=#0\nSecond=#1\nEdit1=#2\nEdit2=#3\nUp=#11\nDown=#12\nLeft=#13\n"
    "Right=#14\n";
} // namespace

TEST_F(Form, StartsAndStopsInOrderAndKeepsTheLog) {
    start();
    EXPECT_EQ(gForm, form);
    EXPECT_TRUE(form->running);
    EXPECT_TRUE(form->AppIdle());
    stop();
    EXPECT_EQ(gForm, nullptr);
    const std::string log = readText("_ZT_Debug.log");
    EXPECT_EQ(log.rfind("Zentaku Debug Log.\n\n", 0), 0u);
    ASSERT_GE(log.size(), 13u);
    EXPECT_EQ(log.substr(log.size() - 13), "\nEnd of Log.\n");
    expectInOrder(
        log, {"<KilnWin::kwinClear>", "<KilnWin::kwinSaveAll>", "<KilnX::kxInitializeX>",
              "<KilnX::kxInitializeTexture>", "open [pixel/pwn.dat]", "open [pixel/sys.dat]",
              "<KilnSprite::KilnSprite>", "<KilnInput::KilnInput>", "<voxInitialize>",
              "<KilnWave::kwInitializeWave>", "LOAD INDEX =0", "LOAD INDEX =10",
              "<KilnEngine::keInitializeKilnEngine>", "<KilnEngine::keDisposeKilnEngine>",
              "<KilnWave::kwDisposeWave>", "<voxDispose>", "<KilnInput::~KilnInput>",
              "<KilnSprite::~KilnSprite>", "<KilnX::kxDisposeTexture>", "<KilnX::kxDisposeX>",
              "<KilnWin::kwinRestoreAll>", "<KilnWin::kwinDeleteAll>",
              // The saves at exit leave their trace before the log closes.
              "<kfSave>\n open [./zent.ini]\n handle = ", " Try MoveFile [OK]\n",
              "<kfSave>\n open [score.dat]\n handle = ", " Try MoveFile [OK]\n", "End of Log."});
}

TEST_F(Form, HostileConfigurationStartsWithSaneValuesAndIsMendedAtExit) {
    writeText("zent.ini", "[Screen]\nWindowMode=x\nRefleshRate=-60\nInt=2000000000\n"
                          "SpriteOfs=nan\n[Debug]\nStage=99\nTail=2000000000\n");
    start();
    EXPECT_EQ(form->refreshRate, 60);
    EXPECT_EQ(form->drawInterval, 1);
    EXPECT_EQ(form->spriteOffset, 0.0);
    EXPECT_EQ(form->stage, 1);
    EXPECT_EQ(form->tailCount, 1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(form->AppIdle());
    stop();
    EXPECT_EQ(readText("zent.ini"),
              "[Screen]\nWindowMode=1\nRefleshRate=60\nInt=1\nSpriteOfs=0\nScale=1\nFocusPause=1\n"
              "VSync=1\n[Sound]\nBGM=1\nSEVolume=100\nBGMVolume=100\n[Debug]\nStage=1\nTail=1\n"
              "[Form]\nTop=0\nLeft=0\nWidth=0\nHeight=0\n[Game]\nLanguage=Japanese\n" +
                  defaultControls);
}

TEST_F(Form, ConfigurationIsReadAtStartAndWrittenAtExit) {
    writeText("zent.ini", "[Screen]\nInt=2\nSpriteOfs=0.25\n[Debug]\nStage=5\n[Form]\nTop=40\n"
                          "Left=50\nWidth=700\nHeight=500\n[Sound]\nBGM=0\n");
    start();
    EXPECT_EQ(form->drawInterval, 2);
    EXPECT_EQ(form->spriteOffset, 0.25);
    EXPECT_EQ(form->stage, 5);
    EXPECT_EQ(form->tailCount, 1);
    EXPECT_FALSE(form->bgmEnabled);
    EXPECT_TRUE(form->windowMode);
    EXPECT_EQ(form->formTop, 40);
    EXPECT_EQ(form->formLeft, 50);
    form->stage = 9; // as the title leaves it
    form->tailCount = 46;
    stop();
    EXPECT_EQ(readText("zent.ini"),
              "[Screen]\nWindowMode=1\nRefleshRate=60\nInt=2\nSpriteOfs=0.25\nScale=1\n"
              "FocusPause=1\nVSync=1\n[Sound]\nBGM=0\nSEVolume=100\nBGMVolume=100\n"
              "[Debug]\nStage=9\nTail=46\n[Form]\nTop=40\nLeft=50\nWidth=700\nHeight=500\n[Game]"
              "\nLanguage=Japanese\n" +
                  defaultControls);
}

TEST_F(Form, MissingConfigurationIsWrittenWithDefaults) {
    start();
    stop();
    EXPECT_EQ(readText("zent.ini"),
              "[Screen]\nWindowMode=1\nRefleshRate=60\nInt=1\nSpriteOfs=0\nScale=1\n"
              "FocusPause=1\nVSync=1\n[Sound]\nBGM=1\nSEVolume=100\nBGMVolume=100\n"
              "[Debug]\nStage=1\nTail=1\n[Form]\nTop=0\nLeft=0\nWidth=0\nHeight=0\n[Game]"
              "\nLanguage=Japanese\n" +
                  defaultControls);
}

TEST_F(Form, AConfigurationThatCannotBeReadIsKeptAndTheLogSaysWhy) {
    const std::string mine = "[Debug]\nStage=7\n; the player's own notes\n";
    writeText("zent.ini", mine);
    pfInjectFault(PfFault::ReadError); // the first read of the start is the configuration's
    start();
    pfInjectFault(PfFault::None);
    EXPECT_EQ(form->stage, 1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(form->AppIdle());
    stop();
    EXPECT_EQ(readText("zent.ini"), mine);
    const std::string log = readText("_ZT_Debug.log");
    expectInOrder(log, {"./zent.ini could not be read (Input/output error)",
                        "./zent.ini could not be read at start (Input/output error): it is kept",
                        "End of Log."});
}

TEST_F(Form, WhatCutSavesLeftIsRemovedAtStartButARunningCopysFilesStay) {
    std::filesystem::create_directories("rep");
    std::filesystem::create_directories("dat");
    // A pid no process has (beyond the kernel's limit), and this process's own.
    const std::string gone = "4194999";
    const std::string alive = std::to_string(::getpid());
    const char* staleNames[] = {"score.dat.tmp4194999-3", "zent.ini.tmp4194999",
                                "dat/m01.ztm.tmp4194999-1", "rep/zt2026_1208_100000.rep.tmpclaim"};
    for (const char* name : staleNames) writeText(name, gone);
    const std::string kept[] = {"rep/a.rep.tmp" + alive + "-1", "rep/b.rep.tmpclaim",
                                "rep/notes.tmp", "rep/zt.rep"};
    for (const std::string& name : kept) writeText(name.c_str(), kept[1] == name ? alive : "x");
    start();
    stop();
    for (const char* name : staleNames) EXPECT_FALSE(std::filesystem::exists(name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(name)) << name;
    expectInOrder(readText("_ZT_Debug.log"),
                  {"<kfRemoveStale>\n removed ./score.dat.tmp4194999-3, left by a save",
                   " removed dat/m01.ztm.tmp4194999-1",
                   " removed rep/zt2026_1208_100000.rep.tmpclaim"});
}

TEST_F(Form, EscapeEndsAfterDestroyingTheSceneAndStillWritesTheFile) {
    writeText("zent.ini", "[Debug]\nTail=6\n");
    start();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(form->AppIdle());
    ASSERT_NE(keScene, nullptr);
    platform.input.keys[KI_KEY_ESCAPE] = 0x80;
    EXPECT_FALSE(form->AppIdle());
    EXPECT_FALSE(form->running);
    EXPECT_EQ(keScene, nullptr);
    EXPECT_FALSE(form->AppIdle()); // an ended form runs no more frames
    EXPECT_EQ(form->exitCode, 0);
    stop();
    EXPECT_NE(readText("zent.ini").find("Tail=6\n"), std::string::npos);
}

TEST_F(Form, SceneWithoutAClassStopsCleanly) {
    start();
    ASSERT_TRUE(form->AppIdle());
    keNextScene = 40; // no such scene: the power-on scene ends, nothing can follow
    EXPECT_TRUE(form->AppIdle());
    EXPECT_FALSE(form->AppIdle());
    EXPECT_EQ(form->exitCode, 1);
    stop();
    const std::string log = readText("_ZT_Debug.log");
    expectInOrder(
        log, {" [ERR] no scene number 40", "<KilnEngine::keDisposeKilnEngine>", "End of Log."});
    EXPECT_FALSE(readText("zent.ini").empty());
}

TEST_F(Form, NoSoundDeviceMeansNoEffectsLoaded) {
    platform.audio.available = false;
    start();
    stop();
    const std::string log = readText("_ZT_Debug.log");
    EXPECT_NE(log.find("<KilnWave::kwInitializeWave>\n <Mix_OpenAudio>\n [NG]\n"),
              std::string::npos);
    EXPECT_EQ(log.find("LOAD INDEX"), std::string::npos);
}
