#include "set_spawn.h"

#include "data/set.h"
#include "ground_enemies.h"
#include "spit.h"

void ztSpawnSet(const ZTSet& set) {
    for (const ZTsetChip& chip : set.chips) {
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
        // The generators ignore their chip's place: their spits enter along the top edge.
        case 3:
            new ZTEnmSpitGen(3, 24);
            break;
        case 4:
            new ZTEnmSpitGen(5, 24);
            break;
        case 5:
            new ZTEnmSpitGen(8, 24);
            break;
        default:
            // Kinds 6 and 7 (and anything a hand-made file holds) place nothing.
            break;
        }
    }
}
