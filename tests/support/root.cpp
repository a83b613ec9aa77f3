#include "root.h"

#include "input.h"

void holdButtons(HeadlessPlatform& platform, uint32_t word) {
    struct Key {
        uint32_t bit;
        uint8_t scan;
    };
    static constexpr Key keys[] = {
        {KI_BUTTON1, KI_KEY_Z},     {KI_BUTTON2, KI_KEY_X},   {KI_BUTTON3, KI_KEY_C},
        {KI_BUTTON4, KI_KEY_V},     {KI_UP, KI_KEY_UP},       {KI_DOWN, KI_KEY_DOWN},
        {KI_LEFT, KI_KEY_LEFT},     {KI_RIGHT, KI_KEY_RIGHT}, {KI_TAB, KI_KEY_TAB},
        {KI_ESCAPE, KI_KEY_ESCAPE},
    };
    for (const Key& k : keys) platform.input.keys[k.scan] = (word & k.bit) ? 0x80 : 0;
}

std::vector<int> HeadlessRoot::takeSounds() {
    std::vector<int> played;
    played.swap(platform.audio.played);
    return played;
}
