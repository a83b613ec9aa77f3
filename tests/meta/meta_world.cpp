#include "meta_world.h"

#include <iconv.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "behave.h"
#include "engine.h"
#include "frame.h"
#include "sound.h"

namespace fs = std::filesystem;

std::string toShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return {};
    out.resize(out.size() - outLeft);
    return out;
}

std::vector<std::string> sourceLines(int n) {
    std::ifstream file(std::string(ZT_TEXT_DIR) + "/kaiwa" + std::to_string(n) + ".txt");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

MetaDir::MetaDir() {
    previous = fs::current_path().string();
    char pattern[] = "/tmp/zt_meta_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    path = made;
    fs::current_path(path);
    fs::create_directory("dat");
    fs::create_directory("rep");
    for (int n = 0; n < 3; ++n) {
        std::ifstream in(std::string(ZT_TEXT_DIR) + "/kaiwa" + std::to_string(n) + ".txt");
        std::stringstream utf8;
        utf8 << in.rdbuf();
        std::ofstream out("dat/kaiwa" + std::to_string(n) + ".txt", std::ios::binary);
        out << toShiftJis(utf8.str());
    }
}

MetaDir::~MetaDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}

namespace {
void holdKeys(HeadlessPlatform& platform, uint32_t word) {
    struct Key {
        uint32_t bit;
        uint8_t scan;
    };
    static constexpr Key keys[] = {
        {KI_BUTTON1, KI_KEY_Z}, {KI_BUTTON2, KI_KEY_X},   {KI_BUTTON3, KI_KEY_C},
        {KI_BUTTON4, KI_KEY_V}, {KI_UP, KI_KEY_UP},       {KI_DOWN, KI_KEY_DOWN},
        {KI_LEFT, KI_KEY_LEFT}, {KI_RIGHT, KI_KEY_RIGHT},
    };
    for (const Key& k : keys) platform.input.keys[k.scan] = (word & k.bit) ? 0x80 : 0;
}

// Reads the drawn quads back into cells by their texture corner.
std::vector<std::pair<int, KVertex>> readBack(const KilnSprite& sprite,
                                              const RecordingRenderer& renderer) {
    std::map<std::tuple<int, float, float>, int> byCorner;
    for (int c = sprite.cellCount() - 1; c >= 0; --c) {
        const KCell& k = sprite.cell(c);
        byCorner[{k.slot, std::min(k.uLeft, k.uRight), std::min(k.vTop, k.vBottom)}] = c;
    }
    std::vector<std::pair<int, KVertex>> found;
    for (const auto& d : renderer.draws)
        for (size_t q = 0; q + 6 <= d.vertices.size(); q += 6) {
            float u = d.vertices[q].u, v = d.vertices[q].v, x = 0, y = 0;
            for (size_t i = q; i < q + 6; ++i) {
                u = std::min(u, d.vertices[i].u);
                v = std::min(v, d.vertices[i].v);
                x += d.vertices[i].x / 6.0f;
                y += d.vertices[i].y / 6.0f;
            }
            auto it = byCorner.find({d.slot, u, v});
            KVertex centre = d.vertices[q];
            centre.x = x, centre.y = y;
            found.push_back({it == byCorner.end() ? -1 : it->second, centre});
        }
    return found;
}
} // namespace

MetaWorld::MetaWorld(int firstScene) : sprite(kCellCount, 4096, 0, 11, 0.0), ascii(kFontFirstCell) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gAscii = &ascii;
    gInput = &input;
    kwInitializeWave();
    for (int slot = 0; slot <= 10; ++slot) kwLoadSegment(slot, "se.wav", false);
    voxInitialize(true);
    work = new ZTWork();
    gWork = work;
    keInitializeKilnEngine(&creator, firstScene);
}

MetaWorld::~MetaWorld() {
    keDisposeKilnEngine();
    voxDispose();
    kwDisposeWave();
    gWork = nullptr;
    delete work;
    gInput = nullptr;
    gAscii = nullptr;
    gSprite = nullptr;
}

KilnEngine* MetaWorld::keSceneNow() {
    return keScene;
}

void MetaWorld::hold(uint32_t word) {
    holdKeys(platform, word);
}

void MetaWorld::frame(bool drawn) {
    if (drawn) platform.renderer.draws.clear();
    ztFrameStep(drawn);
}

std::vector<int> MetaWorld::drawnCells() const {
    std::vector<int> cells;
    for (const auto& [cell, v] : readBack(sprite, platform.renderer)) cells.push_back(cell);
    return cells;
}

std::string MetaWorld::textRow(int row) const {
    std::map<int, char> columns;
    for (const auto& [cell, v] : readBack(sprite, platform.renderer)) {
        if (cell < kFontFirstCell || cell >= kChipFirstCell) continue;
        const int size = ascii.cellSize * ascii.scale;
        if (std::lround(v.y) != row * size + size / 2) continue;
        columns[static_cast<int>(std::lround(v.x)) / size] = static_cast<char>(cell - 155);
    }
    std::string text;
    if (columns.empty()) return text;
    for (int c = 0; c <= columns.rbegin()->first; ++c) text += columns.count(c) ? columns[c] : ' ';
    return text;
}

std::vector<int> MetaWorld::takeSounds() {
    std::vector<int> s = platform.audio.played;
    platform.audio.played.clear();
    return s;
}

ObjectBench::ObjectBench() : sprite(kCellCount, 4096, 0, 11, 0.0) {
    kspDefineAllCells(sprite);
    gSprite = &sprite;
    gInput = &input;
    kbResetLists();
}

ObjectBench::~ObjectBench() {
    kbDeleteAll();
    gInput = nullptr;
    gSprite = nullptr;
}

void ObjectBench::hold(uint32_t word) {
    holdKeys(platform, word);
}

void ObjectBench::frame(bool drawn) {
    input.kiUpdate();
    kbMoveAll();
    if (!drawn) return;
    sprite.kspClear();
    for (int layer = 0; layer < kbLayerCount; ++layer) kbDrawLayer(layer);
    lastCells.clear();
    for (int i = 0; i < sprite.count(); ++i) lastCells.push_back(sprite.queued(i).cell);
    sprite.kspClear();
}

int ObjectBench::queued(int cell) const {
    int n = 0;
    for (int c : lastCells) n += c == cell;
    return n;
}
