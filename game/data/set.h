#pragma once
// An enemy set: the placements of a field's enemies and its ".zts" file.
//
// File layout, little-endian, no magic (changing it breaks every saved set):
//   0       uint16  count
//   2 + 6i  uint16  x of chip i     (centre, screen pixels)
//   4 + 6i  uint16  y of chip i
//   6 + 6i  uint16  kind of chip i  (ZTChipKind)
#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

// What a chip places. A file may hold any number; kinds past the last place nothing.
enum ZTChipKind : int32_t {
    ZT_CHIP_SMALL = 0,  // a small tank
    ZT_CHIP_MIDDLE = 1, // a middle tank
    ZT_CHIP_LARGE = 2,  // a large tank
    // Flyer generators, by the number of flyers they keep up; their chip's place is not used.
    ZT_CHIP_FLYERS_3 = 3,
    ZT_CHIP_FLYERS_5 = 4,
    ZT_CHIP_FLYERS_8 = 5,
    // The editor's two markers, which place nothing.
    ZT_CHIP_MARK_6 = 6,
    ZT_CHIP_MARK_7 = 7,
};

struct ZTsetChip {
    int32_t x = 0;
    int32_t y = 0;
    int32_t kind = 0;
};

class ZTSet {
public:
    ZTSet() : cursor(chips.end()) {}
    ZTSet(const ZTSet&) = delete;
    ZTSet& operator=(const ZTSet&) = delete;

    void add(int32_t x, int32_t y, int32_t kind);
    bool contains(int32_t x, int32_t y) const;
    // Removes the first chip at exactly this position, if any.
    void remove(int32_t x, int32_t y);
    void clear();
    void rewind() { cursor = chips.begin(); }
    bool next(ZTsetChip& chip);

    // Replaces the list with the file's chips. False (list empty) when it cannot be opened. A file
    // shorter than its count says stops at the last whole chip.
    bool load(const char* path);
    // Writes through a temporary file renamed into place.
    bool save(const char* path) const;

    void parse(const uint8_t* data, size_t size);
    std::vector<uint8_t> image() const;

    std::list<ZTsetChip> chips;
    std::list<ZTsetChip>::iterator cursor;
};
