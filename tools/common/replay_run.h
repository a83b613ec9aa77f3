#pragma once
// Plays a replay's button words without a window: the same scenes, the same seed and the same
// frame step as the program, as fast as the machine allows. Used by the batch verifier, the
// tests and the benchmark.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "frame.h"
#include "language.h"

class ZTModules;

struct ZTReplayOutcome {
    uint32_t frames = 0; // frames played
    bool ended = false;  // the play ended (it asked for the title) within the frame limit
    uint32_t score = 0;
    uint32_t field = 0;
    uint32_t tail = 0; // the highest tail of the play
    uint64_t hash = 0; // the state hash after the last frame
};

// Called with the frame number (from 1) around every frame: before it, to set live keys; after
// it, to look at the state.
struct ZTReplayHooks {
    std::function<void(uint32_t frame)> before;
    std::function<void(uint32_t frame)> after;
    // Asked after every frame: true ends the run there (the one watching has had enough).
    std::function<bool(uint32_t frame)> stop;
    // Asked before every frame: false runs it without drawing. Unset, every frame is drawn.
    std::function<bool(uint32_t frame)> drawn;
};

class ZTReplayRunner {
public:
    // Builds the modules the scenes reach and a game work that reads its maps, sets and
    // conversations below the current directory. The platform (headless) must be installed.
    ZTReplayRunner();
    ~ZTReplayRunner();
    ZTReplayRunner(const ZTReplayRunner&) = delete;
    ZTReplayRunner& operator=(const ZTReplayRunner&) = delete;

    // Starts the play as the replay selection does, in the replay's language, and runs frames
    // until the play ends (asks for a scene outside the play: the title, after a replay) or
    // `limit` frames have passed. Every frame is drawn, as the program draws it, unless the
    // hooks say otherwise.
    ZTReplayOutcome play(const std::vector<uint32_t>& words, ZTLanguage language, uint32_t limit,
                         const ZTReplayHooks& hooks = {});
    // Starts a recorded play as the title's new game does, in the setting's language (gLanguage);
    // the live keys drive it until it ends (asks for name entry or the save scene). The words
    // are left in the record buffer.
    ZTReplayOutcome record(uint32_t limit, const ZTReplayHooks& hooks = {});
    const std::vector<uint32_t>& recorded() const;
    // Saves the recorded words with the outcome's figures and the play's language as a new
    // replay file; an existing file is never replaced. False when it was not saved.
    bool saveRecorded(const char* path, const ZTReplayOutcome& outcome) const;
    // Starts one field as the developer menu does (not recorded) and runs frames until the field
    // is left for good: cleared, or the last tank lost.
    ZTReplayOutcome field(int field, int tail, uint32_t limit, const ZTReplayHooks& hooks = {});
    // What the frame step reported for the last frame run.
    const ZTFrameResult& lastFrame() const { return last; }

private:
    ZTReplayOutcome run(uint32_t limit, const ZTReplayHooks& hooks, bool oneField = false);

    std::unique_ptr<ZTModules> modules;
    ZTFrameResult last;
};
