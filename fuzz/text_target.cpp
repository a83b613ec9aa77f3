// Conversation files: any bytes load as page lines the loader promises (no line breaks, no
// comments, none empty, none over long), and every line types out in a message window without
// fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input_file.h"
#include "scenes/kaiwa.h"
#include "scenes/window.h"
#include "sprite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInput("kaiwa.txt", data, size);
    std::vector<std::string> lines = {"stale"};
    const bool ok = ztLoadKaiwaLines(path.c_str(), lines);
    if (!ok && !lines.empty()) __builtin_trap();
    if (ok && size == 0) __builtin_trap();
    size_t total = 0;
    for (const auto& line : lines) {
        if (line.empty() || line[0] == '#' || line.find('\n') != std::string::npos ||
            line.size() > 1024)
            __builtin_trap();
        total += line.size() + 1;
    }
    if (total > size + 1) __builtin_trap();

    // Each line typed out whole and drawn, as the conversation shows it; the sanitizers watch.
    static KilnSprite sprite(kCellCount, 4096, 0, 16, 0.0);
    gSprite = &sprite;
    for (const auto& line : lines) {
        ZTWindow window(1, 9, 0, line, 0); // speed 0: the whole line at once
        window.kbDraw();
        sprite.kspClear();
    }
    return 0;
}
