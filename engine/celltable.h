#pragma once
// Where every sprite cell sits in the eleven textures.

struct KCellRange {
    int first, last; // cells first..last; k counts from 0 along the range
    int slot, size;  // texture slot and its size in pixels
    int x, dx;       // left edge: x + dx * k
    int y, dy;       // top edge: y + dy * k
    int w, h;
    int mirrored;
};

extern const KCellRange kCellRanges[];
extern const int kCellRangeCount;

// The rectangle of any cell 0..986 in its texture: slot, size, x, y, w, h, mirrored.
struct KCellRect {
    int slot, size, x, y, w, h, mirrored;
};
KCellRect kCellRect(int cell);
