#pragma once
// A ground map: a grid of floor chips (sprite cells), 64 pixels square, and its ".ztm" file.
//
// File layout, little-endian, no magic, no padding (changing it breaks every saved map):
//   0  int32   width  (columns)
//   4  int32   height (rows)
//   8  uint16  chip codes, row 0 first, each row from column 0; 2 * width * height bytes
#include <cstddef>
#include <cstdint>
#include <vector>

class ZTMap {
public:
    // The grid the game makes: one screen of 64-pixel chips.
    static constexpr int32_t columns = 10, rows = 8;
    // The largest grid a file may describe. Anything above this is a damaged file and is refused
    // rather than allocated.
    static constexpr int32_t maxSide = 64;

    // With a file name the map is read from it; the three numbers build the map instead when the
    // file cannot be opened or its header is unusable.
    ZTMap(const char* path, int32_t width, int32_t height, uint16_t fill);
    ~ZTMap() = default;
    ZTMap(const ZTMap&) = delete;
    ZTMap& operator=(const ZTMap&) = delete;

    // Writes the map through a temporary file renamed into place. False when it cannot be written.
    bool save(const char* path) const;

    // Reads a map image from memory: false (map untouched) when the header is short or its size
    // is out of range; chips the image does not supply take `fill`.
    bool parse(const uint8_t* data, size_t size, uint16_t fill);
    std::vector<uint8_t> image() const;

    void reset(int32_t width, int32_t height, uint16_t fill);
    // The chip at row, column, or 0 outside the grid (for users walking a fixed 10 x 8 cursor).
    uint16_t chipAt(int32_t row, int32_t column) const;

    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::vector<uint16_t>> cells; // cells[row][column]
};
