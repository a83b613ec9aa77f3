#include "wall.h"

#include "layers.h"
#include "sprite.h"

namespace {
void put(int cell, float x, float y, uint32_t colour) {
    gSprite->kspPut(cell, x, y, 0.0f, 1.0f, 1.0f, colour);
}
constexpr uint32_t white = 0xFFFFFFFF;
constexpr uint32_t shade = 0x60000000;
} // namespace

ZTWall::ZTWall() : KilnBehave(ZT_LAYER_WALL) {}

void ZTWall::kbDraw() {
    put(43, 16.0f, 16.0f, white);
    for (int i = 0; i < 9; ++i) put(48, 64.0f + 64.0f * i, 16.0f, white);
    put(44, 624.0f, 16.0f, white);
    put(45, 16.0f, 464.0f, white);
    // The middle piece of the bottom edge is where the tank rolls in.
    for (int i = 0; i < 9; ++i) put(i == 4 ? 47 : 49, 64.0f + 64.0f * i, 464.0f, white);
    put(46, 624.0f, 464.0f, white);
    for (int j = 0; j < 6; ++j) {
        put(50, 16.0f, 64.0f + 64.0f * j, white);
        put(51, 624.0f, 64.0f + 64.0f * j, white);
    }
    put(52, 16.0f, 432.0f, white);
    put(53, 624.0f, 432.0f, white);
}

void ZTWall::kbDrawShadow(int pass) {
    (void)pass;
    // Only the top and left edges throw a shadow onto the playfield.
    put(43, 24.0f, 24.0f, shade);
    for (int i = 0; i < 9; ++i) put(48, 72.0f + 64.0f * i, 24.0f, shade);
    for (int j = 0; j < 6; ++j) put(50, 24.0f, 72.0f + 64.0f * j, shade);
    put(52, 24.0f, 440.0f, shade);
}
