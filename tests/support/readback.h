#pragma once
// What the recording renderer was asked to draw, read back into sprites and printed text.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sprite.h"

// One quad of a drawn frame.
struct DrawnSprite {
    int cell = -1; // -1 when no cell has this texture rectangle
    float x = 0, y = 0;
    float scale = 0;
    uint32_t colour = 0;
    KBlend blend = KBlend::Alpha;
};

// Every recorded quad in draw order, matched to its cell by the texture rectangle (the lowest
// cell wins where two share one); centres are rounded to whole pixels.
std::vector<DrawnSprite> readDrawn(const KilnSprite& sprite, const RecordingRenderer& renderer);

struct PrintedChar {
    int column;
    char c;
    uint32_t colour;
};

// The font characters drawn at `scale` on one character row, left to right.
std::vector<PrintedChar> readPrinted(const std::vector<DrawnSprite>& drawn, int row, int scale = 2);
// The same as text; columns with nothing printed are spaces.
std::string printedText(const std::vector<PrintedChar>& printed);
