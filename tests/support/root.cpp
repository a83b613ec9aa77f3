#include "root.h"

#include "input.h"

void holdButtons(HeadlessPlatform& platform, uint32_t word) {
    kiHoldWord(word, platform.input.keys);
}

std::vector<int> HeadlessRoot::takeSounds() {
    std::vector<int> played;
    played.swap(platform.audio.played);
    return played;
}
