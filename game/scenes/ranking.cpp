#include "ranking.h"

#include "ascii.h"
#include "behave.h"
#include "data/map.h"
#include "engine.h"
#include "graphics.h"
#include "input.h"
#include "objects/effects.h"
#include "objects/layers.h"
#include "random.h"
#include "scenes/map_view.h"
#include "sound.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr uint32_t white = 0xFFFFFFFF;
constexpr uint32_t yellow = 0xFFFFFF00;

void flush() {
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}

} // namespace

uint32_t ztHeadingColour(int counter) {
    return (counter / 4) % 2 != 0 ? yellow : 0xFFFF0000;
}

void ztPrintScoreTable(bool highlightNew) {
    gAscii->scale = 2;
    gAscii->colour = yellow;
    gAscii->kaPrintAt(1, 4, "Rank");
    gAscii->kaPrintAt(7, 4, "Name");
    gAscii->kaPrintAt(20, 4, "Score");
    gAscii->kaPrintAt(27, 4, "Field");
    gAscii->kaPrintAt(34, 4, "Tail");
    int rank = 1;
    for (const ZThiScore& e : gWork->scoreTable) {
        const int row = 4 + 2 * rank;
        gAscii->colour = highlightNew && e.isNew ? 0xFFFFC0F0 : white;
        gAscii->kaPrintValueAt(3, row, rank, "%2d");
        gAscii->kaPrintAt(7, row, e.name.c_str());
        gAscii->kaPrintValueAt(18, row, static_cast<int>(e.score), "%7d");
        gAscii->kaPrintValueAt(29, row, static_cast<int>(e.field), "%3d");
        gAscii->kaPrintValueAt(35, row, static_cast<int>(e.tail), "%3d");
        rank += 1;
    }
}

EngineRanking::EngineRanking() {
    mapIndex = kuRand() * 4 / 32768;
}

void EngineRanking::keMove() {
    if (remaining > 0) {
        // Four explosions a frame; the count is checked once per frame, so 152 go off in all.
        for (int i = 0; i < 8; ++i) {
            spawnTimer -= 1;
            if (spawnTimer >= 0) continue;
            const float y = static_cast<float>(kuRand()) * 480.0f / 32768.0f;
            const float x = static_cast<float>(kuRand()) * 640.0f / 32768.0f;
            const float s = static_cast<float>(kuRand()) / 32768.0f + 1.0f;
            new ZTBaku(KVector{x, y, 0.0f}, s, 8);
            new ZTKoge(KVector{x, y, 0.0f}, s * 1.5f);
            spawnTimer = 1;
            remaining -= 1;
        }
    }
    counter += 1;
    if (state == 0) {
        if (gInput->kiIsPushed(KI_BUTTON1)) {
            kwPlay(8);
            leaveTimer = 0;
            state = 1;
        }
    } else {
        leaveTimer += 1;
        if (leaveTimer >= 48) keNextScene = ZT_SCENE_TITLE;
    }
    kbMoveAll();
}

void EngineRanking::keDraw() {
    if (const ZTMap* map = gWork->maps[mapIndex]) ztDrawMap(*map);
    gSprite->kspSetStates();
    kxSetBlend(KBlend::None); // the floor is opaque
    gSprite->kspFlush();
    gSprite->kspClear();

    kbDrawLayer(ZT_LAYER_FLOOR);
    flush();

    if (remaining < 50) {
        gAscii->scale = 2;
        gAscii->colour = ztHeadingColour(counter);
        gAscii->kaPrintAt(14, 2, "ZENTAK ACES");
        ztPrintScoreTable(false);
        flush();
    }

    kbDrawLayer(ZT_LAYER_BLASTS);
    flush();
}
