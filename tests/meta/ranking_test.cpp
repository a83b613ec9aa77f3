// The ranking's explosions and table.
#include <gtest/gtest.h>

#include "engine.h"
#include "field_look.h"
#include "meta_world.h"
#include "objects/effects.h"
#include "objects/layers.h"
#include "scenes/ranking.h"

TEST(Ranking, ShowsTheTableOnceFewerThanFiftyExplosionsRemain) {
    MetaWorld w(ZT_SCENE_RANKING);
    w.frame(true);
    auto* r = w.scene<EngineRanking>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->remaining, 146);
    EXPECT_EQ(w.textRow(2), "");
    int shownOn = 0;
    for (int frame = 2; frame <= 40 && shownOn == 0; ++frame) {
        w.frame(true);
        if (w.textRow(2).find("ZENTAK ACES") != std::string::npos) shownOn = frame;
    }
    EXPECT_EQ(shownOn, 26);
    EXPECT_EQ(r->remaining, 46);
    EXPECT_EQ(w.textRow(4), " Rank  Name         Score  Field  Tail");
    EXPECT_EQ(w.textRow(6), "    1  NATTOH       50000     10    20");
    EXPECT_EQ(w.textRow(24), "   10  WASABI        5000      1    11");

    w.frames(20);
    EXPECT_EQ(r->remaining, -2);
    EXPECT_EQ(ztLayerObjects<ZTKoge>(ZT_LAYER_FLOOR).size(), 152u)
        << "the count is checked once a frame, so four more go off";
}

TEST(Ranking, AnEarlyPushStillWaits48FramesBeforeTheTitle) {
    MetaWorld w(ZT_SCENE_RANKING);
    w.frame();
    w.hold(KI_BUTTON1);
    w.frame();
    EXPECT_EQ(w.takeSounds(), std::vector<int>{8});
    w.hold(0);
    w.frames(47);
    EXPECT_EQ(keNextScene, ZT_SCENE_RANKING);
    w.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
}
