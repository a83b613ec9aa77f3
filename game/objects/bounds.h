#pragma once
// The playfield inside the border wall; every moving object tests it itself.
#include "kmath.h"

inline bool ztOutsideField(const KVector& p) {
    return p.x < 32.0f || p.x > 608.0f || p.y < 32.0f || p.y > 448.0f;
}
