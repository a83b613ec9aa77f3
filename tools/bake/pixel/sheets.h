#pragma once
// The eleven texture sheets: their files, sizes and colour keys, and building them from the
// layout's sources.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

constexpr int kPxSlots = 11;

struct PxSlotInfo {
    const char* file; // name under pixel/
    int size;         // square texture size
    uint32_t key;     // ARGB colour that the loader makes transparent
};
extern const PxSlotInfo kPxSlotInfo[kPxSlots];

using PxSheets = std::array<PxImage, kPxSlots>;

// Renders every source named in the layout into its cells and fills the untouched pixels with
// each slot's colour key. Deterministic: the same sources give the same pixels.
bool pxBuildSheets(const std::string& layoutPath, PxSheets& sheets, std::string& err);

// Turns alpha-0 pixels into the opaque colour key, and nudges art that happens to equal the key
// one step away so it stays visible.
void pxApplyKeyFill(PxImage& sheet, uint32_t key);
// What the game's loader does: pixels exactly equal to the key become transparent black.
void pxApplyColourKey(PxImage& sheet, uint32_t key);

// Encodes a sheet into the bytes of its texture file (PNG with 0x80 added to every byte).
bool pxEncodeTexture(const PxImage& sheet, std::vector<uint8_t>& out);
// Reads a texture file's bytes back into a picture, before the colour key.
bool pxDecodeTexture(std::vector<uint8_t> bytes, PxImage& sheet);
