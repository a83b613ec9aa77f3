// Bakes the sound effects and music of the game root's snd/ folder from data/snd/.
//   zt_bake_snd <source dir> <output dir> [--force]
// Only missing files are written unless --force is given. Files bake in parallel.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bake.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

struct Job {
    std::string source, output;
    bool track;
};

bool readText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--force")) {
        std::fprintf(stderr, "usage: %s <source dir> <output dir> [--force]\n", argv[0]);
        return 2;
    }
    const fs::path source = argv[1], output = argv[2];
    const bool force = argc == 4;
    std::error_code ec;
    fs::create_directories(output, ec);

    std::vector<Job> jobs;
    // Tracks first: they take longest, so the effects fill in around them.
    for (int i = 0; i < snd::kTrackCount; ++i)
        jobs.push_back({snd::trackName(i) + ".mus", snd::trackName(i) + ".ogg", true});
    for (int i = 0; i < snd::kEffectCount; ++i)
        jobs.push_back({snd::effectName(i) + ".sfx", snd::effectName(i) + ".wav", false});

    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex printing;
    auto worker = [&] {
        for (size_t j; (j = next++) < jobs.size();) {
            const Job& job = jobs[j];
            const fs::path target = output / job.output;
            if (!force && fs::exists(target)) continue;
            std::string text, error;
            std::vector<uint8_t> bytes;
            bool ok = readText(source / job.source, text);
            if (!ok) error = "cannot read";
            if (ok)
                ok = job.track ? snd::bakeTrack(text, bytes, error)
                               : snd::bakeEffect(text, bytes, error);
            if (ok && !pfWriteAtomic(target.c_str(), bytes.data(), bytes.size())) {
                ok = false;
                error = "cannot write " + target.string();
            }
            std::lock_guard<std::mutex> lock(printing);
            if (ok) {
                std::printf("snd: %s\n", job.output.c_str());
            } else {
                std::fprintf(stderr, "%s: %s\n", (source / job.source).c_str(), error.c_str());
                failed = true;
            }
        }
    };
    const unsigned count = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < count; ++i) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    return failed ? 1 : 0;
}
