#pragma once
// Named looks into a running play, for the automatic players, the tools and the tests: which
// objects a layer holds, the tank, and how far the field has come. They only read.
#include <vector>

#include "behave.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "scenes/game.h"

// The objects of `layer` that are a T, in list order (the order they move in).
template <class T> std::vector<T*> ztLayerObjects(ZTLayer layer) {
    std::vector<T*> found;
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) found.push_back(t);
    return found;
}

// The first object of the layer that is a T, or null.
template <class T> T* ztFirstObject(ZTLayer layer) {
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) return t;
    return nullptr;
}

// The game scene while it is live and stays so into the next frame; null in any other scene and
// in the frame that leaves the field (for the restart, the next field or the title).
EngineGame* ztLiveField();

// The tank, or null when there is none in its layer.
ZTPlayer* ztTank();

// The field is being left for good or for a while: cleared (the clear shown or still to come), or
// the game over under way. A tank just lost with tanks to spare is not yet done with.
constexpr bool ztFieldDone(ZTFieldState state) {
    return state >= ZT_FIELD_CLEARED;
}

// The tank drives on the field: the banner is over and nothing has destroyed it.
inline bool ztFieldInPlay(const EngineGame& game) {
    return game.state == ZT_FIELD_PLAY && !game.playerDown;
}
