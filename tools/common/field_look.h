#pragma once
// Named looks into a running play, for the automatic players, the tools and the tests: which
// objects a layer holds, the tank, and how far the field has come. They only read.
#include <vector>

#include "behave.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "scenes/game.h"

// Hands each object of `layer` that is a T to `visit`, in list order (the order they move in).
// Nothing is gathered on the way, so the players can look every frame at the cost of the bare walk.
template <class T, class F> void ztEachObject(ZTLayer layer, F&& visit) {
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) visit(*t);
}

// The objects of `layer` that are a T, in list order.
template <class T> std::vector<T*> ztLayerObjects(ZTLayer layer) {
    std::vector<T*> found;
    ztEachObject<T>(layer, [&found](T& t) { found.push_back(&t); });
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

// The tank, or null when there is none in its layer. Inline: the players ask for it every frame,
// and they may use the looks without linking the rest of the tools library.
inline ZTPlayer* ztTank() {
    return ztFirstObject<ZTPlayer>(ZT_LAYER_TANK);
}

// The field is being left for good or for a while: cleared (the clear shown or still to come), or
// the game over under way. A tank just lost with tanks to spare is not yet done with.
constexpr bool ztFieldDone(ZTFieldState state) {
    return state >= ZT_FIELD_CLEARED;
}

// The tank drives on the field: the banner is over and nothing has destroyed it.
inline bool ztFieldInPlay(const EngineGame& game) {
    return game.state == ZT_FIELD_PLAY && !game.playerDown;
}
