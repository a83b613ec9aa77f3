// Map file images: any bytes load without reading past the end, and what loads saves back to an
// image that loads the same.
#include <cstddef>
#include <cstdint>

#include "data/map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZTMap map(nullptr, 10, 8, 7);
    if (!map.parse(data, size, 7)) {
        if (map.width != 10 || map.height != 8) __builtin_trap(); // a refused file changes nothing
        return 0;
    }
    if (map.width < 1 || map.height < 1 || map.width > ZTMap::maxSide ||
        map.height > ZTMap::maxSide)
        __builtin_trap();
    const auto image = map.image();
    ZTMap again(nullptr, 1, 1, 0);
    if (!again.parse(image.data(), image.size(), 0) || again.cells != map.cells) __builtin_trap();
    return 0;
}
