#include "ground.h"

#include "work.h"

ZTGround::ZTGround(ZTLayer layer) : KilnBehave(layer) {
    gWork->groundCount += 1;
}

ZTGround::~ZTGround() {
    gWork->groundCount -= 1;
}
