// Hostile values in "zent.ini": every key's default comes back for what it cannot take, and its
// bounds hold; a file that is no INI file at all gives the defaults.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "config.h"
#include "config_fixture.h"
#include "language.h"

namespace {
// One row per key of the file: its place, its kind, its default and bounds, and the field it
// fills. A key added to the configuration needs one row here (the test below finds a key
// without one).
enum class Kind { Bool, Int, Real };
struct KeyRow {
    const char* section;
    const char* name;
    Kind kind;
    double fallback, lowest, highest; // the default and the bounds (booleans: any integer)
    double (*field)(const ZTConfig&);
};
const KeyRow keyRows[] = {
    {"Screen", "WindowMode", Kind::Bool, 1, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.windowMode; }},
    {"Screen", "RefleshRate", Kind::Int, 60, 1, 1000,
     [](const ZTConfig& c) -> double { return c.refreshRate; }},
    {"Screen", "Int", Kind::Int, 1, 1, 60,
     [](const ZTConfig& c) -> double { return c.drawInterval; }},
    {"Screen", "SpriteOfs", Kind::Real, 0, -1, 1,
     [](const ZTConfig& c) -> double { return c.spriteOffset; }},
    {"Screen", "Scale", Kind::Int, 1, 1, 16, [](const ZTConfig& c) -> double { return c.scale; }},
    {"Screen", "FocusPause", Kind::Bool, 1, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.focusPause; }},
    {"Screen", "VSync", Kind::Bool, 1, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.vsync; }},
    {"Sound", "BGM", Kind::Bool, 1, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.bgmEnabled; }},
    {"Sound", "SEVolume", Kind::Int, 100, 0, 100,
     [](const ZTConfig& c) -> double { return c.seVolume; }},
    {"Sound", "BGMVolume", Kind::Int, 100, 0, 100,
     [](const ZTConfig& c) -> double { return c.bgmVolume; }},
    {"Debug", "Stage", Kind::Int, 1, 1, 24, [](const ZTConfig& c) -> double { return c.stage; }},
    {"Debug", "Tail", Kind::Int, 1, 1, 50, [](const ZTConfig& c) -> double { return c.tailCount; }},
    {"Form", "Top", Kind::Int, 0, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.top; }},
    {"Form", "Left", Kind::Int, 0, INT_MIN, INT_MAX,
     [](const ZTConfig& c) -> double { return c.left; }},
    {"Form", "Width", Kind::Int, 0, 0, 16384, [](const ZTConfig& c) -> double { return c.width; }},
    {"Form", "Height", Kind::Int, 0, 0, 16384,
     [](const ZTConfig& c) -> double { return c.height; }},
};

// A configuration with every field away from its default, so that a bad value is seen to reset
// its field and not merely leave it.
ZTConfig farFromDefaults() {
    ZTConfig c;
    c.windowMode = c.focusPause = c.vsync = c.bgmEnabled = false;
    c.refreshRate = c.drawInterval = c.scale = c.stage = c.tailCount = 9;
    c.seVolume = c.bgmVolume = 9;
    c.spriteOffset = 0.5;
    c.top = c.left = c.width = c.height = 9;
    c.language = ZTLanguage::English;
    return c;
}
} // namespace

// The keys that take names: a key and a pad button for each binding, and the language.
static bool isBinding(const std::string& section, const std::string& name) {
    if (section == "Game" && name == "Language") return true;
    if (section != "Keys" && section != "Pad") return false;
    for (const char* bound : kiBindNames)
        if (name == bound) return true;
    return false;
}

TEST_F(Config, EveryKeyWrittenHasARowInTheHostileTable) {
    ASSERT_TRUE(ztWriteConfig(kPath, ZTConfig{}));
    std::string section;
    int keys = 0;
    const std::string text = readText(kPath);
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::string name = line.substr(0, line.find('='));
        bool found = isBinding(section, name);
        for (const KeyRow& k : keyRows) found = found || (section == k.section && name == k.name);
        EXPECT_TRUE(found) << section << "/" << name << " has no row in keyRows";
        keys += 1;
    }
    EXPECT_EQ(keys, static_cast<int>(sizeof keyRows / sizeof keyRows[0]) + 2 * kiBindCount + 1);
}

TEST_F(Config, HostileValuesGiveTheDefaultAndBoundsHold) {
    const std::string hostile[] = {"2000000000",
                                   "99999999999999999999",
                                   "-2147483649",
                                   "2147483648",
                                   "nan",
                                   "inf",
                                   "-inf",
                                   "",
                                   "garbage",
                                   "12abc",
                                   "1e308",
                                   "0x10",
                                   std::string(5000, '9'),
                                   "1e-400",
                                   "\x01\xff",
                                   "1.5",
                                   "#",
                                   "#99999999999",
                                   "#1e3"};
    for (const KeyRow& k : keyRows) {
        const std::string head = std::string("[") + k.section + "]\n" + k.name + "=";
        for (const std::string& value : hostile) {
            // Values within an unbounded integer key's range are fine; the rest is hostile.
            const bool wholeInRange = value == "2000000000" && k.highest >= 2000000000.0;
            if (wholeInRange) continue;
            writeText(head + value + "\n");
            ZTConfig c = farFromDefaults();
            ztReadConfig(kPath, c);
            EXPECT_EQ(k.field(c), k.fallback) << k.name << "=" << value.substr(0, 40);
        }
        // The bounds themselves are taken, one step beyond them is not. A boolean is true for
        // any non-zero integer.
        const double step = k.kind == Kind::Real ? 0.001 : 1;
        for (double v : {k.lowest, k.highest, k.lowest - step, k.highest + step, 0.0}) {
            char text[32];
            std::snprintf(text, sizeof text, "%.17g", v);
            writeText(head + text + "\n");
            ZTConfig c = farFromDefaults();
            ztReadConfig(kPath, c);
            const bool inside = v >= k.lowest && v <= k.highest;
            const double want = !inside ? k.fallback : k.kind == Kind::Bool ? (v != 0) : v;
            EXPECT_EQ(k.field(c), want) << k.name << "=" << text;
        }
    }
    // Every binding, key and pad button alike: a hostile name keeps the default.
    for (const char* section : {"Keys", "Pad"})
        for (const char* name : kiBindNames)
            for (const std::string& value : hostile) {
                writeText(std::string("[") + section + "]\n" + name + "=" + value + "\n");
                ZTConfig c;
                ztReadConfig(kPath, c);
                EXPECT_EQ(c.bindings, kiDefaultBindings())
                    << section << "/" << name << "=" << value.substr(0, 40);
            }
    // The language goes by name: anything but a language's name keeps Japanese.
    for (const std::string& value : hostile) {
        writeText("[Game]\nLanguage=" + value + "\n");
        ZTConfig c = farFromDefaults();
        ztReadConfig(kPath, c);
        EXPECT_EQ(c.language, ZTLanguage::Japanese) << "Language=" << value.substr(0, 40);
    }
    // Not an INI file at all, and a line of a megabyte: the program still gets the defaults.
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
    std::string huge = "[Debug]\nTail=" + std::string(1 << 20, '7') + "\nStage=3\n";
    for (const std::string& text : {binary, huge, "[Debug]\n" + std::string(1 << 20, 'x')}) {
        writeText(text);
        ZTConfig got;
        ztReadConfig(kPath, got);
        for (const KeyRow& k : keyRows) {
            if (text == huge && std::string(k.name) == "Stage") continue;
            EXPECT_EQ(k.field(got), k.fallback) << k.name << " " << text.substr(0, 20);
        }
    }
}
