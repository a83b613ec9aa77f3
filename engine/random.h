#pragma once
// The game's one random generator. Replays depend on the exact sequence of draws.
#include <cstdint>

extern uint32_t kuRandomState;

// Sets the state and discards one draw.
void kuSeed(uint32_t seed);
// The next number, 0..32767.
inline int kuRand() {
    kuRandomState = kuRandomState * 22695477u + 1u;
    return static_cast<int>((kuRandomState >> 16) & 0x7FFF);
}
