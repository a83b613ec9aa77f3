// Replay file images: any bytes are refused or load exactly the words the header counts, never
// reading past the end; the file operations agree with the in-memory reader.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "creator.h"
#include "input.h"
#include "replay/replay_file.h"

namespace {
// One scratch folder with rep/ for the whole run, made current; the file operations enter and
// leave rep/. It is removed when the run ends.
struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/zt_fuzz_replay_XXXXXX";
        if (!mkdtemp(pattern)) __builtin_trap();
        dir = pattern;
        if (chdir(dir.c_str()) != 0) __builtin_trap();
        std::filesystem::create_directory("rep");
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string dir;
};

const char* scratch() {
    static Scratch s;
    return s.dir.c_str();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZTReplayHeader header;
    std::vector<uint32_t> words = {0xDEAD};
    const bool ok = ztParseReplay(data, size, header, words);
    if (ok) {
        if (words.size() != header.frames || header.frames > ztReplayMaxWords) __builtin_trap();
        if (size < ztReplayHeaderSize + 4 * words.size()) __builtin_trap();
        // Written back, the file is the input up to its last word, reserved words aside.
        const std::vector<uint8_t> image = ztBuildReplay(header, words);
        for (size_t i = 0; i < image.size(); ++i) {
            const bool reserved = (i >= 8 && i < 12) || (i >= 28 && i < 32);
            if (!reserved && image[i] != data[i]) __builtin_trap();
        }
    } else if (words.size() != 1 || words[0] != 0xDEAD) {
        __builtin_trap(); // a refused file leaves the caller's words alone
    }

    // The same bytes through the file operations the scenes use.
    const std::string rep = std::string(scratch()) + "/rep/f.rep";
    FILE* f = std::fopen(rep.c_str(), "wb");
    if (!f) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
    static KilnInput input;
    gInput = &input;
    input.kimPlayBuf = {7};
    ZTEngine::RepFileInfo info;
    ZTEngine::readReplayInfo("f.rep", info);
    const bool loaded = ZTEngine::loadReplay("f.rep");
    if (info.valid != (ok ? 1 : 0) || loaded != ok) __builtin_trap();
    if (ok && (input.kimPlayBuf != words || info.frames != header.frames)) __builtin_trap();
    if (!ok && input.kimPlayBuf != std::vector<uint32_t>{7}) __builtin_trap();
    return 0;
}
