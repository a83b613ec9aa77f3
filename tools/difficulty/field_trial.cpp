#include "field_trial.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "behave.h"
#include "dat_text.h"
#include "engine.h"
#include "field_look.h"
#include "input.h"
#include "objects/layers.h"
#include "objects/spit.h"
#include "objects/tail.h"
#include "pilot.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace fs = std::filesystem;

StockDatDir::StockDatDir(const std::string& sourceDir) {
    if (!scratch.ok) {
        error = "no scratch folder";
        return;
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sourceDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".txt" || name.size() != 7) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        std::vector<uint8_t> bytes;
        std::string why;
        const bool isMap = name[0] == 'm';
        if (!(isMap ? ztMapFromText(text, bytes, why) : ztSetFromText(text, bytes, why))) {
            error = name + ": " + why;
            return;
        }
        const fs::path out = fs::path("dat") / (name.substr(0, 3) + (isMap ? ".ztm" : ".zts"));
        std::ofstream(out, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    if (ec) {
        error = sourceDir + ": " + ec.message();
        return;
    }
    ok = true;
}

namespace {

int spitsAlive() {
    int n = 0;
    ztEachObject<const ZTEnmSpit>(ZT_LAYER_AIR, [&n](const ZTEnmSpit&) { n += 1; });
    return n;
}

// Bursts set off in the frame just run: a joint that fired starts its burst's count in full.
int burstsStarted() {
    int n = 0;
    for (const ZTTail* t = tailFirst; t; t = t->nextTail)
        n += t->counterState == ZT_COUNTER_FIRING && t->counterTimer == ztBurstFrames;
    return n;
}

} // namespace

FieldTrial ztTrialField(int field, int tail, int lives, int limit, ZTDriver driver) {
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTReplayRunner runner;

    FieldTrial t;
    ZTPilot pilot;
    if (!driver) driver = [&pilot] { return pilot.next(); };
    bool firstAttempt = true;
    int attemptStart = 0; // groundCount when this attempt's field was built
    int lastCount = 0;
    int spits = 0;
    bool inField = false;
    ZTReplayHooks hooks;
    hooks.drawn = [](uint32_t) { return false; };
    hooks.before = [&](uint32_t frame) {
        if (frame == 1) gWork->left = lives - 1;
        kiHoldWord(driver(), platform.input.keys);
    };
    hooks.after = [&](uint32_t) {
        if (keNextScene == ZT_SCENE_GAME) {
            if (!currentGame) return;
            // The field runs on: count what it holds now.
            if (!inField) attemptStart = gWork->groundCount;
            inField = true;
            if (t.enemies == 0) t.enemies = attemptStart;
            lastCount = gWork->groundCount;
            t.bursts += burstsStarted();
            // Spits only ever leave by being shot down while the field runs.
            const int alive = spitsAlive();
            if (alive < spits) t.spitsDestroyed += spits - alive;
            spits = alive;
            // Play time: from the end of the banner to the tank's loss or the clear.
            if (firstAttempt && ztFieldInPlay(*currentGame)) t.firstFrames += 1;
            if (firstAttempt && currentGame->playerDown && t.lostX < 0) {
                t.lostX = gWork->playerPos.x;
                t.lostY = gWork->playerPos.y;
            }
            return;
        }
        if (!inField) return;
        // The field was left in this frame: cleared, a miss with a life left, or the game
        // over's end. The counts are those of the frame before, when it still stood whole.
        inField = false;
        t.tailAtEnd = gWork->tail;
        t.score = gWork->score;
        const int kills = attemptStart - lastCount;
        if (firstAttempt) t.firstKills = kills;
        t.kills += kills;
        firstAttempt = false;
        spits = 0;
        if (keNextScene == ZT_SCENE_NEXTER)
            t.cleared = true;
        else
            t.misses += 1;
    };
    // The runner ends the play where the field is left for good: cleared, or the game over.
    t.frames =
        static_cast<int>(runner.field(field, tail, static_cast<uint32_t>(limit), hooks).frames);
    return t;
}
