// The main form's frames: paced at sixty a second, drawn every n-th, and the fast-forward of a
// watched replay, which changes no frame's state.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "creator.h"
#include "data/bytes.h"
#include "data/replay_file.h"
#include "engine.h"
#include "form_fixture.h"
#include "input.h"
#include "main_form.h"
#include "platform/files.h"
#include "statehash.h"

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
    keNextScene = ZT_SCENE_GAME;
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
    form->work.startGame({.mode = ZTPlayMode::Replay});
    gInput->kimPlayBuf.clear();
    for (int i = 0; i < 2000; ++i)
        gInput->kimPlayBuf.push_back(i % 90 == 89 ? uint32_t{KI_BUTTON1} : 0u);
    keNextScene = ZT_SCENE_KAIWA;
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
        form->work.startGame({.mode = ZTPlayMode::Replay});
        keNextScene = ZT_SCENE_KAIWA;
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
