#pragma once
#include "ascii.h"
#include "input.h"
#include "sprite.h"
#include "work.h"

// The engine modules the game reaches, installed into the globals for their lifetime: every
// sprite cell, the text, the input, the effect slots and music (on the headless audio) and a game
// work. Construct after the game root is current: the work reads and writes its files there.
class EngineModules {
public:
    EngineModules();
    ~EngineModules();
    EngineModules(const EngineModules&) = delete;
    EngineModules& operator=(const EngineModules&) = delete;

    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTWork* work = nullptr;
};
