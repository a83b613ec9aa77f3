#include "rep_world.h"

#include <stdlib.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "engine.h"
#include "frame.h"
#include "replay/replay_file.h"
#include "sound.h"

namespace fs = std::filesystem;

RepDir::RepDir(bool stockData) {
    previous = fs::current_path().string();
    char pattern[] = "/tmp/zt_rep_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    path = made;
    fs::current_path(path);
    fs::create_directory("rep");
    if (stockData)
        fs::create_directory_symlink(fs::path(ZT_ROOT) / "dat", "dat");
    else
        fs::create_directory("dat");
}

RepDir::~RepDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}

void holdButtons(HeadlessPlatform& platform, uint32_t word) {
    struct Key {
        uint32_t bit;
        uint8_t scan;
    };
    static constexpr Key keys[] = {
        {KI_BUTTON1, KI_KEY_Z},     {KI_BUTTON2, KI_KEY_X},   {KI_BUTTON3, KI_KEY_C},
        {KI_BUTTON4, KI_KEY_V},     {KI_UP, KI_KEY_UP},       {KI_DOWN, KI_KEY_DOWN},
        {KI_LEFT, KI_KEY_LEFT},     {KI_RIGHT, KI_KEY_RIGHT}, {KI_TAB, KI_KEY_TAB},
        {KI_ESCAPE, KI_KEY_ESCAPE},
    };
    for (const Key& k : keys) platform.input.keys[k.scan] = (word & k.bit) ? 0x80 : 0;
}

std::tm FakeClock::now{};

namespace {
std::tm fakeNow() {
    return FakeClock::now;
}
} // namespace

FakeClock::FakeClock(int year, int month, int day, int hour, int minute, int second) {
    now = std::tm{};
    now.tm_year = year - 1900;
    now.tm_mon = month - 1;
    now.tm_mday = day;
    now.tm_hour = hour;
    now.tm_min = minute;
    now.tm_sec = second;
    now.tm_isdst = 0;
    ztReplayClock = fakeNow;
}

FakeClock::~FakeClock() {
    ztReplayClock = [] {
        const std::time_t t = std::time(nullptr);
        std::tm out{};
        localtime_r(&t, &out);
        return out;
    };
}

void FakeClock::advance(int seconds) {
    // timegm/gmtime keep the arithmetic free of the machine's time zone.
    std::time_t t = timegm(&now) + seconds;
    gmtime_r(&t, &now);
}

RepWorld::RepWorld(int firstScene) : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    kwInitializeWave();
    for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
    work = new ZTWork();
    gWork = work;
    keInitializeKilnEngine(&creator, firstScene);
}

RepWorld::~RepWorld() {
    keDisposeKilnEngine();
    kwDisposeWave();
    gWork = nullptr;
    delete work;
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}

KilnEngine* RepWorld::keSceneNow() {
    return keScene;
}

void RepWorld::frame() {
    platform.renderer.draws.clear();
    ztFrameStep(true);
}

std::vector<PrintedChar> RepWorld::printed(int row) const {
    // Font cells are found by their texture corner; each glyph quad is six vertices.
    std::map<std::pair<float, float>, int> byCorner;
    for (int c = kFontFirstCell; c < kChipFirstCell; ++c) {
        const KCell& k = sprite.cell(c);
        if (k.slot != sprite.cell(kFontFirstCell).slot) continue;
        byCorner[{std::min(k.uLeft, k.uRight), std::min(k.vTop, k.vBottom)}] = c;
    }
    const int fontSlot = sprite.cell(kFontFirstCell).slot;
    std::map<int, PrintedChar> columns;
    for (const auto& d : platform.renderer.draws) {
        if (d.slot != fontSlot) continue;
        for (size_t q = 0; q + 6 <= d.vertices.size(); q += 6) {
            float u = d.vertices[q].u, v = d.vertices[q].v, x = 0, y = 0;
            for (size_t i = q; i < q + 6; ++i) {
                u = std::min(u, d.vertices[i].u);
                v = std::min(v, d.vertices[i].v);
                x += d.vertices[i].x / 6.0f;
                y += d.vertices[i].y / 6.0f;
            }
            auto it = byCorner.find({u, v});
            if (it == byCorner.end()) continue;
            const int size = ascii.cellSize * ascii.scale;
            if (std::lround(y) != row * size + size / 2) continue;
            const int column = static_cast<int>(std::lround(x)) / size;
            // The font starts at the space: cell 187 is ' ' (32), so the code is cell - 155.
            columns[column] = {column, static_cast<char>(it->second - 155), d.vertices[q].colour};
        }
    }
    std::vector<PrintedChar> out;
    for (const auto& [c, p] : columns) out.push_back(p);
    return out;
}

std::string RepWorld::textRow(int row) const {
    std::string text;
    for (const PrintedChar& p : printed(row)) {
        if (static_cast<int>(text.size()) < p.column) text.resize(p.column, ' ');
        text += p.c;
    }
    return text;
}

std::vector<int> RepWorld::takeSounds() {
    std::vector<int> s = platform.audio.played;
    platform.audio.played.clear();
    return s;
}

void writeRepFile(const std::string& name, uint32_t score, uint32_t field, uint32_t tail,
                  const std::vector<uint32_t>& words) {
    ZTReplayHeader h;
    h.score = score;
    h.field = field;
    h.tail = tail;
    writeBytes("rep/" + name, ztBuildReplay(h, words));
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
