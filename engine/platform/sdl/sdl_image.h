#pragma once
// Decodes a texture image held in memory into ARGB8888 pixels and applies the exact colour key.
#include <cstddef>
#include <cstdint>
#include <vector>

struct SDL_Surface;

// Largest edge of a texture we accept; our sheets are far smaller.
constexpr int kSdlMaxTextureEdge = 4096;
// Deflate's largest ratio of inflated to compressed bytes.
constexpr uint64_t kSdlMaxInflation = 1032;

// A new ARGB8888 surface, or null when the data is not a PNG of a sane size or cannot be decoded.
// Every chunk must lie inside the data, up to IEND, and the header must not claim more pixels than
// the image data can hold. Pixels exactly equal to colourKey (alpha included) become 0, fully
// transparent black.
SDL_Surface* sdlDecodeKeyed(const uint8_t* data, size_t size, uint32_t colourKey);

// Decodes a PNG file image into ARGB pixels, row after row, as sdlDecodeKeyed does: pixels exactly
// equal to colourKey become 0. For tests, tools and fuzzers, which see no SDL type.
bool sdlDecodePng(const uint8_t* data, size_t size, std::vector<uint32_t>& argb, int& width,
                  int& height, uint32_t colourKey = 0);
