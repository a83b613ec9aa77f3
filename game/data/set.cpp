#include "data/set.h"

#include "data/bytes.h"
#include "file.h"

void ZTSet::add(int32_t x, int32_t y, int32_t kind) {
    chips.push_back({x, y, kind});
}

bool ZTSet::contains(int32_t x, int32_t y) const {
    for (const auto& c : chips)
        if (c.x == x && c.y == y) return true;
    return false;
}

void ZTSet::remove(int32_t x, int32_t y) {
    for (auto it = chips.begin(); it != chips.end(); ++it) {
        if (it->x == x && it->y == y) {
            if (cursor == it) ++cursor;
            chips.erase(it);
            return;
        }
    }
}

void ZTSet::clear() {
    chips.clear();
    cursor = chips.end();
}

bool ZTSet::next(ZTsetChip& chip) {
    if (cursor == chips.end()) return false;
    chip = *cursor++;
    return true;
}

void ZTSet::parse(const uint8_t* data, size_t size) {
    clear();
    ZTByteReader in(data, size);
    uint16_t count = 0;
    if (!in.u16(count)) return;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t x = 0, y = 0, kind = 0;
        if (!in.u16(x) || !in.u16(y) || !in.u16(kind)) break;
        add(x, y, kind);
    }
    rewind();
}

bool ZTSet::load(const char* path) {
    clear();
    std::vector<uint8_t> bytes;
    // The count is 16 bits, so no honest file is longer than this.
    if (!ztReadWholeFile(path, 2 + 6 * 65535, bytes)) return false;
    parse(bytes.data(), bytes.size());
    return true;
}

std::vector<uint8_t> ZTSet::image() const {
    ZTByteWriter out;
    // The count field is 16 bits: never write more chips than it can announce.
    const size_t count = chips.size() > 65535 ? 65535 : chips.size();
    out.u16(static_cast<uint16_t>(count));
    size_t written = 0;
    for (const auto& c : chips) {
        if (written++ == count) break;
        out.u16(static_cast<uint16_t>(c.x));
        out.u16(static_cast<uint16_t>(c.y));
        out.u16(static_cast<uint16_t>(c.kind));
    }
    return out.bytes;
}

bool ZTSet::save(const char* path) const {
    const std::vector<uint8_t> bytes = image();
    return kfSave(path, bytes.data(), bytes.size());
}
