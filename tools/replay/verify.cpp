#include "verify.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "file.h"
#include "language.h"
#include "platform/headless/headless.h"
#include "progress.h"
#include "scratch.h"
#include "statehash.h"

namespace fs = std::filesystem;

ZTVerdict ztVerifyReplay(const fs::path& file, const fs::path& root,
                         const std::function<void(uint32_t, uint64_t)>& onFrame) {
    ZTVerdict v;
    std::vector<uint32_t> words;
    if (!ztReadReplayFile(file.c_str(), v.header, words)) {
        v.status = 2;
        v.problems.push_back("not a replay file, or not a whole one");
        return v;
    }
    ZTScratch scratch(root, {"dat", "text"});
    if (!scratch.ok) {
        v.status = 3;
        v.problems.push_back("cannot make a scratch folder for the play");
        return v;
    }
    // The play is shown in its own language: without that language's conversations it would
    // not turn its pages as it did.
    const std::string texts = ztTextPath(v.header.language, "kaiwa0.txt");
    if (texts.empty() || !KFFile(texts.c_str(), KFFile::Read).isOpen()) {
        v.status = 3;
        v.problems.push_back("the game root has no texts in the replay's language, " +
                             ztLanguageName(v.header.language));
        return v;
    }
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    const auto start = std::chrono::steady_clock::now();
    {
        ZTReplayRunner runner;
        ZTReplayHooks hooks;
        if (onFrame) hooks.after = [&](uint32_t frame) { onFrame(frame, ztStateHash()); };
        // One frame past the last word: a play still running then has gone astray.
        v.outcome = runner.play(words, v.header.language, v.header.frames + 1, hooks);
    }
    v.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    auto check = [&](const char* what, uint32_t got, uint32_t want) {
        if (got == want) return;
        char line[96];
        std::snprintf(line, sizeof line, "%s %u, the file says %u", what, got, want);
        v.problems.push_back(line);
    };
    if (!v.outcome.ended) v.problems.push_back("the play did not end with its last word");
    check("frames", v.outcome.frames, v.header.frames);
    check("score", v.outcome.score, v.header.score);
    check("field", v.outcome.field, v.header.field);
    check("tail", v.outcome.tail, v.header.tail);
    v.status = v.problems.empty() ? 0 : 1;
    return v;
}

int ztCheckFolder(const fs::path& folder, const fs::path& root) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".rep" && !e.is_directory()) files.push_back(e.path());
    if (ec) {
        std::fprintf(stderr, "%s: cannot read the folder (%s)\n", folder.c_str(),
                     ec.message().c_str());
        return 3;
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) std::printf("%s: no .rep files\n", folder.c_str());
    // The progress counts the frames of every file its header promises.
    uint64_t promised = 0;
    for (const fs::path& file : files) {
        ZTReplayHeader header;
        std::vector<uint32_t> words;
        if (ztReadReplayFile(file.c_str(), header, words)) promised += header.frames;
    }
    ZTProgress progress("check", static_cast<uint32_t>(std::min<uint64_t>(promised, UINT32_MAX)));
    int failed = 0;
    uint64_t played = 0, checked = 0;
    for (const fs::path& file : files) {
        const ZTVerdict v = ztVerifyReplay(file, root);
        played += v.outcome.frames;
        if (v.status < 2) checked += v.header.frames;
        progress.clear(); // each file's line stands on its own
        const std::string name = file.filename().string();
        if (v.status == 3) {
            // Nothing can be played here: no file failed, the check itself could not run.
            std::fprintf(stderr, "%s: %s\n", name.c_str(), v.problems.front().c_str());
            return 3;
        }
        if (v.status == 0) {
            std::printf("%s: ok, %u frames, score %u, field %u, tail %u\n", name.c_str(),
                        v.outcome.frames, v.outcome.score, v.outcome.field, v.outcome.tail);
        } else {
            failed += 1;
            std::string why;
            for (const std::string& p : v.problems) why += (why.empty() ? "" : "; ") + p;
            std::printf("%s: FAILED, %s\n", name.c_str(), why.c_str());
        }
        std::fflush(stdout);
        progress.update(static_cast<uint32_t>(std::min<uint64_t>(checked, UINT32_MAX)));
    }
    progress.finish();
    const double seconds = progress.seconds();
    if (!files.empty())
        std::printf("%zu of %zu replays pass; %llu frames in %.2f s, %.0f frames/s\n",
                    files.size() - failed, files.size(), static_cast<unsigned long long>(played),
                    seconds, seconds > 0 ? static_cast<double>(played) / seconds : 0.0);
    return failed > 0 ? 1 : 0;
}
