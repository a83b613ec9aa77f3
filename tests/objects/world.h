#pragma once
// A minimal field for driving game objects headlessly: the engine modules the objects reach, a
// game work, and a frame of moves followed by the hit phase, as the game scene runs them.
#include <cstdint>
#include <vector>

#include "ascii.h"
#include "behave.h"
#include "hit.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "sprite.h"
#include "work.h"

class ObjectWorld {
public:
    ObjectWorld();
    ~ObjectWorld();

    // Holds exactly the buttons of `word` for the next frames.
    void hold(uint32_t word);
    // One frame: input poll, every layer's move, the hit phase.
    void frame();
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // Effect slots played since the last call.
    std::vector<int> takeSounds();

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

    HeadlessPlatform platform;
    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTWork* work = nullptr;
    int frameNumber = 0;
};
