// Set file images: any bytes load whole chips only, and a loaded set saves back to the bytes of
// exactly the chips it holds.
#include <cstddef>
#include <cstdint>

#include "data/set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZTSet set;
    set.parse(data, size);
    if (2 + 6 * set.chips.size() > (size < 2 ? 2 : size)) __builtin_trap();
    const auto image = set.image();
    if (image.size() != 2 + 6 * set.chips.size()) __builtin_trap();
    ZTSet again;
    again.parse(image.data(), image.size());
    if (again.chips.size() != set.chips.size()) __builtin_trap();
    ZTsetChip a, b;
    set.rewind();
    again.rewind();
    while (set.next(a) && again.next(b))
        if (a.x != b.x || a.y != b.y || a.kind != b.kind) __builtin_trap();
    return 0;
}
