#pragma once
#include <vector>

#include "behave.h"
#include "modules.h"
#include "root.h"

// Game objects without a scene: the engine modules in a private game root, empty behaviour and
// hit lists, the scratch parts and the tail chain. A frame is the input poll, every layer's move
// and the hit phase, as the game scene runs them.
class ObjectField : public HeadlessRoot, public EngineModules {
public:
    ObjectField();
    ~ObjectField();

    void frame();
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // The cells every layer queues when drawn now, in draw order; the queue is left empty.
    std::vector<int> drawLayers();

    template <class T> std::vector<T*> all(int layer) const {
        std::vector<T*> found;
        for (KilnBehave* b = kbHead[layer]; b; b = b->next)
            if (T* t = dynamic_cast<T*>(b)) found.push_back(t);
        return found;
    }
    template <class T> T* first(int layer) const {
        auto found = all<T>(layer);
        return found.empty() ? nullptr : found.front();
    }

    int frameNumber = 0;
};
