#pragma once
// The hi-score ranking: a shower of explosions over a ground map, then the table.
#include <cstdint>

#include "creator.h"

class EngineRanking : public ZTEngine {
public:
    EngineRanking();

    void keMove() override;
    void keDraw() override;

    int mapIndex = 0;
    int32_t spawnTimer = 0;
    int32_t remaining = 150; // explosions still to spawn
    int counter = 0;
    int state = 0; // 0 waiting, 1 leaving
    int leaveTimer = 0;
};

// The column titles and the ten entries from row 6 on; the entry marked new, if asked, in pink.
void ztPrintScoreTable(bool highlightNew);
// "ZENTAK ACES" and "You got a HiScore!" blink yellow and red every four frames.
uint32_t ztHeadingColour(int counter);
