#pragma once
// The game scene: one field of play. It builds the field, runs the objects and the hit phase,
// draws the ground, the objects and the head-up display, and decides how the field ends. It never
// restarts or advances itself: the restart and next-field scenes do the bookkeeping.
#include "behave.h"
#include "creator.h"

// The course of one field. The numbers are hashed with the scene, so they stay as they are; the
// gaps are states this game never enters.
enum ZTFieldState : int32_t {
    ZT_FIELD_START = 0,         // shows the banner
    ZT_FIELD_BANNER = 1,        // "FIELD nn" for 90 frames
    ZT_FIELD_PLAY = 2,          // the tank in play
    ZT_FIELD_LOST = 3,          // the tank was destroyed; a restart or the game-over follows
    ZT_FIELD_CLEARED = 5,       // every ground enemy destroyed; objects run on for 16 frames
    ZT_FIELD_CLEAR_SHOWN = 6,   // objects stopped, "CLEAR !!", then the next field
    ZT_FIELD_OVER = 10,         // the last tank lost: the game-over banner begins
    ZT_FIELD_OVER_LETTERS = 11, // its letters fly in one by one
    ZT_FIELD_OVER_SHOWN = 12,   // the banner fades in and stays, then the play ends
};

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

    ZTFieldState state = ZT_FIELD_START;
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
