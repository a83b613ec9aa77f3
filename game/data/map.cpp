#include "data/map.h"

#include "data/bytes.h"
#include "file.h"

ZTMap::ZTMap(const char* path, int32_t width_, int32_t height_, uint16_t fill) {
    if (path) {
        std::vector<uint8_t> bytes;
        if (ztReadWholeFile(path, 8 + 2 * maxSide * maxSide, bytes) &&
            parse(bytes.data(), bytes.size(), fill))
            return;
    }
    reset(width_, height_, fill);
}

void ZTMap::reset(int32_t width_, int32_t height_, uint16_t fill) {
    width = width_ < 0 ? 0 : (width_ > maxSide ? maxSide : width_);
    height = height_ < 0 ? 0 : (height_ > maxSide ? maxSide : height_);
    cells.assign(static_cast<size_t>(height),
                 std::vector<uint16_t>(static_cast<size_t>(width), fill));
}

bool ZTMap::parse(const uint8_t* data, size_t size, uint16_t fill) {
    ZTByteReader in(data, size);
    int32_t w = 0, h = 0;
    if (!in.i32(w) || !in.i32(h)) return false;
    if (w < 1 || h < 1 || w > maxSide || h > maxSide) return false;
    reset(w, h, fill);
    for (auto& row : cells)
        for (auto& chip : row)
            if (!in.u16(chip)) return true; // a short file: the rest keep the fill chip
    return true;
}

std::vector<uint8_t> ZTMap::image() const {
    ZTByteWriter out;
    out.i32(width);
    out.i32(height);
    for (const auto& row : cells)
        for (uint16_t chip : row) out.u16(chip);
    return out.bytes;
}

bool ZTMap::save(const char* path) const {
    const std::vector<uint8_t> bytes = image();
    return kfSave(path, bytes.data(), bytes.size());
}

uint16_t ZTMap::chipAt(int32_t row, int32_t column) const {
    if (row < 0 || column < 0 || row >= height || column >= width) return 0;
    return cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}
