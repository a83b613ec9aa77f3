#pragma once
// The pause after a lost life: the screen stays clear for 33 frames, then the play loses a life,
// halves its tail and the field starts again.
#include <cstdint>

#include "creator.h"

class EngineRestart : public ZTEngine {
public:
    void keMove() override;
    void keDraw() override {}

    int32_t countdown = 32;
};
