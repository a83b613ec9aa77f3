#include "random.h"

uint32_t kuRandomState = 1;

void kuSeed(uint32_t seed) {
    kuRandomState = seed;
    (void)kuRand();
}
