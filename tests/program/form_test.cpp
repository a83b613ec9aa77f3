// The main form on the headless platform: start-up and shutdown order, the configuration it
// reads and writes, the frame loop and its ways to end.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "clock.h"
#include "data/bytes.h"
#include "data/replay_file.h"
#include "engine.h"
#include "file.h"
#include "input.h"
#include "language.h"
#include "main_form.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "statehash.h"

namespace {
std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeText(const char* path, const std::string& text) {
    ASSERT_TRUE(pfWriteAtomic(path, text.data(), text.size()));
}

// Each tag must appear, and after the one before it.
void expectInOrder(const std::string& log, std::initializer_list<const char*> tags) {
    size_t at = 0;
    for (const char* tag : tags) {
        const size_t found = log.find(tag, at);
        ASSERT_NE(found, std::string::npos) << tag << " missing or out of order";
        at = found + 1;
    }
}

// The controls as a file without them gets them, named as the headless platform names codes.
const std::string defaultControls =
    "[Keys]\nFire=#44\nSecond=#45\nEdit1=#46\nEdit2=#47\nUp=#200\nDown=#208\nLeft=#203\n"
    "Right=#205\n[Pad]\nFire=#0\nSecond=#1\nEdit1=#2\nEdit2=#3\nUp=#11\nDown=#12\nLeft=#13\n"
    "Right=#14\n";

class Form : public ::testing::Test {
protected:
    void SetUp() override {
        home = pfCurrentDir();
        // One folder per test, so that tests run side by side never share one.
        root = std::filesystem::path(home) /
               (std::string("form_") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        ASSERT_TRUE(pfChangeDir(root.c_str()));
    }
    void TearDown() override {
        delete form;
        pfChangeDir(home.c_str());
        std::filesystem::remove_all(root);
    }
    void start() { form = new TForm1(); }
    void stop() {
        delete form;
        form = nullptr;
    }

    HeadlessPlatform platform;
    TForm1* form = nullptr;
    std::string home;
    std::filesystem::path root;
};
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

TEST_F(Form, FramesArePacedAtSixtyASecond) {
    start();
    const uint32_t begin = platform.timer.now;
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.timer.now - begin, 1000u); // 60 periods of 50/3 ms, thirds carried
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(form->clock.fps, 60u);
}

TEST_F(Form, DrawIntervalDrawsEveryNthFrame) {
    writeText("zent.ini", "[Screen]\nInt=3\n");
    start();
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.renderer.presents, 3); // frames 3, 6 and 9
}

TEST_F(Form, TabSkipsTheWaitOnlyWhileAReplayGoesToTheGameScene) {
    start();
    ASSERT_TRUE(form->AppIdle());
    platform.input.keys[KI_KEY_TAB] = 0x80;
    uint32_t before = platform.timer.now;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_GT(platform.timer.now, before); // Tab alone changes nothing
    EXPECT_FALSE(form->skipWait);
    form->work.replay = true;
    keNextScene = 2;
    before = platform.timer.now;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->skipWait);
    EXPECT_EQ(platform.timer.now, before);
}

// The opening conversation watched as a replay through the form, its pages four lines long (the
// window rises as the fourth is typed): the state after every frame.
std::vector<uint64_t> conversationHashes(TForm1*& form, const std::string& ini) {
    std::filesystem::create_directories("dat");
    std::string pages;
    // Lines of both parities, so that the rise falls on drawn and on undrawn frames.
    for (int i = 0; i < 40; ++i)
        pages += i % 2 ? "ABCD|nEFGH|nIJKL|nMNOP|p\n" : "ABC|nEFGH|nIJKL|nMNOP|p\n";
    EXPECT_TRUE(pfWriteAtomic("dat/kaiwa0.txt", pages.data(), pages.size()));
    EXPECT_TRUE(pfWriteAtomic("zent.ini", ini.data(), ini.size()));
    form = new TForm1();
    form->AppIdle();
    form->work.startGame(1, 1, false, false, true);
    gInput->kimPlayBuf.clear();
    for (int i = 0; i < 2000; ++i)
        gInput->kimPlayBuf.push_back(i % 90 == 89 ? uint32_t{KI_BUTTON1} : 0u);
    keNextScene = 11;
    std::vector<uint64_t> hashes;
    for (int i = 0; i < 600 && form->AppIdle(); ++i) hashes.push_back(ztStateHash());
    delete form;
    form = nullptr;
    return hashes;
}

TEST_F(Form, AConversationHashesAlikeWhateverTheDrawInterval) {
    const std::vector<uint64_t> every = conversationHashes(form, "[Screen]\nInt=1\n");
    const std::vector<uint64_t> second = conversationHashes(form, "[Screen]\nInt=2\n");
    ASSERT_EQ(every.size(), 600u);
    ASSERT_EQ(second.size(), every.size());
    for (size_t i = 0; i < every.size(); ++i) ASSERT_EQ(second[i], every[i]) << "frame " << i + 1;
    EXPECT_NE(every[150], every[400]) << "the conversation ran on";
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

// The pause, its ways in and out, and presenting in step with displays of any refresh rate;
// the window is the headless one, whose events the tests queue.
class WindowedForm : public Form {
protected:
    void SetUp() override {
        Form::SetUp();
        gPlatform.window = &platform.window;
    }
    void pauseEvent() { platform.window.next.pause = true; }
};

TEST_F(WindowedForm, PauseHoldsEveryFrameCounterAndTheRecord) {
    writeText("zent.ini", "[Sound]\nSEVolume=40\nBGMVolume=70\n");
    start();
    EXPECT_EQ(platform.audio.effectLevel, 40);
    EXPECT_EQ(platform.audio.musicLevel, 70);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(form->AppIdle());
    gInput->kimRecording = true; // as a play being recorded
    gInput->kimRecordBuf.clear();
    gInput->kimCursor = 0;
    ASSERT_TRUE(form->AppIdle());
    const KUClocker clockBefore = form->clock;
    const uint32_t timeBefore = platform.timer.now;
    const int presentsBefore = platform.renderer.presents;

    pauseEvent();
    platform.input.keys[KI_KEY_Z] = 0x80; // held all through the pause: never polled
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused);
    EXPECT_TRUE(platform.audio.paused);
    EXPECT_EQ(gInput->kimRecordBuf.size(), 1u);
    EXPECT_EQ(gInput->kimCursor, 1);
    EXPECT_EQ(gInput->kimNow, 0u);
    EXPECT_EQ(form->clock.frames, clockBefore.frames);
    EXPECT_EQ(form->clock.lastFrame, clockBefore.lastFrame);
    EXPECT_EQ(platform.timer.now, timeBefore); // no frame waited on the clock
    // The last picture is shown once, dimmed, with the menu over it; no frame was drawn.
    EXPECT_EQ(platform.renderer.reshows, 1);
    EXPECT_EQ(platform.renderer.reshowShade >> 24, 0x90u);
    EXPECT_EQ(platform.renderer.presents, presentsBefore + 1);
    platform.window.next.exposed = true; // the desktop lost what was on screen
    ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.renderer.reshows, 2);

    platform.timer.advance(5000); // a long pause: its time is not made up afterwards
    pauseEvent();
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(form->paused);
    EXPECT_FALSE(platform.audio.paused);
    ASSERT_EQ(gInput->kimRecordBuf.size(), 2u);
    EXPECT_EQ(gInput->kimRecordBuf[1], 0u); // held through the pause: not seen until let go
    const uint32_t resumed = platform.timer.now;
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.timer.now - resumed, 1000u);
    EXPECT_EQ(gInput->kimRecordBuf.size(), 62u);
    platform.input.keys[KI_KEY_Z] = 0;
    ASSERT_TRUE(form->AppIdle());
    platform.input.keys[KI_KEY_Z] = 0x80;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(gInput->kimRecordBuf.back(), static_cast<uint32_t>(KI_BUTTON1));
}

TEST_F(WindowedForm, FocusLossPausesUnlessSwitchedOffAndEscapeStillQuits) {
    start();
    ASSERT_TRUE(form->AppIdle());
    platform.window.next.focusLost = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused);
    ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused); // only P or Start resumes
    platform.input.keys[KI_KEY_ESCAPE] = 0x80;
    EXPECT_FALSE(form->AppIdle());
    EXPECT_FALSE(form->running);
    stop();
    EXPECT_NE(readText("zent.ini").find("FocusPause=1\n"), std::string::npos);

    platform.input.keys[KI_KEY_ESCAPE] = 0;
    writeText("zent.ini", "[Screen]\nFocusPause=0\n");
    start();
    ASSERT_TRUE(form->AppIdle());
    platform.window.next.focusLost = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(form->paused);
}

TEST_F(WindowedForm, ResizedWindowKeepsItsSizeUnlessTheScaleWasChangedByHand) {
    start();
    EXPECT_EQ(platform.window.settings.width, 0); // a first start: the scale decides
    platform.window.settings.width = 1300;        // the player drags the window larger
    platform.window.settings.height = 980;
    stop();
    const std::string ini = readText("zent.ini");
    EXPECT_NE(ini.find("Scale=2\n"), std::string::npos); // the picture's factor in that size
    EXPECT_NE(ini.find("Width=1300\nHeight=980\n"), std::string::npos);
    start();
    EXPECT_EQ(platform.window.settings.width, 1300);
    EXPECT_EQ(platform.window.settings.height, 980);
    EXPECT_EQ(platform.window.settings.scale, 2);
    stop();

    writeText("zent.ini", "[Screen]\nScale=3\n[Form]\nWidth=1300\nHeight=980\n");
    start();
    EXPECT_EQ(platform.window.settings.scale, 3);
    EXPECT_EQ(platform.window.settings.width, 0);
}

TEST_F(WindowedForm, ScreenSwitchIsSavedAsTheWindowMode) {
    start();
    EXPECT_TRUE(platform.window.settings.windowed);
    platform.window.next.switchScreen = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(platform.window.settings.windowed);
    stop();
    EXPECT_NE(readText("zent.ini").find("WindowMode=0\n"), std::string::npos);
}

// A first start (no zent.ini) speaks the desktop's language when the game has it, else English;
// a file from before there was a choice keeps Japanese whatever the desktop says; the choice is
// written at exit.
TEST_F(WindowedForm, FirstStartTakesTheDesktopsLanguageAndAnOlderFileKeepsJapanese) {
    struct Case {
        bool olderFile;
        std::vector<std::string> locales;
        ZTLanguage want;
        const char* written;
    };
    const Case cases[] = {
        {false, {"ja_JP.UTF-8"}, ZTLanguage::Japanese, "Language=Japanese\n"},
        {false, {"en_GB"}, ZTLanguage::English, "Language=English\n"},
        {false, {"fr-FR"}, ZTLanguage::English, "Language=English\n"},
        {false, {"fr_FR", "ja"}, ZTLanguage::Japanese, "Language=Japanese\n"},
        {false, {}, ZTLanguage::English, "Language=English\n"},
        {true, {"en_US"}, ZTLanguage::Japanese, "Language=Japanese\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locales.empty() ? "no locale" : c.locales.front());
        std::remove("zent.ini");
        if (c.olderFile) writeText("zent.ini", "[Sound]\nBGM=1\n");
        platform.window.locales = c.locales;
        start();
        EXPECT_EQ(gLanguage, c.want);
        stop();
        EXPECT_NE(readText("zent.ini").find(std::string("[Game]\n") + c.written),
                  std::string::npos);
        platform.window.locales = {"en"};
        start(); // the file now says
        EXPECT_EQ(gLanguage, c.want);
        stop();
    }
    gLanguage = ZTLanguage::Japanese;
}

// The committed pilot play watched through the form, presenting in step with a 60 Hz display:
// holding Tab fast-forwards the fields and leaves many of their frames undrawn, and the play
// still hashes frame for frame as it does watched at its own pace.
TEST_F(WindowedForm, AReplayHashesAlikeWithTabHeld) {
    std::filesystem::create_directory_symlink(std::filesystem::path(ZT_TEST_ROOT) / "dat", "dat");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ztReadWholeFile(ZT_RECORDED_PLAY, 1 << 20, bytes));
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztParseReplay(bytes.data(), bytes.size(), header, words));
    std::vector<uint64_t> paced;
    int pacedPresents = 0;
    for (bool tab : {false, true}) {
        start();
        platform.renderer.onPresent = [this] {
            const uint32_t period = 17; // a display's refresh, near enough
            platform.timer.now = (platform.timer.now / period + 1) * period;
        };
        ASSERT_TRUE(form->AppIdle());
        gInput->kimPlayBuf = words;
        form->work.startGame(1, 1, false, false, true);
        keNextScene = 11;
        platform.input.keys[KI_KEY_TAB] = tab ? 0x80 : 0;
        const int presentsBefore = platform.renderer.presents;
        std::vector<uint64_t> hashes;
        for (uint32_t i = 0; i < header.frames && form->AppIdle(); ++i)
            hashes.push_back(ztStateHash());
        const int presents = platform.renderer.presents - presentsBefore;
        platform.renderer.onPresent = nullptr;
        platform.input.keys[KI_KEY_TAB] = 0;
        stop();
        ASSERT_EQ(hashes.size(), header.frames);
        if (!tab) {
            paced = hashes;
            pacedPresents = presents;
            continue;
        }
        // The fields fast-forwarded leave frames undrawn that the paced play drew.
        EXPECT_LT(presents, pacedPresents - static_cast<int>(header.frames) / 10);
        for (size_t i = 0; i < hashes.size(); ++i)
            ASSERT_EQ(hashes[i], paced[i]) << "frame " << i + 1;
    }
}
