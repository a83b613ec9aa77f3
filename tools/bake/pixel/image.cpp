#include "image.h"

#include <cstring>

void pxCopyRect(const PxImage& src, int sx, int sy, int w, int h, PxImage& dst, int dx, int dy) {
    for (int j = 0; j < h; ++j) {
        int ty = dy + j, fy = sy + j;
        if (ty < 0 || ty >= dst.h || fy < 0 || fy >= src.h) continue;
        for (int i = 0; i < w; ++i) {
            int tx = dx + i, fx = sx + i;
            if (tx < 0 || tx >= dst.w || fx < 0 || fx >= src.w) continue;
            std::memcpy(dst.at(tx, ty), src.at(fx, fy), 4);
        }
    }
}

void pxBlit(const PxImage& src, PxImage& dst, int x, int y) {
    pxCopyRect(src, 0, 0, src.w, src.h, dst, x, y);
}
