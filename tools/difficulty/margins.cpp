#include "margins.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "behave.h"
#include "data/replay_file.h"
#include "engine.h"
#include "field_look.h"
#include "objects/bounds.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "scratch.h"
#include "work.h"

bool searchMargins(const std::string& path, const std::string& root, Margins& out) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!ztReadReplayFile(path.c_str(), header, words)) return false;
    // The play reads the root's data and conversations, and writes its score file at its end
    // into the scratch folder, which outlives the runner below.
    ZTScratch scratch(root, {"dat", "text"});
    if (!scratch.ok) return false;
    std::map<int, float> closest;
    std::map<int, int> lost;
    int lastField = 0;
    ZTReplayOutcome result;
    {
        HeadlessPlatform platform;
        platform.renderer.keepDraws = false;
        ZTReplayRunner runner;
        bool down = false;
        ZTReplayHooks hooks;
        hooks.after = [&](uint32_t) {
            if (keSceneNumber != ZT_SCENE_GAME || !currentGame) return;
            const int field = gWork->field;
            lastField = std::max(lastField, field);
            if (currentGame->playerDown && !down) lost[field] += 1;
            down = currentGame->playerDown;
            const ZTPlayer* tank = ztTank();
            if (!tank || tank->state != ZT_TANK_DRIVING) return;
            const KVector p = tank->position;
            float c = ztWallClearance(p);
            auto near = [&](KVector at, float reach) {
                const float dx = at.x - p.x, dy = at.y - p.y;
                c = std::min(c, std::sqrt(dx * dx + dy * dy) - reach);
            };
            ztEachObject<const ZTGroundEnemy>(ZT_LAYER_GROUND, [&](const ZTGroundEnemy& e) {
                near(e.position, 6.0f + e.radius);
            });
            ztEachObject<const ZTEShot>(ZT_LAYER_ENEMY_SHOTS, [&](const ZTEShot& sh) {
                near(sh.position, 6.0f + sh.radius);
            });
            // The joint right behind the tank is always close: it is no call at all.
            int joint = 0;
            ztEachObject<const ZTTail>(ZT_LAYER_TANK, [&](const ZTTail& t) {
                if (joint++ > 0) near(t.position, 14.0f);
            });
            auto [it, fresh] = closest.try_emplace(field, c);
            if (!fresh) it->second = std::min(it->second, c);
        };
        result = runner.play(words, header.language, header.frames + 1, hooks);
    }
    int lostAll = 0;
    for (const auto& [field, c] : closest) {
        char text[96];
        std::snprintf(text, sizeof text, "closest call %.0f px, %d tank%s lost", std::max(c, 0.0f),
                      lost[field], lost[field] == 1 ? "" : "s");
        out.perField[field] = text;
        lostAll += lost[field];
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "%u frames of play (fields 1 to %d and the closing conversation; score %u, "
                  "longest tail %u, %d tank%s lost)",
                  result.frames, lastField, result.score, result.tail, lostAll,
                  lostAll == 1 ? "" : "s");
    out.summary = text;
    return true;
}
