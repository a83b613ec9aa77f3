#pragma once
// Textured triangles drawn into ARGB pixels in memory exactly as SDL's software renderer draws
// them (SDL 2.26), without its two 64-bit divisions per pixel: the same pixels covered, the same
// texels taken, the same blending arithmetic, so every picture is the same to the bit.
//
// SDL first walks a triangle list looking for pairs that make an axis-aligned rectangle, which
// it blits; the rest it rasterises one by one. softSplit() walks a list the same way, so that
// the caller can leave the rectangles to SDL and draw the triangles with softTriangle().
#include <cstdint>
#include <vector>

#include "../platform.h"

// ARGB pixels; the pitch counts pixels.
struct SoftPixels {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
};
struct SoftTexture {
    const uint32_t* pixels = nullptr;
    int width = 0, height = 0; // rows of `width` pixels
};

// One step of SDL's walk: a triangle it rasterises (three vertex numbers), or two triangles it
// blits as one rectangle (six).
struct SoftPiece {
    bool rectangle = false;
    int vertex[6] = {};
};

// `count` is a multiple of 3. The pieces come in the order SDL draws them.
void softSplit(const KVertex* vertices, int count, std::vector<SoftPiece>& pieces);

// Draws one triangle the way SDL's software renderer rasterises it, at a scale of 1 with the
// whole target as its clip. False (and nothing drawn) for what is not done here: colours that
// differ between the corners, or coordinates too large for its fixed-point arithmetic; the
// caller then hands the triangle to SDL.
bool softTriangle(const SoftPixels& target, const SoftTexture& texture, KBlend blend,
                  const KVertex& a, const KVertex& b, const KVertex& c);
