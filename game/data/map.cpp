#include "data/map.h"

#include "data/bytes.h"
#include "file.h"
#include "sprite.h"

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

void ZTMap::draw() const {
    // Only the chips that reach the 640 x 480 picture: an outsized map from a damaged file must not
    // fill the sprite queue and crowd out the field drawn over it.
    const int32_t rows = height < 8 ? height : 8, columns = width < 10 ? width : 10;
    for (int32_t row = 0; row < rows; ++row)
        for (int32_t column = 0; column < columns; ++column) {
            const uint16_t chip = cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
            if (chip >= gSprite->cellCount()) continue; // a damaged file's chip: leave a hole
            gSprite->kspPut(chip, static_cast<float>(column * 64 + 32),
                            static_cast<float>(row * 64 + 32), 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
        }
}
