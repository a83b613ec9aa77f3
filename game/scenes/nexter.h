#pragma once
// The pause after a cleared field: 25 clear frames, then the next field, or the conversation that
// comes before the boss field and after it.
#include <cstdint>

#include "creator.h"

class EngineNexter : public ZTEngine {
public:
    void keMove() override;
    void keDraw() override {}

    int32_t countdown = 24;
};
