#pragma once
#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "scratch_dir.h"

// Holds exactly the buttons of `word` on the headless keyboard, Tab and Escape included.
void holdButtons(HeadlessPlatform& platform, uint32_t word);

// A private game root made current and the headless platform: the base of every test world.
// The folder comes first so that it outlives everything that writes into it.
class HeadlessRoot {
public:
    void hold(uint32_t word) { holdButtons(platform, word); }
    // Effect slots played since the last call.
    std::vector<int> takeSounds();

    ScratchDir dir;
    HeadlessPlatform platform;
};
