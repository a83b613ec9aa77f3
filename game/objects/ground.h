#pragma once
// The base of everything that must be destroyed to clear a field: it keeps the game work's
// groundCount, which the game scene watches.
#include "layers.h"

class ZTGround : public KilnBehave {
public:
    explicit ZTGround(ZTLayer layer);
    ~ZTGround() override;
};
