#pragma once
// One exported frame, 640x480 ARGB words as the renderer read them back, as a PNG file.
#include <cstdint>
#include <filesystem>
#include <vector>

// RGB, enlarged `scale` times by nearest neighbour, compressed fast. `row` is room the writer
// keeps between frames.
bool ztWriteFramePng(const std::filesystem::path& path, const std::vector<uint32_t>& argb,
                     int scale, std::vector<uint8_t>& row);

// RGBA at the game's own size, the slower way exports once took; the benchmark compares the two.
bool ztWriteFramePngAsBefore(const std::filesystem::path& path, const std::vector<uint32_t>& argb);
