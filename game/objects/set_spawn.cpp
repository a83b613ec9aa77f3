#include "set_spawn.h"

#include "data/set.h"
#include "ground_enemies.h"
#include "spit.h"

void ztSpawnSet(const ZTSet& set) {
    for (const ZTsetChip& chip : set.chips) {
        const KVector at{static_cast<float>(chip.x), static_cast<float>(chip.y), 0.0f};
        switch (chip.kind) {
        case ZT_CHIP_SMALL:
            new ZTEnm25P(at);
            break;
        case ZT_CHIP_MIDDLE:
            new ZTEnmMiddle(at);
            break;
        case ZT_CHIP_LARGE:
            new ZTEnmLarge(at);
            break;
        // The generators ignore their chip's place: their spits enter along the top edge.
        case ZT_CHIP_FLYERS_3:
            new ZTEnmSpitGen(3, 24);
            break;
        case ZT_CHIP_FLYERS_5:
            new ZTEnmSpitGen(5, 24);
            break;
        case ZT_CHIP_FLYERS_8:
            new ZTEnmSpitGen(8, 24);
            break;
        default:
            // The markers (and anything a hand-made file holds) place nothing.
            break;
        }
    }
}
