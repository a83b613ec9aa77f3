// Hi-score file images: any bytes give exactly ten entries with names of at most 16 bytes, and
// the table survives a save with a fresh key.
#include <cstddef>
#include <cstdint>

#include "data/score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ZTscoreTable table = ztDecodeScores(data, size);
    if (table.size() != ztScoreEntries) __builtin_trap();
    for (const auto& e : table)
        if (e.name.size() > 16 || e.name.find('\0') != std::string::npos) __builtin_trap();
    const uint8_t key[16] = {254, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const auto image = ztEncodeScores(table, key);
    if (image.size() != ztScoreFileSize) __builtin_trap();
    const ZTscoreTable again = ztDecodeScores(image.data(), image.size());
    for (auto i = table.begin(), j = again.begin(); i != table.end(); ++i, ++j)
        if (i->name != j->name || i->score != j->score || i->field != j->field ||
            i->tail != j->tail)
            __builtin_trap();
    return 0;
}
