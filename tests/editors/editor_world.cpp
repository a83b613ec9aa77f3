#include "editor_world.h"

#include <stdlib.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "engine.h"
#include "frame.h"
#include "input.h"
#include "sprite.h"

namespace fs = std::filesystem;

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string readText(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

EditorWorld::EditorWorld() {
    home = fs::current_path().string();
    char pattern[] = "/tmp/zt_editor_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    root = made;
    fs::current_path(root);
    fs::create_directory("dat");
}

EditorWorld::~EditorWorld() {
    delete form;
    std::error_code ec;
    fs::current_path(home, ec);
    fs::remove_all(root, ec);
}

void EditorWorld::start(int scene, int stage) {
    form = new TForm1();
    form->stage = stage;
    keNextScene = scene;
    frame();
}

KilnEngine* EditorWorld::live() {
    return keScene;
}

int EditorWorld::sceneNumber() const {
    return keScene ? keSceneNumber : -1;
}

void EditorWorld::hold(uint32_t word) {
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

void EditorWorld::frame(bool drawn) {
    if (drawn) platform.renderer.draws.clear();
    ztFrameStep(drawn);
}

void EditorWorld::push(uint32_t word, int times) {
    for (int i = 0; i < times; ++i) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
}

std::vector<DrawnSprite> EditorWorld::drawn() const {
    // Cells by their texture rectangle; the lowest cell wins where two share one.
    std::map<std::tuple<int, float, float, float, float>, int> byRect;
    for (int c = gSprite->cellCount() - 1; c >= 0; --c) {
        const KCell& k = gSprite->cell(c);
        byRect[{k.slot, std::min(k.uLeft, k.uRight), std::min(k.vTop, k.vBottom),
                std::max(k.uLeft, k.uRight), std::max(k.vTop, k.vBottom)}] = c;
    }
    std::vector<DrawnSprite> out;
    for (const auto& d : platform.renderer.draws) {
        for (size_t q = 0; q + 6 <= d.vertices.size(); q += 6) {
            float u0 = 1e9f, v0 = 1e9f, u1 = -1e9f, v1 = -1e9f;
            float x0 = 1e9f, x1 = -1e9f, cx = 0, cy = 0;
            for (size_t i = q; i < q + 6; ++i) {
                const KVertex& v = d.vertices[i];
                u0 = std::min(u0, v.u), v0 = std::min(v0, v.v);
                u1 = std::max(u1, v.u), v1 = std::max(v1, v.v);
                x0 = std::min(x0, v.x), x1 = std::max(x1, v.x);
                cx += v.x / 6.0f, cy += v.y / 6.0f;
            }
            DrawnSprite s;
            auto it = byRect.find({d.slot, u0, v0, u1, v1});
            s.cell = it == byRect.end() ? -1 : it->second;
            s.x = std::round(cx);
            s.y = std::round(cy);
            if (s.cell >= 0) s.scale = (x1 - x0) / gSprite->cell(s.cell).width;
            s.colour = d.vertices[q].colour;
            s.blend = d.blend;
            out.push_back(s);
        }
    }
    return out;
}

std::vector<DrawnSprite> EditorWorld::drawn(int cell) const {
    std::vector<DrawnSprite> out;
    for (const DrawnSprite& s : drawn())
        if (s.cell == cell) out.push_back(s);
    return out;
}

DrawnSprite EditorWorld::topAt(float x, float y) const {
    DrawnSprite top;
    for (const DrawnSprite& s : drawn())
        if (s.x == x && s.y == y) top = s;
    return top;
}

std::string EditorWorld::textRow(int row) const {
    std::map<int, char> columns;
    for (const DrawnSprite& s : drawn()) {
        if (s.cell < kFontFirstCell || s.cell >= kChipFirstCell || s.scale != 2.0f) continue;
        if (std::lround(s.y) != row * 16 + 8) continue;
        columns[static_cast<int>(std::lround(s.x)) / 16] =
            static_cast<char>(s.cell - kFontFirstCell + 32);
    }
    std::string text;
    if (columns.empty()) return text;
    for (int c = 0; c <= columns.rbegin()->first; ++c) text += columns.count(c) ? columns[c] : ' ';
    return text;
}
