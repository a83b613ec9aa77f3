#include <algorithm>
#include <cstring>

#include "celltable.h"
#include "review.h"
#include "sprite.h"

namespace {

// 3x5 digits for the labels, so that even a 16-pixel cell can carry its number.
const char* const kDigits[10] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
    "111100111001111", "111100111101111", "111001001010010", "111101111101111", "111101111001111"};

void fillRect(PxImage& img, int x, int y, int w, int h, uint32_t rgb) {
    for (int j = std::max(0, y); j < std::min(img.h, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(img.w, x + w); ++i) {
            uint8_t* p = img.at(i, j);
            p[0] = uint8_t(rgb >> 16), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb), p[3] = 255;
        }
}

void label(PxImage& img, int x, int y, int value) {
    std::string s = std::to_string(value);
    for (size_t n = 0; n < s.size(); ++n)
        for (int b = 0; b < 15; ++b)
            if (kDigits[s[n] - '0'][b] == '1')
                fillRect(img, x + int(n) * 4 + b % 3, y + b / 3, 1, 1, 0xFFE080);
}

} // namespace

PxImage pxContactSheet(const PxSheets& sheets, int width) {
    struct Box {
        int cell, x, y, w, h;
    };
    std::vector<Box> boxes;
    int x = 4, y = 4, rowH = 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
        KCellRect r = kCellRect(cell);
        int labelW = int(std::to_string(cell).size()) * 4;
        int w = std::max(r.w, labelW) + 2, h = r.h + 8;
        if (x + w + 4 > width) x = 4, y += rowH + 4, rowH = 0;
        boxes.push_back({cell, x, y, w, h});
        x += w + 4;
        rowH = std::max(rowH, h);
    }
    PxCanvas canvas(sheets, width, y + rowH + 4);
    canvas.clear(0x202028);
    for (const Box& b : boxes) {
        KCellRect r = kCellRect(b.cell);
        label(canvas.image(), b.x + 1, b.y, b.cell);
        int cx = b.x + 1, cy = b.y + 7;
        fillRect(canvas.image(), cx - 1, cy - 1, r.w + 2, r.h + 2, 0x606070);
        for (int j = 0; j < r.h; j += 4)
            for (int i = 0; i < r.w; i += 4)
                fillRect(canvas.image(), cx + i, cy + j, std::min(4, r.w - i), std::min(4, r.h - j),
                         ((i + j) / 4) % 2 ? 0x8C8C8C : 0x6C6C6C);
        // Slot 0 is drawn additively on black in the game; show it the same way.
        if (r.slot == 0) fillRect(canvas.image(), cx, cy, r.w, r.h, 0x000000);
        canvas.put(b.cell, float(cx) + float(r.w) * 0.5f, float(cy) + float(r.h) * 0.5f, 0, 1, 1,
                   0xFFFFFFFF, r.slot == 0);
    }
    return canvas.image();
}
