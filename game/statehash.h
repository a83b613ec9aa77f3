#pragma once
// One 64-bit value over the whole state of a play: the game work, the random generator, the game
// scene's own state and every live object. Two runs that agree on it every frame played the same.
#include <cstdint>

uint64_t ztStateHash();
