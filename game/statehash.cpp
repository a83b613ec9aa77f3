#include "statehash.h"

#include "behave.h"
#include "hash.h"
#include "random.h"
#include "scenes/game.h"
#include "work.h"

uint64_t ztStateHash() {
    KUHash hash;
    hash.add(kuRandomState);
    if (const ZTWork* w = gWork) {
        hash.add(w->playerPos);
        hash.add(w->field);
        hash.add(w->score);
        hash.add(w->extendStage);
        hash.add(w->left);
        hash.add(w->tail);
        hash.add(w->tailMax);
        hash.add(w->groundCount);
        // The replay and record flags are left out: a replay must hash like the play it recorded.
    }
    if (currentGame) currentGame->hashState(hash);
    for (int layer = 0; layer < kbLayerCount; ++layer) {
        int32_t count = 0;
        for (const KilnBehave* b = kbHead[layer]; b; b = b->next) {
            b->kbHash(hash);
            ++count;
        }
        // The count separates "one object fewer" from a coincidence of values.
        hash.add(count);
    }
    return hash.value;
}
