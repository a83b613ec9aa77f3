#pragma once
// After a recorded play: "Save Replay Data ?" with YES and NO. YES writes the play's button words
// to a new file named after the date and time shown on the screen.
#include <cstdint>
#include <string>

#include "creator.h"

class EngineRepSave : public ZTEngine {
public:
    EngineRepSave();
    ~EngineRepSave() override;

    void keMove() override;
    void keDraw() override;

    int cursor = 0; // 0 YES, 1 NO
    int state = 0;  // 0 asking, 1 blinking the choice, 2 showing the result
    int timer = 0;
    uint8_t saved = 0;
    std::string fileName;
};
