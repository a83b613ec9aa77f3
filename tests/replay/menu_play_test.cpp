// A play recorded through the program's own form, with the pause menu opened in the middle and
// every setting changed there, still verifies with the batch verifier: the menu adds nothing to
// the recorded words and moves nothing of the play.
#include <gtest/gtest.h>

#include <string>

#include "creator.h"
#include "data/replay_file.h"
#include "engine.h"
#include "files.h"
#include "input.h"
#include "main_form.h"
#include "pilot.h"
#include "platform/headless/headless.h"
#include "rep_world.h"

namespace {

class MenuPlay : public ::testing::Test {
protected:
    void SetUp() override { gPlatform.window = &platform.window; }
    void TearDown() override { delete form; }

    void idle() { ASSERT_TRUE(form->AppIdle()); }
    void press(uint8_t scan, int times = 1) {
        for (int i = 0; i < times; ++i) {
            platform.input.keys[scan] = 0x80;
            idle();
            platform.input.keys[scan] = 0;
            idle();
        }
    }
    // Pushes `scan` until the scene is `scene`, or gives up.
    bool pushUntil(uint8_t scan, int scene, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (keSceneNumber == scene) return true;
            press(scan);
        }
        return keSceneNumber == scene;
    }

    RepDir dir{true};
    HeadlessPlatform platform;
    TForm1* form = nullptr;
};

TEST_F(MenuPlay, SettingsChangedMidPlayLeaveAReplayThatVerifies) {
    form = new TForm1();
    ASSERT_TRUE(pushUntil(KI_KEY_Z, ZT_SCENE_TITLE, 50));
    // "PRESS BUTTON", then the first line of the menu: a new, recorded play.
    ASSERT_TRUE(pushUntil(KI_KEY_Z, ZT_SCENE_KAIWA, 200));
    ASSERT_TRUE(gInput->kimRecording);
    ASSERT_TRUE(pushUntil(KI_KEY_Z, ZT_SCENE_GAME, 2000));
    for (int i = 0; i < 120; ++i) idle();

    const size_t before = gInput->kimRecordBuf.size();
    platform.window.next.pause = true;
    idle();
    ASSERT_TRUE(form->paused);
    press(KI_KEY_DOWN);
    press(KI_KEY_Z);
    for (int line = 0; line < 7; ++line) {
        press(KI_KEY_RIGHT);
        press(KI_KEY_DOWN);
    }
    press(KI_KEY_X);
    press(KI_KEY_DOWN); // and fire moved to W
    press(KI_KEY_Z);
    press(KI_KEY_Z);
    press(0x11);
    platform.window.next.pause = true;
    idle();
    ASSERT_FALSE(form->paused);
    EXPECT_EQ(gInput->kimRecordBuf.size(), before + 1); // the frame that ran after the resume

    // The automatic player drives on, with fire on W now, and gives up after a while.
    ZTPilot pilot;
    pilot.giveUpFrame = 2400;
    for (int i = 0; i < 20000 && gInput->kimRecording; ++i) {
        const uint32_t word = pilot.next();
        kiHoldWord(word, platform.input.keys);
        platform.input.keys[0x11] = (word & KI_BUTTON1) ? 0x80 : 0;
        idle();
    }
    ASSERT_FALSE(gInput->kimRecording) << "the play did not end";
    EXPECT_NE(readText("zent.ini").find("Fire=#17\n"), std::string::npos);

    ZTReplayHeader header;
    header.score = form->work.score;
    header.field = static_cast<uint32_t>(form->work.field);
    header.tail = static_cast<uint32_t>(form->work.tailMax);
    header.language = form->work.language; // a first start on a desktop that names none: English
    writeBytes("menu.rep", ztBuildReplay(header, gInput->kimRecordBuf));
    const CommandRun r = runCommand(std::string(ZT_REPLAY_TOOL) + " menu.rep '" + ZT_ROOT + "'");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_GT(header.score, 0u);
    EXPECT_NE(r.output.find("score " + std::to_string(header.score)), std::string::npos)
        << r.output;
}

} // namespace
