// What the game scene hands the renderer: the ground first and opaque, then everything else
// blended, and the game-over picture fading in.
#include <gtest/gtest.h>

#include <cstring>

#include "data/map.h"
#include "engine.h"
#include "game_play.h"
#include "kmath.h"
#include "scenes/game.h"
#include "statehash.h"

namespace {

// True when the recorded draw holds the six vertices of this sprite, in order.
bool holdsSprite(const RecordingRenderer::Draw& d, const KSprite& s) {
    KVertex want[6];
    gSprite->buildVertices(s, want);
    for (size_t i = 0; i + 6 <= d.vertices.size(); i += 6)
        if (std::memcmp(&d.vertices[i], want, sizeof want) == 0) return true;
    return false;
}

// True when the draws hold every character of `text` printed at this column and row.
bool showsText(const std::vector<RecordingRenderer::Draw>& draws, const char* text, int column,
               int row) {
    for (int i = 0; text[i]; ++i) {
        const float x = static_cast<float>((column + i) * 16 + 8);
        const float y = static_cast<float>(row * 16 + 8);
        const KSprite glyph{kFontFirstCell + text[i] - 32, x, y, 0.0f, 2.0f, 2.0f, 0xFFFFFFFFu};
        bool found = false;
        for (const auto& d : draws) found = found || holdsSprite(d, glyph);
        if (!found) return false;
    }
    return true;
}

} // namespace

TEST(FieldDraw, TheHeadUpDisplayShowsThePlayAndTheBanners) {
    GamePlay play;
    play.writeSet(7, {});
    play.start(7, 12);
    play.work->addScore(12345);
    play.frame(true);
    const auto& draws = play.platform.renderer.draws;
    EXPECT_TRUE(showsText(draws, "SC:0012345", 2, 0));
    EXPECT_TRUE(showsText(draws, "FLD: 7", 20, 0));
    EXPECT_TRUE(showsText(draws, "LEFT:2", 2, 29));
    EXPECT_TRUE(showsText(draws, "TAIL: 12", 20, 29));
    EXPECT_TRUE(showsText(draws, "FIELD 07", 16, 12));
    EXPECT_TRUE(showsText(draws, "0FPS", 33, 0)) << "no frame clock in a test: 0 frames a second";

    play.frames(90);
    play.frame(true);
    EXPECT_FALSE(showsText(draws, "FIELD 07", 16, 12));
    EXPECT_FALSE(showsText(draws, "CLEAR !!", 16, 12));
    play.frames(16);
    play.frame(true);
    EXPECT_TRUE(showsText(draws, "CLEAR !!", 16, 12));
}

TEST(FieldDraw, TheMarkPulsesWhenAskedFor) {
    GamePlay play;
    play.writeSet(1, {});
    play.work->startGame({.mark = true});
    keNextScene = ZT_SCENE_GAME;
    play.frames(5);
    play.frame(true);
    const float s = kmSin(currentGame->markClock) * 0.125f + 1.0f;
    bool found = false;
    for (const auto& d : play.platform.renderer.draws)
        found = found || holdsSprite(d, {54, 480.0f, 416.0f, 0.0f, s, s, 0xFFFFFFFFu});
    EXPECT_TRUE(found);
    EXPECT_FLOAT_EQ(currentGame->markClock, 6 * 0.041666668f);
}

TEST(FieldDraw, TheGroundIsOneOpaqueFlushOfTheWholeMap) {
    GamePlay play;
    play.writeSet(1, {{96, 96, 0}});
    play.start(1, 4);
    play.frame(true);
    const auto& draws = play.platform.renderer.draws;
    ASSERT_FALSE(draws.empty());
    const auto& ground = draws.front();
    EXPECT_EQ(ground.blend, KBlend::None);
    EXPECT_EQ(ground.vertices.size(), 80u * 6u);
    EXPECT_TRUE(holdsSprite(
        ground, {play.work->maps[1]->cells[7][9], 608.0f, 480.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu}))
        << "the last chip sits half off the bottom of the screen";
    for (size_t i = 1; i < draws.size(); ++i)
        EXPECT_EQ(draws[i].blend, KBlend::Alpha) << "draw " << i;
}

TEST(FieldDraw, AnOutsizedMapDrawsOnlyWhatIsOnScreen) {
    GamePlay play;
    play.writeSet(1, {});
    play.work->maps[1]->reset(ZTMap::maxSide, ZTMap::maxSide, 8);
    play.start(1, 1);
    play.frame(true);
    EXPECT_EQ(play.platform.renderer.draws.front().vertices.size(), 80u * 6u);
}

TEST(FieldDraw, TheGameOverPictureFadesInAndChangesAfterFieldTwelve) {
    for (int field : {1, 13}) {
        GamePlay play;
        play.writeSet(field, {{32, 32, 0}});
        play.start(field, 1, ZTPlayMode::Free);
        play.frames(2);
        // Straight to the game over: no spare life and a lost tank.
        play.work->left = 0;
        currentGame->playerDown = 1;
        currentGame->state = ZT_FIELD_PLAY;
        play.runUntil([] { return currentGame->state == ZT_FIELD_OVER_SHOWN; }, 400);
        ASSERT_EQ(currentGame->state, ZT_FIELD_OVER_SHOWN);
        play.frames(10);
        play.frame(true);
        const float alpha = currentGame->gameOverAlpha;
        EXPECT_FLOAT_EQ(alpha, 2.5f * 11) << "2.5 for each of the 11 frames after the letters";
        const uint32_t colour = static_cast<uint32_t>(alpha) * 0x1000000u + 0xFFFFFFu;
        const KSprite picture{field < 13 ? 41 : 42, 320.0f, 240.0f, 0.0f, 1.0f, 1.0f, colour};
        bool found = false;
        for (const auto& d : play.platform.renderer.draws) found = found || holdsSprite(d, picture);
        EXPECT_TRUE(found) << "field " << field;
    }
}

TEST(FieldDraw, DrawingNeverChangesThePlay) {
    // Drawn and undrawn runs of one script must agree frame by frame: a draw that moved an object
    // or drew a random number would break every replay watched at another draw interval.
    std::vector<uint64_t> hashes[2];
    for (int drawn = 0; drawn < 2; ++drawn) {
        GamePlay play;
        play.writeSet(1, {{96, 96, 0}, {320, 96, 2}, {544, 160, 1}});
        play.start(1, 6);
        for (int i = 0; i < 400; ++i) {
            play.hold((i / 50) % 2 ? KI_LEFT | KI_BUTTON1 : KI_UP | KI_BUTTON1);
            play.frame(drawn == 1);
            hashes[drawn].push_back(ztStateHash());
        }
    }
    EXPECT_EQ(hashes[0], hashes[1]);
}
