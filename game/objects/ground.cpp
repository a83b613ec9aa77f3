#include "ground.h"

#include "work.h"

ZTGround::ZTGround(int layer) : KilnBehave(layer) {
    gWork->groundCount += 1;
}

ZTGround::~ZTGround() {
    gWork->groundCount -= 1;
}
