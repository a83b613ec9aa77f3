#include "config.h"

#include <strings.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <variant>

#include <cstring>
#include <vector>

#include "data/bytes.h"
#include "file.h"
#include "platform/platform.h"

namespace {
using Field =
    std::variant<bool ZTConfig::*, int ZTConfig::*, double ZTConfig::*, ZTLanguage ZTConfig::*>;

// One key: where it lives, the field it fills and the values it may take. A value outside the
// bounds, or one that does not parse, gives the field its default (that of ZTConfig). Booleans
// take any integer. The table's order is the order of reading and writing.
struct Key {
    const char* section;
    const char* name;
    Field field;
    double min, max;
};
constexpr Key keys[] = {
    {"Screen", "WindowMode", &ZTConfig::windowMode, INT_MIN, INT_MAX},
    {"Screen", "RefleshRate", &ZTConfig::refreshRate, 1, 1000},
    {"Screen", "Int", &ZTConfig::drawInterval, 1, 60},
    {"Screen", "SpriteOfs", &ZTConfig::spriteOffset, -1.0, 1.0},
    {"Screen", "Scale", &ZTConfig::scale, 1, 16},
    {"Screen", "FocusPause", &ZTConfig::focusPause, INT_MIN, INT_MAX},
    {"Screen", "VSync", &ZTConfig::vsync, INT_MIN, INT_MAX},
    {"Sound", "BGM", &ZTConfig::bgmEnabled, INT_MIN, INT_MAX},
    {"Sound", "SEVolume", &ZTConfig::seVolume, 0, 100},
    {"Sound", "BGMVolume", &ZTConfig::bgmVolume, 0, 100},
    {"Debug", "Stage", &ZTConfig::stage, 1, 24},
    {"Debug", "Tail", &ZTConfig::tailCount, 1, 50},
    {"Form", "Top", &ZTConfig::top, INT_MIN, INT_MAX},
    {"Form", "Left", &ZTConfig::left, INT_MIN, INT_MAX},
    {"Form", "Width", &ZTConfig::width, 0, 16384},
    {"Form", "Height", &ZTConfig::height, 0, 16384},
    {"Game", "Language", &ZTConfig::language, 0, 255}, // by name, not number
};
constexpr int keyCount = static_cast<int>(sizeof keys / sizeof keys[0]);
// More than any configuration needs; the rest of a bigger file is not read.
constexpr size_t configLimit = 1 << 22;

// The controls: one key per binding in "Keys", one pad button in "Pad".
constexpr const char* keySection = "Keys";
constexpr const char* padSection = "Pad";

struct Found {
    std::string value[keyCount];
    bool present[keyCount] = {};
    std::string key[kiBindCount], pad[kiBindCount];
    bool keyPresent[kiBindCount] = {}, padPresent[kiBindCount] = {};
};

// Without a platform, codes are named by number, as the contract's own naming does.
class Unnamed : public PlatformInput {
public:
    bool readKeys(uint8_t*) override { return false; }
    bool readPad(KPadState&) override { return false; }
};

const PlatformInput& names() {
    static const Unnamed unnamed;
    if (gPlatform.input) return *gPlatform.input;
    return unnamed;
}

void collectBinding(Found& found, const char* section, const char* name, const char* value) {
    const bool keys = strcasecmp(section, keySection) == 0;
    if (!keys && strcasecmp(section, padSection) != 0) return;
    for (int i = 0; i < kiBindCount; ++i) {
        if (strcasecmp(name, kiBindNames[i]) != 0) continue;
        bool& present = keys ? found.keyPresent[i] : found.padPresent[i];
        if (present) return;
        (keys ? found.key[i] : found.pad[i]) = value;
        present = true;
    }
}

// Section and key names compare without regard to case, as INI files always have.
void collect(Found& found, const char* section, const char* name, const char* value) {
    collectBinding(found, section, name, value);
    for (int k = 0; k < keyCount; ++k) {
        if (found.present[k] || strcasecmp(section, keys[k].section) != 0 ||
            strcasecmp(name, keys[k].name) != 0)
            continue;
        found.value[k] = value;
        found.present[k] = true; // the first occurrence counts
    }
}

// Reads INI text line by line: "[section]", "name=value" (or "name: value"), comments after ';'
// or '#' at the start of a line and after " ;" within one. Names and values lose the blanks
// around them; a line that is none of these is skipped. Every build reads the file with this.
void parseIni(const std::string& text, Found& found) {
    std::string section;
    size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
    };
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        size_t b = at, e = end;
        at = end + 1;
        while (b < e && blank(text[b])) ++b;
        if (b == e || text[b] == ';' || text[b] == '#') continue;
        for (size_t i = b + 1; i < e; ++i)
            if (text[i] == ';' && blank(text[i - 1])) {
                e = i;
                break;
            }
        while (e > b && blank(text[e - 1])) --e;
        if (text[b] == '[') {
            const size_t close = text.find(']', b);
            if (close < e) section.assign(text, b + 1, close - b - 1);
            continue;
        }
        size_t sep = b;
        while (sep < e && text[sep] != '=' && text[sep] != ':') ++sep;
        if (sep == e) continue;
        size_t ne = sep, vb = sep + 1;
        while (ne > b && blank(text[ne - 1])) --ne;
        while (vb < e && blank(text[vb])) ++vb;
        const std::string name(text, b, ne - b), value(text, vb, e - vb);
        collect(found, section.c_str(), name.c_str(), value.c_str());
    }
}

// The number a whole value spells, when it spells one within the key's bounds.
bool parse(const std::string& text, const Key& key, double& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double v;
    if (std::holds_alternative<ZTLanguage ZTConfig::*>(key.field)) {
        ZTLanguage language;
        if (!ztFindLanguage(text, language)) return false;
        out = static_cast<double>(language);
        return true;
    }
    if (std::holds_alternative<double ZTConfig::*>(key.field)) {
        v = std::strtod(begin, &end);
        if (!std::isfinite(v)) return false;
    } else {
        const long long n = std::strtoll(begin, &end, 10);
        if (n < INT_MIN || n > INT_MAX) return false;
        v = static_cast<double>(n);
    }
    if (end == begin || *end != '\0' || errno == ERANGE || v < key.min || v > key.max) return false;
    out = v;
    return true;
}

void put(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

// Shortest text that reads back as the same double: the fewest significant digits that do.
std::string shortest(double v) {
    if (!std::isfinite(v)) return "0";
    char number[64];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(number, sizeof number, "%.*g", digits, v);
        if (std::strtod(number, nullptr) == v) break;
    }
    return number;
}
} // namespace

bool ztReadConfig(const char* path, ZTConfig& config, std::string* unreadable) {
    // Read whole first, so that a file that exists but cannot be read is told from a missing one.
    std::vector<uint8_t> bytes;
    int error = 0;
    if (!ztReadWholeFile(path, configLimit, bytes, &error)) {
        if (unreadable && error != ENOENT) *unreadable = std::strerror(error);
        return false;
    }
    const std::string contents(bytes.begin(), bytes.end());
    Found found;
    parseIni(contents, found);
    const ZTConfig defaults;
    for (int k = 0; k < keyCount; ++k) {
        if (!found.present[k]) continue;
        double v = 0.0;
        const bool ok = parse(found.value[k], keys[k], v);
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(config.*member)>;
                if (!ok)
                    config.*member = defaults.*member;
                else if constexpr (std::is_same_v<T, bool>)
                    config.*member = v != 0.0;
                else if constexpr (std::is_enum_v<T>)
                    config.*member = static_cast<T>(static_cast<int>(v));
                else
                    config.*member = static_cast<T>(v);
            },
            keys[k].field);
    }
    // Bindings go on one at a time over the defaults, each taking its key from whoever had it.
    for (int i = 0; i < kiBindCount; ++i) {
        if (found.keyPresent[i]) kiBindKey(config.bindings, i, names().keyFromName(found.key[i]));
        if (found.padPresent[i])
            kiBindPadButton(config.bindings, i, names().padButtonFromName(found.pad[i]));
    }
    return true;
}

bool ztWriteConfig(const char* path, const ZTConfig& config) {
    std::string text;
    const char* section = "";
    for (const Key& key : keys) {
        if (std::string(section) != key.section) {
            section = key.section;
            text += std::string("[") + section + "]\n";
        }
        std::visit(
            [&](auto member) {
                const auto value = config.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, double>)
                    put(text, key.name, shortest(value));
                else if constexpr (std::is_same_v<T, ZTLanguage>)
                    put(text, key.name, ztLanguageName(value));
                else
                    put(text, key.name, std::to_string(static_cast<long long>(value)));
            },
            key.field);
    }
    text += std::string("[") + keySection + "]\n";
    for (int i = 0; i < kiBindCount; ++i)
        put(text, kiBindNames[i], names().keyName(config.bindings.key[i]));
    text += std::string("[") + padSection + "]\n";
    for (int i = 0; i < kiBindCount; ++i)
        put(text, kiBindNames[i], names().padButtonName(config.bindings.pad[i]));
    return kfSave(path, text.data(), text.size());
}
