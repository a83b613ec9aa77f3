#pragma once
#include <vector>

#include "field_look.h"
#include "modules.h"
#include "root.h"

// Game objects without a scene: the engine modules in a private game root, empty behaviour and
// hit lists, the scratch parts and the tail chain, and the work as a fresh play leaves it (no
// tail yet, no ground enemy counted) with the random generator at a fixed seed. A frame is the
// input poll, every layer's move and the hit phase, as the game scene runs them.
class ObjectWorld : public HeadlessRoot, public EngineModules {
public:
    ObjectWorld();
    ~ObjectWorld();

    void frame();
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // The cells every layer queues when drawn now, in draw order; the queue is left empty.
    std::vector<int> drawLayers();

    template <class T> std::vector<T*> all(ZTLayer layer) const { return ztLayerObjects<T>(layer); }
    template <class T> T* first(ZTLayer layer) const { return ztFirstObject<T>(layer); }

    int frameNumber = 0;
};
