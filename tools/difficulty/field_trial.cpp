#include "field_trial.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "ascii.h"
#include "behave.h"
#include "creator.h"
#include "dat_text.h"
#include "engine.h"
#include "frame.h"
#include "input.h"
#include "objects/spit.h"
#include "objects/tail.h"
#include "pilot.h"
#include "platform/headless/headless.h"
#include "scenes/game.h"
#include "sprite.h"
#include "work.h"

namespace fs = std::filesystem;

StockDatDir::StockDatDir(const std::string& sourceDir) {
    previous = fs::current_path().string();
    char pattern[] = "/tmp/zentaku_fields_XXXXXX";
    if (!mkdtemp(pattern)) {
        error = "no scratch folder";
        return;
    }
    path = pattern;
    fs::create_directory(fs::path(path) / "dat");
    fs::create_directory(fs::path(path) / "rep");
    for (const auto& entry : fs::directory_iterator(sourceDir)) {
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
        const fs::path out =
            fs::path(path) / "dat" / (name.substr(0, 3) + (isMap ? ".ztm" : ".zts"));
        std::ofstream(out, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    fs::current_path(path);
    ok = true;
}

StockDatDir::~StockDatDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    if (!path.empty()) fs::remove_all(path, ec);
}

namespace {

// The modules a field reaches, installed into the globals for the trial's length.
struct TrialModules {
    TrialModules() : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
        kspDefineAllCells(sprite);
        gSprite = &sprite;
        gAscii = &ascii;
        gInput = &input;
        work = std::make_unique<ZTWork>();
        gWork = work.get();
    }
    ~TrialModules() {
        keDisposeKilnEngine();
        gWork = nullptr;
        work.reset();
        gInput = nullptr;
        gAscii = nullptr;
        gSprite = nullptr;
    }
    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTCreator creator;
    std::unique_ptr<ZTWork> work;
};

int spitsAlive() {
    int n = 0;
    for (KilnBehave* b = kbHead[9]; b; b = b->next) n += dynamic_cast<ZTEnmSpit*>(b) != nullptr;
    return n;
}

// Bursts set off in the frame just run: a joint that fired starts its burst's count at 128.
int burstsStarted() {
    int n = 0;
    for (const ZTTail* t = tailFirst; t; t = t->nextTail)
        n += t->counterState == 2 && t->counterTimer == 128;
    return n;
}

} // namespace

FieldTrial ztTrialField(int field, int tail, int lives, int limit, ZTDriver driver) {
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    TrialModules modules;
    gWork->startGame(field, tail, false, false, false);
    gWork->left = lives - 1;
    keInitializeKilnEngine(&modules.creator, ZT_SCENE_GAME);

    FieldTrial t;
    ZTPilot pilot;
    if (!driver) driver = [&pilot] { return pilot.next(); };
    bool firstAttempt = true;
    int attemptStart = 0; // groundCount when this attempt's field was built
    int lastCount = 0;
    int spits = 0;
    bool inField = false;
    for (t.frames = 1; t.frames <= limit; ++t.frames) {
        ztPilotKeys(driver(), platform.input.keys);
        const ZTFrameResult r = ztFrameStep(false);
        if (r.sceneMissing || r.quit) break;
        if (keNextScene == ZT_SCENE_GAME) {
            if (!currentGame) continue;
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
            if (firstAttempt && currentGame->state == 2 && !currentGame->playerDown)
                t.firstFrames += 1;
            if (firstAttempt && currentGame->playerDown && t.lostX < 0) {
                t.lostX = gWork->playerPos.x;
                t.lostY = gWork->playerPos.y;
            }
            continue;
        }
        if (!inField) continue;
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
        if (keNextScene == ZT_SCENE_NEXTER) {
            t.cleared = true;
            break;
        }
        t.misses += 1;
        if (keNextScene != ZT_SCENE_RESTART) break;
    }
    return t;
}
