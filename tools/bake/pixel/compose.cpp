#include "compose.h"

#include <algorithm>
#include <cmath>

#include "celltable.h"
#include "png_io.h"
#include "sprite.h"

PxCanvas::PxCanvas(const PxSheets& sheets, int w, int h) : tex(sheets), img(w, h) {}

void PxCanvas::clear(uint32_t rgb) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            uint8_t* p = img.at(x, y);
            p[0] = uint8_t(rgb >> 16), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb), p[3] = 255;
        }
}

void PxCanvas::put(int cell, float x, float y, float angle, float sx, float sy, uint32_t colour,
                   bool additive) {
    KCellRect r = kCellRect(cell);
    const PxImage& t = tex[size_t(r.slot)];
    if (t.w == 0 || r.w == 0) return;
    float hw = float(r.w) * sx * 0.5f, hh = float(r.h) * sy * 0.5f;
    float px = hw, py = 0, qx = 0, qy = hh;
    if (angle != 0.0f) {
        float c = float(std::cos(double(angle))), s = float(std::sin(double(angle)));
        px = c * hw, py = s * hw, qx = -s * hh, qy = c * hh;
    }
    float det = px * qy - py * qx;
    if (det == 0.0f) return;
    float ex = std::fabs(px) + std::fabs(qx), ey = std::fabs(py) + std::fabs(qy);
    int x0 = std::max(0, int(std::floor(x - ex))), x1 = std::min(img.w - 1, int(std::ceil(x + ex)));
    int y0 = std::max(0, int(std::floor(y - ey))), y1 = std::min(img.h - 1, int(std::ceil(y + ey)));
    float cr = float((colour >> 16) & 0xFF) / 255.0f, cg = float((colour >> 8) & 0xFF) / 255.0f;
    float cb = float(colour & 0xFF) / 255.0f, ca = float(colour >> 24) / 255.0f;
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            // Solve pixel centre = C + u P + v Q for the quad coordinates u, v in -1..1.
            float dx = float(i) + 0.5f - x, dy = float(j) + 0.5f - y;
            float u = (dx * qy - dy * qx) / det, v = (px * dy - py * dx) / det;
            if (u < -1.0f || u >= 1.0f || v < -1.0f || v >= 1.0f) continue;
            int tx = int((u + 1.0f) * 0.5f * float(r.w)), ty = int((v + 1.0f) * 0.5f * float(r.h));
            tx = std::clamp(tx, 0, r.w - 1), ty = std::clamp(ty, 0, r.h - 1);
            if (r.mirrored) tx = r.w - 1 - tx;
            const uint8_t* s = t.at(r.x + tx, r.y + ty);
            float a = float(s[3]) / 255.0f * ca;
            if (a <= 0.0f) continue;
            uint8_t* d = img.at(i, j);
            float src[3] = {float(s[0]) * cr, float(s[1]) * cg, float(s[2]) * cb};
            for (int c = 0; c < 3; ++c) {
                float v2 = additive ? float(d[c]) + src[c] * a : src[c] * a + float(d[c]) * (1 - a);
                d[c] = uint8_t(std::clamp(v2 + 0.5f, 0.0f, 255.0f));
            }
        }
}

void PxCanvas::print(int column, int row, float scale, uint32_t colour, const std::string& text) {
    float step = 8.0f * scale;
    float x = float(column) * step + step * 0.5f, y = float(row) * step + step * 0.5f;
    for (char ch : text) {
        int c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 128) put(kFontFirstCell + c - 32, x, y, 0, scale, scale, colour);
        x += step;
    }
}

bool pxLoadTextures(const std::string& dir, PxSheets& out, std::string& err) {
    for (int s = 0; s < kPxSlots; ++s) {
        std::vector<uint8_t> bytes;
        std::string path = dir + "/" + kPxSlotInfo[s].file;
        if (!pxReadFile(path, bytes) || !pxDecodeTexture(std::move(bytes), out[size_t(s)])) {
            err = "cannot load " + path;
            return false;
        }
        pxApplyColourKey(out[size_t(s)], kPxSlotInfo[s].key);
    }
    return true;
}
