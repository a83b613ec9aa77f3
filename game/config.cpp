#include "config.h"

#include <ini.h>
#include <strings.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/files.h"

namespace {
// clang-format off
enum Key {
    WindowMode, RefleshRate, Int, SpriteOfs, Bgm, Stage, Tail, Top, Left, // the game's own nine
    Scale, FocusPause, VSync, SeVolume, BgmVolume,                        // the player's comforts
    KeyCount
};
// clang-format on

struct KeyName {
    const char* section;
    const char* name;
};
constexpr KeyName keyNames[KeyCount] = {
    {"Screen", "WindowMode"}, {"Screen", "RefleshRate"}, {"Screen", "Int"},
    {"Screen", "SpriteOfs"},  {"Sound", "BGM"},          {"Debug", "Stage"},
    {"Debug", "Tail"},        {"Form", "Top"},           {"Form", "Left"},
    {"Screen", "Scale"},      {"Screen", "FocusPause"},  {"Screen", "VSync"},
    {"Sound", "SEVolume"},    {"Sound", "BGMVolume"},
};

struct Found {
    std::string value[KeyCount];
    bool present[KeyCount] = {};
};

// Section and key names compare without regard to case, as INI files always have.
int collect(void* user, const char* section, const char* name, const char* value) {
    Found& found = *static_cast<Found*>(user);
    for (int k = 0; k < KeyCount; ++k) {
        if (found.present[k] || strcasecmp(section, keyNames[k].section) != 0 ||
            strcasecmp(name, keyNames[k].name) != 0)
            continue;
        found.value[k] = value;
        found.present[k] = true; // the first occurrence counts
    }
    return 1;
}

// A value out of lo..hi counts as one that does not parse.
void readInt(const Found& found, Key k, int& out, long lo = INT_MIN, long hi = INT_MAX) {
    if (!found.present[k]) return;
    const char* text = found.value[k].c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || v < lo || v > hi) return;
    out = static_cast<int>(v);
}

void readBool(const Found& found, Key k, bool& out) {
    int v = out ? 1 : 0;
    readInt(found, k, v);
    out = v != 0;
}

void readDouble(const Found& found, Key k, double& out) {
    if (!found.present[k]) return;
    const char* text = found.value[k].c_str();
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v)) return;
    out = v;
}

void put(std::string& out, const char* key, long long value) {
    out += key;
    out += '=';
    out += std::to_string(value);
    out += '\n';
}
} // namespace

bool ztReadConfig(const char* path, ZTConfig& config) {
    Found found;
    const int result = ini_parse(path, collect, &found);
    // In the order of the table; a line that does not parse stops nothing, its key keeps the
    // default.
    readBool(found, WindowMode, config.windowMode);
    readInt(found, RefleshRate, config.refreshRate);
    readInt(found, Int, config.drawInterval);
    readDouble(found, SpriteOfs, config.spriteOffset);
    readBool(found, Bgm, config.bgmEnabled);
    readInt(found, Stage, config.stage);
    readInt(found, Tail, config.tailCount);
    readInt(found, Top, config.top);
    readInt(found, Left, config.left);
    readInt(found, Scale, config.scale, 1, 16);
    readBool(found, FocusPause, config.focusPause);
    readBool(found, VSync, config.vsync);
    readInt(found, SeVolume, config.seVolume, 0, 100);
    readInt(found, BgmVolume, config.bgmVolume, 0, 100);
    return result >= 0;
}

bool ztWriteConfig(const char* path, const ZTConfig& config) {
    std::string text = "[Screen]\n";
    put(text, "WindowMode", config.windowMode ? 1 : 0);
    put(text, "RefleshRate", config.refreshRate);
    put(text, "Int", config.drawInterval);
    char number[64];
    // Shortest text that reads back as the same double.
    const auto [end, ec] = std::to_chars(number, number + sizeof number, config.spriteOffset);
    text += "SpriteOfs=";
    text += ec == std::errc() ? std::string(number, end) : std::string("0");
    text += "\n";
    put(text, "Scale", config.scale);
    put(text, "FocusPause", config.focusPause ? 1 : 0);
    put(text, "VSync", config.vsync ? 1 : 0);
    text += "[Sound]\n";
    put(text, "BGM", config.bgmEnabled ? 1 : 0);
    put(text, "SEVolume", config.seVolume);
    put(text, "BGMVolume", config.bgmVolume);
    text += "[Debug]\n";
    put(text, "Stage", config.stage);
    put(text, "Tail", config.tailCount);
    text += "[Form]\n";
    put(text, "Top", config.top);
    put(text, "Left", config.left);
    return pfWriteAtomic(path, text.data(), text.size());
}
