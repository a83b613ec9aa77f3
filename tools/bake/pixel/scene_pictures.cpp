#include <iconv.h>

#include <cmath>
#include <string>

#include "review.h"

namespace {

// The window's text is Shift-JIS; the review writes its sample line in UTF-8.
std::string toSjis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == iconv_t(-1)) return {};
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* op = out.data();
    size_t il = utf8.size(), ol = out.size();
    iconv(cd, &in, &il, &op, &ol);
    iconv_close(cd);
    out.resize(out.size() - ol);
    return out;
}

// A message window at its final size, drawn piece by piece like the game's window.
void drawWindow(PxCanvas& c, float x, float y, const std::string& text, int p) {
    int width = 1, height = 1, column = 1, row = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '|' && i + 1 < text.size()) {
            if (text[++i] == 'n')
                column = 1, row += 2, height = std::max(height, row);
            else
                column += 2;
        } else if (b > 128)
            column += 2, ++i;
        else
            column += 1;
        if (column / 2 > width) width = column / 2;
    }
    auto put = [&](int cell, float px, float py) { c.put(cell, px, py, 0, 2, 2, 0xFFFFFFFF); };
    put(144 + p, x, y);
    for (int k = 1; k <= width; ++k) put(160 + p, x + 32.0f * float(k), y);
    put(148 + p, x + 32.0f * float(width + 1), y);
    for (int r = 1; r <= height; ++r) {
        float ry = y + 32.0f * float(r);
        put(168 + p, x, ry);
        for (int k = 1; k <= width; ++k) put(176, x + 32.0f * float(k), ry);
        put(172 + p, x + 32.0f * float(width + 1), ry);
    }
    float by = y + 32.0f * float(height + 1);
    put(152 + p, x, by);
    for (int k = 1; k <= width; ++k) put(164 + p, x + 32.0f * float(k), by);
    put(156 + p, x + 32.0f * float(width + 1), by);

    float tx = x + 32, ty = y + 32;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '|' && i + 1 < text.size()) {
            char code = text[++i];
            if (code == 'n')
                tx = x + 32, ty += 64;
            else if (code == 'p')
                put(185, tx, ty), tx += 32;
        } else if (b > 128 && i + 1 < text.size()) {
            int trail = static_cast<unsigned char>(text[++i]);
            put(b * 256 + trail - 32805, tx, ty);
            tx += 32;
        } else {
            c.put(b + 155, tx, ty, 0, 2, 4, 0xFFFFFFFF);
            tx += 16;
        }
    }
}

} // namespace

PxImage pxTalkPicture(const PxSheets& sheets) {
    PxCanvas c(sheets, 640, 480);
    c.clear(0xFFC100); // the conversation scenes' clear colour
    for (int r = 0; r * 64 - 20 < 512; ++r)
        for (int x = (r % 2) * 64 - 40; x < 672; x += 128)
            c.put(133, float(x), float(r * 64 - 20), 0, 2, 2, 0x40FFFFFF);
    c.put(134, 320, 160, 0, 1, 1, 0xFFFFFFFF);
    c.put(137, 112, 160, 0, 1, 1, 0xFFFFFFFF);
    c.put(142, 528, 160, 0, 1, 1, 0xFFFFFFFF);
    drawWindow(c, 32, 288, toSjis("ゲートをぬけたら、そこは|nテキのまっただなか！ GO!|p"), 2);
    return c.image();
}

PxImage pxTitlePicture(const PxSheets& sheets) {
    PxCanvas c(sheets, 640, 480);
    c.clear(0xE2CE9F); // the title's clear colour
    // The side-view tank stopped at the left, its cars bobbing one after another.
    const float x = 64, y = 400;
    for (int i = 0; i < 10; ++i) {
        float b = 3.0f * std::sin(float(i) * 1.1f);
        float sx = x + 62.0f * float(i);
        c.put(i == 0 ? 28 : 29, sx, y + b / 2, 0, 1, 1, 0xFFFFFFFF);
        c.put(30, sx, y + b + 18, 0, 1, 1, 0xFFFFFFFF);
        if (i == 0) c.put(32, x + 8, y + b / 3 - 22, 0, 1, 1, 0xFFFFFFFF);
    }
    c.put(25, 320, 160, 0, 1, 1, 0xFFFFFFFF);
    c.put(26, 480, 240, 0, 1, 1, 0xFFFFFFFF);
    c.put(27, 320, 448, 0, 1, 1, 0xFFFFFFFF);
    c.print(14, 20, 2, 0xFFFFFFFF, "PRESS BUTTON");
    return c.image();
}

PxImage pxBossPicture(const PxSheets& sheets) {
    PxCanvas c(sheets, 640, 480);
    c.clear(0x000000);
    for (int r = 0; r < 8; ++r)
        for (int col = 0; col < 10; ++col)
            c.put(7, float(col * 64 + 32), float(r * 64 + 32), 0, 1, 1, 0xFFFFFFFF);
    // LC: base, ring at half the turret's angle, turret.
    const float lx = 440, ly = 300, la = 0.6f;
    c.put(105, lx + 12, ly + 12, la, 1, 1, 0x60000000);
    c.put(103, lx, ly, 0, 1, 1, 0xFFFFFFFF);
    c.put(104, lx, ly, la / 2, 1, 1, 0xFFFFFFFF);
    c.put(105, lx, ly, la, 1, 1, 0xFFFFFFFF);
    // Gyro: body, three turrets on its axis, four rotors, shadows far below.
    const float gx = 180, gy = 180, ga = -0.35f, phase = 0.7f;
    const float rotors[4][4] = {
        {-51, -50, 1, 0}, {-51, 44, -1, 0}, {51, -50, -1, 3.1415927f}, {51, 44, 1, 3.1415927f}};
    const float turrets[3] = {-34, -7, 14};
    float cs = std::cos(ga), sn = std::sin(ga);
    c.put(100, gx + 24, gy + 24, ga, 1, 1, 0x60000000);
    for (auto& r : rotors)
        c.put(101, gx + r[0] * cs - r[1] * sn + 24, gy + r[0] * sn + r[1] * cs + 24,
              phase * r[2] + r[3], 1, 1, 0x10000000);
    c.put(100, gx, gy, ga, 1, 1, 0xFFFFFFFF);
    for (float t : turrets) c.put(102, gx - t * sn, gy + t * cs, 0.9f, 1, 1, 0xFFFFFFFF);
    for (auto& r : rotors)
        c.put(101, gx + r[0] * cs - r[1] * sn, gy + r[0] * sn + r[1] * cs, phase * r[2] + r[3], 1,
              1, 0xFFFFFFFF);
    return c.image();
}
