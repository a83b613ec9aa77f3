#include "sprite.h"

#include <cassert>

#include "kmath.h"
#include "log.h"

KilnSprite* gSprite = nullptr;

KilnSprite::KilnSprite(int cellCount, int capacity2D, int capacity3D_, int slotCount,
                       double texelOffset)
    : cells(cellCount > 0 ? cellCount : 0, KCell{}), slots(slotCount), capacity(capacity2D),
      queue(capacity2D > 0 ? capacity2D : 0), perSlot(slotCount > 0 ? slotCount : 0, 0),
      capacity3D(capacity3D_), perSlot3D(slotCount > 0 ? slotCount : 0, 0), offset(texelOffset),
      vertices(static_cast<size_t>(capacity2D > 0 ? capacity2D : 0) * 6) {
    klWrite("<KilnSprite::KilnSprite>\n");
    klValue(" cellNum    =", cellCount);
    klValue(" sprite2d   =", capacity2D);
    klValue(" sprite3d   =", capacity3D);
    klValue(" tex max    =", slotCount);
}

KilnSprite::~KilnSprite() {
    klWrite("<KilnSprite::~KilnSprite>\n");
}

void KilnSprite::kspDefineCell(int n, int slot, int size, int x, int y, int w, int h) {
    assert(n >= 0 && n < cellCount() && slot >= 0 && slot < slots && size > 0);
    if (n < 0 || n >= cellCount() || slot < 0 || slot >= slots || size <= 0) return;
    const double s = size;
    KCell& c = cells[n];
    c.slot = slot;
    c.uLeft = static_cast<float>((x + offset) / s);
    c.vTop = static_cast<float>((y + offset) / s);
    c.uRight = static_cast<float>((x + w + offset) / s);
    c.vBottom = static_cast<float>((y + h + offset) / s);
    c.width = static_cast<float>(w);
    c.height = static_cast<float>(h);
}

void KilnSprite::kspDefineCellMirrored(int n, int slot, int size, int x, int y, int w, int h) {
    kspDefineCell(n, slot, size, x, y, w, h);
    if (n < 0 || n >= cellCount()) return;
    std::swap(cells[n].uLeft, cells[n].uRight);
}

void KilnSprite::kspDefineCellRecord(const int row[8]) {
    if (row[7])
        kspDefineCellMirrored(row[0], row[1], row[2], row[3], row[4], row[5], row[6]);
    else
        kspDefineCell(row[0], row[1], row[2], row[3], row[4], row[5], row[6]);
}

void KilnSprite::kspPut(int n, float x, float y, float angle, float scaleX, float scaleY,
                        uint32_t colour) {
    assert(n >= 0 && n < cellCount());
    if (n < 0 || n >= cellCount()) return; // a bad cell is dropped in release builds
    if (count2D >= capacity) return;
    queue[count2D++] = KSprite{n, x, y, angle, scaleX, scaleY, colour};
    perSlot[cells[n].slot] += 1;
}

void KilnSprite::kspSetStates() {
    if (gPlatform.renderer) gPlatform.renderer->setBlend(KBlend::Alpha);
}

void KilnSprite::buildVertices(const KSprite& s, KVertex* out) const {
    const KCell& c = cells[s.cell];
    const float hw = c.width * s.scaleX * 0.5f;
    const float hh = c.height * s.scaleY * 0.5f;
    float px, py, qx, qy;
    if (s.angle == 0.0f) {
        px = hw, py = 0.0f, qx = 0.0f, qy = hh;
    } else {
        const float cs = kmCos(s.angle), sn = kmSin(s.angle);
        px = cs * hw, py = sn * hw;
        qx = -sn * hh, qy = cs * hh;
    }
    auto vertex = [&](float sx, float sy, float u, float v) {
        return KVertex{
            s.x + sx * px + sy * qx, s.y + sx * py + sy * qy, 1.0f, 1.0f, s.colour, u, v};
    };
    out[0] = vertex(-1, -1, c.uLeft, c.vTop);
    out[1] = vertex(+1, -1, c.uRight, c.vTop);
    out[2] = vertex(-1, +1, c.uLeft, c.vBottom);
    out[3] = out[2];
    out[4] = out[1];
    out[5] = vertex(+1, +1, c.uRight, c.vBottom);
}

void KilnSprite::kspFlush() {
    if (count2D == 0 || !gPlatform.renderer) return;
    for (int slot = 0; slot < slots; ++slot) {
        if (perSlot[slot] == 0) continue;
        KVertex* out = vertices.data();
        for (int i = 0; i < count2D; ++i) {
            if (cells[queue[i].cell].slot != slot) continue;
            buildVertices(queue[i], out);
            out += 6;
        }
        gPlatform.renderer->bindTexture(slot);
        gPlatform.renderer->drawTriangles(vertices.data(), perSlot[slot] * 6);
    }
}

void KilnSprite::kspClear() {
    for (int& n : perSlot) n = 0;
    count2D = 0;
}

void KilnSprite::kspDrawOut(bool opaque) {
    kspSetStates();
    if (opaque && gPlatform.renderer) gPlatform.renderer->setBlend(KBlend::None);
    kspFlush();
    kspClear();
}

void KilnSprite::kspClear3D() {
    for (int& n : perSlot3D) n = 0;
    count3D = 0;
    (void)capacity3D;
}
