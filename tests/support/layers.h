#pragma once
// Looks into the behaviour layers: which live objects a layer holds, in list order.
#include <vector>

#include "behave.h"

template <class T> std::vector<T*> layerObjects(int layer) {
    std::vector<T*> found;
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) found.push_back(t);
    return found;
}

// The first object of the layer that is a T, or null.
template <class T> T* firstObject(int layer) {
    for (KilnBehave* b = kbHead[layer]; b; b = b->next)
        if (T* t = dynamic_cast<T*>(b)) return t;
    return nullptr;
}
