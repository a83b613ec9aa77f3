#include "play.h"

#include <unistd.h>

#include <cstdio>

#include "checkpoints.h"
#include "data/replay_file.h"
#include "engine.h"
#include "evaluation.h"
#include "field_look.h"
#include "fields.h"
#include "input.h"
#include "objects/player.h"
#include "pilot.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace fs = std::filesystem;

namespace {

// The game is won once the flying boss's field is cleared: the closing conversation follows.
bool won(uint32_t field) {
    return field > 1 && ztFieldKind(static_cast<int32_t>(field) - 1) == ZTFieldKind::Gyro;
}

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Play {
public:
    Play(const ZTSearchOptions& o, const fs::path& target, const std::vector<uint32_t>& prefix,
         ZTSearchCounts& counts, std::chrono::steady_clock::time_point start)
        : o(o), target(target), prefix(prefix), counts(counts), start(start),
          search(platform, o, counts), kept([this](int variant) { woken(variant); }) {
        platform.renderer.keepDraws = false;
        // Past --until the tank blows itself up, as the pilot gives a play up.
        if (o.until > 0) pages.giveUpFrame = static_cast<int>(o.until) + 1;
    }

    ZTSearchOutcome run();

private:
    void before(uint32_t frame);
    void after(uint32_t frame);
    void woken(int variant);
    void keepFieldStart();
    void progress(uint32_t frame);
    ZTSearchOutcome finish(const ZTReplayRunner& runner, const ZTReplayOutcome& result);

    const ZTSearchOptions& o;
    const fs::path& target;
    const std::vector<uint32_t>& prefix;
    ZTSearchCounts& counts;
    const std::chrono::steady_clock::time_point start;
    HeadlessPlatform platform;
    ZTSearch search;
    ZTCheckpoints kept;
    ZTPilot pages; // turns the conversation pages as the simple player does
    uint32_t held = 0;
    int holdLeft = 0;
    uint32_t lastKept = 0;
    int fieldSeen = 0;
    int misses = 0;
    bool down = false;
    double lastShown = 0;
};

void Play::woken(int variant) {
    search.variant = variant;
    search.margins[gWork->field].backs += 1;
    counts.backtracks += 1;
}

// The play so far, kept at each new field: a start to search on from.
void Play::keepFieldStart() {
    fieldSeen = gWork->field;
    ZTReplayHeader header;
    header.field = static_cast<uint32_t>(gWork->field);
    header.score = gWork->score;
    header.tail = static_cast<uint32_t>(gWork->tailMax);
    header.language = gWork->language;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, gInput->kimRecordBuf);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".field%02d", gWork->field);
    const std::string path = target.string() + suffix;
    pfWriteAtomic(path.c_str(), bytes.data(), bytes.size(), false);
}

void Play::before(uint32_t frame) {
    uint32_t word = pages.next();
    if (o.until == 0 || frame <= o.until) word &= ~uint32_t{KI_BUTTON3};
    if (frame <= prefix.size()) {
        // The given start of the play, pressed as it was recorded.
        kiHoldWord(prefix[frame - 1], platform.input.keys);
        return;
    }
    if (!target.empty() && gWork->field != fieldSeen && keSceneNumber == ZT_SCENE_GAME)
        keepFieldStart();
    const bool searching = o.until == 0 || frame <= o.until;
    const ZTPlayer* tank = keSceneNumber == ZT_SCENE_GAME && currentGame ? ztTank() : nullptr;
    if (searching && tank && tank->state == ZT_TANK_DRIVING &&
        currentGame->state == ZT_FIELD_PLAY) {
        if (holdLeft <= 0) {
            if (o.retries > 0 && frame >= lastKept + static_cast<uint32_t>(o.checkpointEvery)) {
                kept.keep(frame, 0);
                lastKept = frame;
            }
            held = search.choose();
            holdLeft = o.segment;
        }
        holdLeft -= 1;
        word = held;
    } else {
        holdLeft = 0;
    }
    kiHoldWord(word, platform.input.keys);
    progress(frame);
}

void Play::progress(uint32_t frame) {
    const double t = since(start);
    if (o.quiet || t - lastShown < 1.0) return;
    lastShown = t;
    std::fprintf(stderr,
                 "\rframe %7u  field %2d  score %8u  tail %3d  left %d  back %3ld  "
                 "%4.0f frames/s  %5.0f tried frames/s ",
                 frame, gWork->field, gWork->score, gWork->tail, gWork->left, counts.backtracks,
                 frame / t, counts.simulated / t);
}

void Play::after(uint32_t frame) {
    const bool isDown = ztLiveField() && ztLiveField()->playerDown;
    // A loss that leaves enough spare tanks is taken, as a player takes it: it also halves the
    // tail, which otherwise grows with every enemy destroyed. Any other loss sends the play
    // back to a kept state a little before, unless that has had its tries.
    const bool givenUp = o.until > 0 && frame > o.until;
    if (isDown && !down && gWork->left - 1 < o.spare && !givenUp) kept.goBack(frame, 90, o.retries);
    if (isDown && !down) {
        misses += 1;
        search.margins[gWork->field].misses += 1;
    }
    down = isDown;
}

ZTSearchOutcome Play::run() {
    ZTReplayHooks hooks;
    hooks.before = [this](uint32_t frame) { before(frame); };
    hooks.after = [this](uint32_t frame) { after(frame); };
    ZTReplayRunner runner;
    const ZTReplayOutcome result =
        o.field > 0 ? runner.field(o.field, o.tail, o.limit, hooks) : runner.record(o.limit, hooks);
    return finish(runner, result);
}

ZTSearchOutcome Play::finish(const ZTReplayRunner& runner, const ZTReplayOutcome& result) {
    const bool cleared = keNextScene == ZT_SCENE_NEXTER || won(result.field);
    if (!o.quiet) std::fputc('\n', stderr);
    ZTSearchOutcome out{1, result.frames, result.score, result.field, result.tail, misses};
    for (const auto& [field, m] : search.margins)
        std::printf("field %d: tightest %d of 18 tries alive, %d times back, %d misses\n", field,
                    m.tightest, m.backs, m.misses);
    if (o.field > 0) {
        out.status = cleared ? 0 : 1;
        std::printf("field %d %s\n", o.field, cleared ? "cleared" : "lost");
    } else if (!result.ended) {
        std::fprintf(stderr, "zentaku-search: the play did not end within %u frames\n", o.limit);
    } else if (!runner.saveRecorded(target.c_str(), result)) {
        std::fprintf(stderr, "zentaku-search: %s: not saved (it may exist already)\n",
                     target.c_str());
        out.status = 3;
    } else {
        // A play given up on purpose ends early by design.
        out.status = won(result.field) || o.until > 0 ? 0 : 1;
        if (out.status)
            std::fprintf(stderr, "zentaku-search: the play ended on field %u\n", result.field);
    }
    std::fflush(stdout);
    return out;
}

} // namespace

int ztSearchPlay(const ZTSearchOptions& o, const fs::path& target,
                 const std::vector<uint32_t>& prefix, ZTSearchCounts& counts, int reportFd,
                 std::chrono::steady_clock::time_point start) {
    ZTSearchOutcome out;
    {
        Play play(o, target, prefix, counts, start);
        out = play.run();
    }
    if (write(reportFd, &out, sizeof out) != sizeof out) return 3;
    return out.status;
}
