#pragma once
// The base of everything that must be destroyed to clear a field: it keeps the game work's
// groundCount, which the game scene watches.
#include "behave.h"

class ZTGround : public KilnBehave {
public:
    explicit ZTGround(int layer);
    ~ZTGround() override;
};
