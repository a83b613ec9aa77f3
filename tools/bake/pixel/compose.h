#pragma once
// A software picture of sprites and text drawn the way the game's sprite queue draws them:
// centred, rotated, scaled, colour-multiplied, nearest texel, alpha or additive blending.
// Used to review the art in place, without a window.
#include <cstdint>
#include <string>

#include "sheets.h"

class PxCanvas {
public:
    // sheets: decoded textures with their colour keys already applied.
    PxCanvas(const PxSheets& sheets, int w, int h);

    void clear(uint32_t rgb);
    void put(int cell, float x, float y, float angle, float sx, float sy, uint32_t colour,
             bool additive = false);
    // Text in the 8x8 font cells, laid out like the engine's text module.
    void print(int column, int row, float scale, uint32_t colour, const std::string& text);

    const PxImage& image() const { return img; }
    PxImage& image() { return img; }

private:
    const PxSheets& tex;
    PxImage img;
};

// Reads the eleven texture files from dir, applying each slot's colour key.
bool pxLoadTextures(const std::string& dir, PxSheets& out, std::string& err);
