// Replay file images: any bytes are refused or load exactly the words the header counts, never
// reading past the end; the file operations agree with the in-memory reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "creator.h"
#include "data/replay_file.h"
#include "input.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZTReplayHeader header;
    std::vector<uint32_t> words = {0xDEAD};
    const bool ok = ztParseReplay(data, size, header, words);
    if (ok) {
        if (words.size() != header.frames || header.frames > ztReplayMaxWords) __builtin_trap();
        if (size < ztReplayHeaderSize + 4 * words.size()) __builtin_trap();
        // Written back, the file is the input up to its last word, the reserved word aside.
        const std::vector<uint8_t> image = ztBuildReplay(header, words);
        for (size_t i = 0; i < image.size(); ++i) {
            const bool reserved = i >= 8 && i < 12;
            if (!reserved && image[i] != data[i]) __builtin_trap();
        }
    } else if (words.size() != 1 || words[0] != 0xDEAD) {
        __builtin_trap(); // a refused file leaves the caller's words alone
    }

    // The same bytes through the file operations the scenes use.
    // The file operations enter and leave rep/ of the current folder: the scratch one.
    fuzz::writeInput("rep/f.rep", data, size);
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
