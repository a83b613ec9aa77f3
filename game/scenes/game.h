#pragma once
// The game scene: one field of play. It builds the field, runs the objects and the hit phase,
// draws the ground, the objects and the head-up display, and decides how the field ends. It never
// restarts or advances itself: the restart and next-field scenes do the bookkeeping.
#include "behave.h"
#include "creator.h"

class EngineGame : public ZTEngine {
public:
    EngineGame();
    ~EngineGame() override;

    void keMove() override;
    void keHit() override;
    void kePostHit() override {}
    void keDraw() override;

    // Feeds the scene's own state into a state hash.
    void hashState(KUHash& hash) const;

    int state = 0;
    int timer = 0;
    uint8_t runObjects = 1;
    uint8_t showFieldBanner = 0;
    uint8_t showGameOver = 0;
    float letterAngle = 0.0f;
    int letterCount = 0;
    float gameOverAlpha = 0.0f;
    uint8_t showClear = 0;
    float markClock = 0.0f;
    uint8_t playerDown = 0; // set by the tank when it is destroyed

private:
    void stepState();
    void endGameOver();
    void spawnField();
    void drawHud() const;
};

// The live game scene, or null.
extern EngineGame* currentGame;

// One game-over letter: flies in from far away and shrinks onto its place.
class ZTOverMoji : public KilnBehave {
public:
    ZTOverMoji(KVector start, KVector target, int cell);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    KVector target;
    float scale = 4.0f;
    int cell;
};
