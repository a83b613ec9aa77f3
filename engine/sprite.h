#pragma once
// Sprites: screen-space textured quads queued per frame and flushed as one triangle list per
// texture slot. Within a flush slot 0 comes first; within a slot, later sprites are on top.
#include <cstdint>
#include <vector>

#include "platform/platform.h"

struct KCell {
    int slot;
    float uLeft, vTop, uRight, vBottom;
    float width, height;
};

struct KSprite {
    int cell;
    float x, y;
    float angle;
    float scaleX, scaleY;
    uint32_t colour;
};

class KilnSprite {
public:
    KilnSprite(int cellCount, int capacity2D, int capacity3D, int slotCount, double texelOffset);
    ~KilnSprite();
    KilnSprite(const KilnSprite&) = delete;
    KilnSprite& operator=(const KilnSprite&) = delete;

    void kspDefineCell(int cell, int slot, int size, int x, int y, int w, int h);
    void kspDefineCellMirrored(int cell, int slot, int size, int x, int y, int w, int h);
    // A row of eight integers: cell, slot, size, x, y, width, height, mirrored.
    void kspDefineCellRecord(const int row[8]);

    // Queues a sprite; does nothing once the queue is full.
    void kspPut(int cell, float x, float y, float angle, float scaleX, float scaleY,
                uint32_t colour);
    // Alpha blending on; the state every flush starts from.
    void kspSetStates();
    // Draws the queue, one triangle list per texture slot in use. The queue stays.
    void kspFlush();
    void kspClear();
    void kspClear3D();
    // A whole pass: the start state (blending off for an opaque one), the flush and the clear.
    void kspDrawOut(bool opaque = false);

    int cellCount() const { return static_cast<int>(cells.size()); }
    const KCell& cell(int n) const { return cells[n]; }
    int count() const { return count2D; }
    int slotCount(int slot) const { return perSlot[slot]; }
    const KSprite& queued(int i) const { return queue[i]; }

    // Fills `out` with the six vertices of sprite `s`, exactly as a flush draws them.
    void buildVertices(const KSprite& s, KVertex* out) const;

private:
    std::vector<KCell> cells;
    int slots;
    int capacity;
    std::vector<KSprite> queue;
    int count2D = 0;
    std::vector<int> perSlot;
    int capacity3D;
    int count3D = 0;
    std::vector<int> perSlot3D;
    double offset;
    std::vector<KVertex> vertices; // reused by every flush
};

extern KilnSprite* gSprite;

// Defines all 987 cells: the sprite cells, the font and the 16x16 glyph / map-chip cells.
void kspDefineAllCells(KilnSprite& sprite);

constexpr int kCellCount = 987;
constexpr int kFontFirstCell = 187;
constexpr int kChipFirstCell = 283;
