#include "catalogue.h"

#include <cstring>

namespace {
constexpr uint32_t magic = 0x950412de;
constexpr uint32_t swappedMagic = 0xde120495;

struct Reader {
    const uint8_t* data;
    size_t size;
    bool swapped;
    // The word at `at`, when all four bytes are inside.
    bool word(size_t at, uint32_t& v) const {
        if (at > size || size - at < 4) return false;
        const uint8_t* b = data + at;
        v = swapped ? (uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3])
                    : (uint32_t{b[3]} << 24 | uint32_t{b[2]} << 16 | uint32_t{b[1]} << 8 | b[0]);
        return true;
    }
    // Entry i of the table at `table`: a string that, with its closing NUL, lies inside.
    bool string(uint32_t table, uint32_t i, std::string& out) const {
        uint32_t length = 0, offset = 0;
        const size_t at = size_t{table} + size_t{8} * i;
        if (!word(at, length) || !word(at + 4, offset)) return false;
        if (offset > size || size - offset <= length || data[size_t{offset} + length] != 0)
            return false;
        out.assign(reinterpret_cast<const char*>(data) + offset, length);
        return true;
    }
};
} // namespace

bool ztParseCatalogue(const uint8_t* data, size_t size, std::map<std::string, std::string>& out) {
    out.clear();
    if (size > ztCatalogueMaxSize) return false;
    Reader r{data, size, false};
    uint32_t m = 0, revision = 0, count = 0, originals = 0, translations = 0;
    if (!r.word(0, m)) return false;
    if (m == swappedMagic)
        r.swapped = true;
    else if (m != magic)
        return false;
    if (!r.word(4, revision) || !r.word(8, count) || !r.word(12, originals) ||
        !r.word(16, translations))
        return false;
    if ((revision >> 16) > 1 || count > size / 8) return false;
    std::map<std::string, std::string> entries;
    for (uint32_t i = 0; i < count; ++i) {
        std::string original, translation;
        if (!r.string(originals, i, original) || !r.string(translations, i, translation))
            return false;
        if (original.empty()) continue; // the header
        // Plural forms follow the singular after a NUL: only the first is kept.
        original.resize(std::strlen(original.c_str()));
        translation.resize(std::strlen(translation.c_str()));
        entries.emplace(std::move(original), std::move(translation));
    }
    out.swap(entries);
    return true;
}
