// zent.ini images through the program's own reader: any bytes read without fault, and whatever
// was read writes out and reads back as the same configuration.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "config.h"
#include "input_file.h"

namespace {
bool same(const ZTConfig& a, const ZTConfig& b) {
    return a.windowMode == b.windowMode && a.refreshRate == b.refreshRate &&
           a.drawInterval == b.drawInterval &&
           std::memcmp(&a.spriteOffset, &b.spriteOffset, sizeof a.spriteOffset) == 0 &&
           a.bgmEnabled == b.bgmEnabled && a.stage == b.stage && a.tailCount == b.tailCount &&
           a.top == b.top && a.left == b.left;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInput("zent.ini", data, size);
    ZTConfig config;
    if (!ztReadConfig(path.c_str(), config)) __builtin_trap(); // the file exists
    if (!ztWriteConfig(path.c_str(), config)) __builtin_trap();
    ZTConfig again; // every field differs from what was read, so each must come from the file
    again.windowMode = !config.windowMode;
    again.bgmEnabled = !config.bgmEnabled;
    again.refreshRate = config.refreshRate ^ 1;
    again.drawInterval = config.drawInterval ^ 1;
    again.stage = config.stage ^ 1;
    again.tailCount = config.tailCount ^ 1;
    again.top = config.top ^ 1;
    again.left = config.left ^ 1;
    again.spriteOffset = config.spriteOffset == 0.5 ? 0.25 : 0.5;
    if (!ztReadConfig(path.c_str(), again) || !same(config, again)) __builtin_trap();
    return 0;
}
