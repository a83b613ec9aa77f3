#include "scenes/game.h"

#include <cstdio>

#include "ascii.h"
#include "data/map.h"
#include "data/set.h"
#include "fields.h"
#include "file.h"
#include "hit.h"
#include "input.h"
#include "kmath.h"
#include "log.h"
#include "main_form.h"
#include "objects/boss_gyro.h"
#include "objects/boss_lc.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/set_spawn.h"
#include "objects/tail.h"
#include "objects/wall.h"
#include "scenes/map_view.h"
#include "sound.h"
#include "sprite.h"
#include "work.h"

EngineGame* currentGame = nullptr;

namespace {

constexpr float quarterPi = 0.7853982f;

struct LetterPlace {
    float x, y;
    int cell;
};
constexpr LetterPlace letterPlaces[6] = {
    {160.0f, 96.0f, 36},  {320.0f, 96.0f, 38},  {480.0f, 96.0f, 37},
    {160.0f, 384.0f, 39}, {320.0f, 384.0f, 40}, {480.0f, 384.0f, 37},
};

} // namespace

EngineGame::EngineGame() {
    klWrite("<EngineGame::EngineGame>\n");
    currentGame = this;
    resetTailChain();
    new ZTWall();
    new ZTPlayer();
    spawnField();
}

EngineGame::~EngineGame() {
    klWrite("<EngineGame::~EngineGame>\n");
    currentGame = nullptr;
}

void EngineGame::spawnField() {
    switch (ztFieldKind(gWork->field)) {
    case ZTFieldKind::Gyro:
        new ZTBossGyro();
        return;
    case ZTFieldKind::LC:
        new ZTBossLC(KVector{320.0f, 240.0f, 0.0f});
        return;
    case ZTFieldKind::Set:
        break;
    }
    char path[32];
    std::snprintf(path, sizeof path, "dat/s%02u.zts", ztFieldSet(gWork->field));
    if (!kfExist(path)) return;
    ZTSet set;
    set.load(path);
    ztSpawnSet(set);
}

void EngineGame::keMove() {
    stepState();

    const bool replay = gWork->replay;
    if (replay) gInput->kimUsePlay = true;
    if (runObjects) kbMoveAll();
    gInput->kimUsePlay = false;
    if (replay && gInput->kiIsPushed(KI_BUTTON1)) {
        voxStop();
        keNextScene = ZT_SCENE_TITLE;
    }
    markClock += 0.041666668f;
}

void EngineGame::stepState() {
    switch (state) {
    case ZT_FIELD_START:
        showFieldBanner = 1;
        timer = 90;
        state = ZT_FIELD_BANNER;
        [[fallthrough]];
    case ZT_FIELD_BANNER:
        if (--timer < 0) {
            showFieldBanner = 0;
            state = ZT_FIELD_PLAY;
        }
        break;
    case ZT_FIELD_PLAY:
        if (gWork->groundCount < 1) {
            timer = 16;
            state = ZT_FIELD_CLEARED;
        }
        // Both tests may pass in one frame: a clear and a miss together skip to the clear's last
        // stage (with the miss's timer), so the field advances with no life lost.
        if (playerDown) {
            if (gWork->left < 1) voxStop();
            timer = gWork->tail * 4 + 120;
            state = state == ZT_FIELD_CLEARED ? ZT_FIELD_CLEAR_SHOWN : ZT_FIELD_LOST;
        }
        break;
    case ZT_FIELD_LOST:
        if (--timer < 0) {
            if (gWork->left > 0)
                keNextScene = ZT_SCENE_RESTART;
            else
                state = ZT_FIELD_OVER;
        }
        break;
    case ZT_FIELD_CLEARED:
        if (--timer < 0) {
            runObjects = 0;
            showClear = 1;
            timer = 120;
            state = ZT_FIELD_CLEAR_SHOWN;
        }
        break;
    case ZT_FIELD_CLEAR_SHOWN:
        if (--timer < 0) keNextScene = ZT_SCENE_NEXTER;
        break;
    case ZT_FIELD_OVER:
        voxPlay("snd/MU01.ogg", false);
        letterAngle = 0.0f;
        letterCount = 0;
        gameOverAlpha = 0.0f;
        timer = 0;
        state = ZT_FIELD_OVER_LETTERS;
        [[fallthrough]];
    case ZT_FIELD_OVER_LETTERS:
        if (--timer < 1) {
            const LetterPlace& place = letterPlaces[letterCount];
            const KVector start{-kmSin(letterAngle) * 400.0f, kmCos(letterAngle) * 400.0f, 0.0f};
            new ZTOverMoji(start, KVector{place.x, place.y, 0.0f}, place.cell);
            timer = 6;
            letterAngle -= quarterPi;
            letterCount += 1;
            if (letterCount >= 6) {
                showGameOver = 1;
                timer = 240;
                state = ZT_FIELD_OVER_SHOWN;
            }
        }
        break;
    case ZT_FIELD_OVER_SHOWN:
        gameOverAlpha += 2.5f;
        if (gameOverAlpha > 255.0f) gameOverAlpha = 255.0f;
        if (--timer < 1) endGameOver();
        break;
    default:
        break;
    }
}

void EngineGame::endGameOver() {
    gWork->lastField = gWork->field;
    gWork->lastTail = gWork->tail;
    keNextScene = gWork->finishPlay(gInput->kimRecording);
    gInput->kimRecording = false;
}

void EngineGame::keHit() {
    knHitCheck();
}

void EngineGame::keDraw() {
    ztDrawMap(*gWork->maps[ztFieldMap(gWork->field)]);
    gSprite->kspDrawOut(true);

    kbDrawLayer(ZT_LAYER_FLOOR);
    kbShadowLayer(ZT_LAYER_GROUND, 0);
    kbShadowLayer(ZT_LAYER_TANK, 0);
    kbDrawLayer(ZT_LAYER_GROUND);
    kbDrawLayer(ZT_LAYER_BLASTS);
    kbDrawLayer(ZT_LAYER_TANK);
    kbShadowLayer(ZT_LAYER_WALL, 0);
    kbDrawLayer(ZT_LAYER_WALL);
    kbDrawLayer(ZT_LAYER_SHOTS);
    kbShadowLayer(ZT_LAYER_AIR, 0);
    kbDrawLayer(ZT_LAYER_AIR);
    gSprite->kspDrawOut();

    // The flyers are above the walls and shots drawn so far: draw them again on top.
    kbShadowLayer(ZT_LAYER_AIR, 0);
    kbDrawLayer(ZT_LAYER_AIR);
    gSprite->kspDrawOut();

    kbDrawLayer(ZT_LAYER_SPARKS);
    kbDrawLayer(ZT_LAYER_RATES);
    kbDrawLayer(ZT_LAYER_ENEMY_SHOTS);
    kbDrawLayer(ZT_LAYER_LETTERS);
    if (gWork->markFlag) {
        const float s = kmSin(markClock) * 0.125f + 1.0f;
        gSprite->kspPut(54, 480.0f, 416.0f, 0.0f, s, s, 0xFFFFFFFFu);
    }
    drawHud();
    if (showGameOver) {
        const uint32_t alpha = static_cast<uint32_t>(gameOverAlpha);
        gSprite->kspPut(gWork->field < 13 ? 41 : 42, 320.0f, 240.0f, 0.0f, 1.0f, 1.0f,
                        alpha * 0x1000000u + 0xFFFFFFu);
    }
    gSprite->kspDrawOut();
}

void EngineGame::drawHud() const {
    KilnAscii& a = *gAscii;
    a.scale = 2;
    a.colour = 0xFFFFFFFFu;
    auto line = [&a](int column, int row) {
        a.column = column;
        a.row = row;
    };
    line(33, 0);
    a.kaPrintValue(gFrameClock ? static_cast<int>(gFrameClock->fps) : 0, "%dFPS");
    line(2, 0);
    a.kaPrintValue(static_cast<int>(gWork->score), "SC:%07d");
    line(20, 0);
    a.kaPrintValue(gWork->field, "FLD:%2d");
    line(2, 29);
    a.kaPrintValue(gWork->left, "LEFT:%d");
    line(20, 29);
    a.kaPrintValue(gWork->tail, "TAIL:%3d");
    if (showFieldBanner) {
        line(16, 12);
        a.kaPrintValue(gWork->field, "FIELD %02d");
    }
    if (showClear) {
        line(16, 12);
        a.kaPrint("CLEAR !!");
    }
}

void EngineGame::hashState(KUHash& hash) const {
    hash.add(static_cast<int32_t>(state));
    hash.add(static_cast<int32_t>(timer));
    hash.add(runObjects != 0);
    hash.add(showFieldBanner != 0);
    hash.add(showGameOver != 0);
    hash.add(letterAngle);
    hash.add(static_cast<int32_t>(letterCount));
    hash.add(gameOverAlpha);
    hash.add(showClear != 0);
    hash.add(markClock);
    hash.add(playerDown != 0);
}
