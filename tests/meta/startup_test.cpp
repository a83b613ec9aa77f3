// The whole program headless, from power-on to the first field, one push at a time; and the
// developer menu's numbers carried over to the next run through the configuration.
#include <gtest/gtest.h>

#include <vector>

#include "engine.h"
#include "files.h"
#include "input.h"
#include "main_form.h"
#include "meta_world.h"
#include "scenes/game.h"
#include "scenes/title.h"

namespace {
// The title, built by one frame of the main form.
EngineTitle* openTitle(TForm1& form) {
    keNextScene = ZT_SCENE_TITLE;
    form.AppIdle();
    return dynamic_cast<EngineTitle*>(keScene);
}
} // namespace

TEST(Startup, PowerOnToTheFirstFieldsBannerWithOneButton) {
    MetaDir dir;
    HeadlessPlatform platform;
    std::vector<int> scenes;
    int frames = 0;
    {
        TForm1 form;
        // Z goes down for one frame in every 16: enough to pass every screen, never held.
        while (frames < 3000) {
            holdButtons(platform, frames % 16 == 15 ? uint32_t{KI_BUTTON1} : 0u);
            ASSERT_TRUE(form.AppIdle());
            frames += 1;
            if (scenes.empty() || scenes.back() != keSceneNumber) scenes.push_back(keSceneNumber);
            if (keSceneNumber == ZT_SCENE_GAME && currentGame && currentGame->showFieldBanner)
                break;
        }
        ASSERT_TRUE(currentGame != nullptr);
        EXPECT_TRUE(currentGame->showFieldBanner);
        EXPECT_EQ(gWork->field, 1);
        EXPECT_EQ(gWork->tail, 1);
        EXPECT_TRUE(gInput->kimRecording);
        // Every frame since the play began was recorded, the conversation's page turns included.
        EXPECT_GT(gInput->kimRecordBuf.size(), 100u);
    }
    EXPECT_EQ(scenes,
              (std::vector<int>{ZT_SCENE_POWERON, ZT_SCENE_TITLE, ZT_SCENE_KAIWA, ZT_SCENE_GAME}));
    EXPECT_LT(frames, 3000);
    RecordProperty("frames", frames);
}

TEST(Startup, DeveloperMenuNumbersOutliveTheRun) {
    MetaDir dir;
    HeadlessPlatform platform;
    {
        TForm1 form;
        auto* title = openTitle(form);
        ASSERT_NE(title, nullptr);
        title->number = 17;
        title->tailNumber = 36;
        keNextScene = ZT_SCENE_RANKING;
        form.AppIdle();
        EXPECT_EQ(form.stage, 17);
        EXPECT_EQ(form.tailCount, 36);
    }
    const std::string ini = readText("zent.ini");
    EXPECT_NE(ini.find("Stage=17"), std::string::npos) << ini;
    {
        TForm1 form;
        auto* title = openTitle(form);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->number, 17);
        EXPECT_EQ(title->tailNumber, 36);
    }
}
