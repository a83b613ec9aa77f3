#pragma once
// A plain RGBA picture, straight (not premultiplied) alpha, rows top to bottom.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PxImage {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba; // 4 bytes a pixel: r, g, b, a

    PxImage() = default;
    PxImage(int width, int height) : w(width), h(height), rgba(size_t(width) * height * 4, 0) {}
    uint8_t* at(int x, int y) { return &rgba[(size_t(y) * w + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * w + x) * 4]; }
};

// Copies the whole of src into dst with its top-left corner at (x, y), clipped to dst.
void pxBlit(const PxImage& src, PxImage& dst, int x, int y);
// Copies the rectangle (sx, sy, w, h) of src to (dx, dy) in dst, clipped to dst.
void pxCopyRect(const PxImage& src, int sx, int sy, int w, int h, PxImage& dst, int dx, int dy);
