#pragma once
// Looks into the game's behaviour layers: which live objects a layer holds, in list order.
#include <vector>

#include "objects/layers.h"

template <class T> std::vector<T*> layerObjects(ZTLayer layer) {
    std::vector<T*> found;
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) found.push_back(t);
    return found;
}

// The first object of the layer that is a T, or null.
template <class T> T* firstObject(ZTLayer layer) {
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) return t;
    return nullptr;
}
