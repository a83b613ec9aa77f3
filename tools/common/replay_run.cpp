#include "replay_run.h"

#include "data/replay_file.h"
#include "engine.h"
#include "frame.h"
#include "input.h"
#include "module_set.h"
#include "platform/files.h"
#include "statehash.h"
#include "work.h"

ZTReplayRunner::ZTReplayRunner() : modules(std::make_unique<ZTModules>()) {}

ZTReplayRunner::~ZTReplayRunner() = default;

namespace {
// The scenes a play passes through; asking for any other ends it.
bool inPlay(int scene) {
    return scene == ZT_SCENE_KAIWA || scene == ZT_SCENE_GAME || scene == ZT_SCENE_RESTART ||
           scene == ZT_SCENE_NEXTER;
}
} // namespace

ZTReplayOutcome ZTReplayRunner::play(const std::vector<uint32_t>& words, ZTLanguage language,
                                     uint32_t limit, const ZTReplayHooks& hooks) {
    keDisposeKilnEngine();
    gInput->kimPlayBuf = words;
    gWork->language = language;
    // What the selection does once a file is chosen: the game start, then the opening
    // conversation from the next frame on.
    gWork->startGame({.mode = ZTPlayMode::Replay});
    keInitializeKilnEngine(&modules->creator, ZT_SCENE_KAIWA);
    return run(limit, hooks);
}

ZTReplayOutcome ZTReplayRunner::record(uint32_t limit, const ZTReplayHooks& hooks) {
    keDisposeKilnEngine();
    gWork->startGame({.mode = ZTPlayMode::Recorded});
    keInitializeKilnEngine(&modules->creator, ZT_SCENE_KAIWA);
    return run(limit, hooks);
}

ZTReplayOutcome ZTReplayRunner::field(int field, int tail, uint32_t limit,
                                      const ZTReplayHooks& hooks) {
    keDisposeKilnEngine();
    gWork->startGame({.field = field, .tail = tail});
    keInitializeKilnEngine(&modules->creator, ZT_SCENE_GAME);
    return run(limit, hooks, true);
}

const std::vector<uint32_t>& ZTReplayRunner::recorded() const {
    return modules->input.kimRecordBuf;
}

ZTReplayOutcome ZTReplayRunner::run(uint32_t limit, const ZTReplayHooks& hooks, bool oneField) {
    ZTReplayOutcome out;
    while (out.frames < limit) {
        if (hooks.before) hooks.before(out.frames + 1);
        const ZTFrameResult r = ztFrameStep(!hooks.drawn || hooks.drawn(out.frames + 1));
        last = r;
        out.frames += 1;
        if (hooks.after) hooks.after(out.frames);
        if (r.sceneMissing || r.quit) break;
        if (hooks.stop && hooks.stop(out.frames)) break;
        if (!inPlay(keNextScene) || (oneField && keNextScene == ZT_SCENE_NEXTER)) {
            out.ended = true;
            break;
        }
    }
    out.score = gWork->score;
    out.field = static_cast<uint32_t>(gWork->field);
    out.tail = static_cast<uint32_t>(gWork->tailMax);
    out.hash = ztStateHash();
    return out;
}

bool ZTReplayRunner::saveRecorded(const char* path, const ZTReplayOutcome& outcome) const {
    ZTReplayHeader header;
    header.score = outcome.score;
    header.field = outcome.field;
    header.tail = outcome.tail;
    header.language = modules->work->language;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, recorded());
    return pfWriteAtomic(path, bytes.data(), bytes.size(), true);
}
