#include "data/set.h"
#include "objects/ground_enemies.h"

void ZTSet::spawn() {
    rewind();
    ZTsetChip chip;
    while (next(chip)) {
        const KVector at{static_cast<float>(chip.x), static_cast<float>(chip.y), 0.0f};
        switch (chip.kind) {
        case 0:
            new ZTEnm25P(at);
            break;
        case 1:
            new ZTEnmMiddle(at);
            break;
        case 2:
            new ZTEnmLarge(at);
            break;
        default:
            // Kinds 3 to 5 are the spit generators, which join in a later build; any other kind
            // places nothing.
            break;
        }
    }
}
