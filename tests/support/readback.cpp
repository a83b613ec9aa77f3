#include "readback.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

std::vector<DrawnSprite> readDrawn(const KilnSprite& sprite, const RecordingRenderer& renderer) {
    std::map<std::tuple<int, float, float, float, float>, int> byRect;
    for (int c = sprite.cellCount() - 1; c >= 0; --c) {
        const KCell& k = sprite.cell(c);
        byRect[{k.slot, std::min(k.uLeft, k.uRight), std::min(k.vTop, k.vBottom),
                std::max(k.uLeft, k.uRight), std::max(k.vTop, k.vBottom)}] = c;
    }
    std::vector<DrawnSprite> out;
    for (const auto& d : renderer.draws) {
        // Each quad is two triangles, six vertices.
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
            if (s.cell >= 0) s.scale = (x1 - x0) / sprite.cell(s.cell).width;
            s.colour = d.vertices[q].colour;
            s.blend = d.blend;
            out.push_back(s);
        }
    }
    return out;
}

std::vector<PrintedChar> readPrinted(const std::vector<DrawnSprite>& drawn, int row, int scale) {
    const int size = 8 * scale;
    std::map<int, PrintedChar> columns;
    for (const DrawnSprite& s : drawn) {
        if (s.cell < kFontFirstCell || s.cell >= kChipFirstCell || s.scale != scale) continue;
        if (std::lround(s.y) != row * size + size / 2) continue;
        const int column = static_cast<int>(std::lround(s.x)) / size;
        // The font starts at the space.
        columns[column] = {column, static_cast<char>(s.cell - kFontFirstCell + 32), s.colour};
    }
    std::vector<PrintedChar> out;
    for (const auto& [column, p] : columns) out.push_back(p);
    return out;
}

std::string printedText(const std::vector<PrintedChar>& printed) {
    std::string text;
    for (const PrintedChar& p : printed) {
        if (static_cast<int>(text.size()) < p.column) text.resize(p.column, ' ');
        text += p.c;
    }
    return text;
}
