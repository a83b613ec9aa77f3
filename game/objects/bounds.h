#pragma once
// The playfield inside the border wall; every moving object tests it itself.
#include <algorithm>
#include <cstdint>

#include "kmath.h"

constexpr float ztFieldLeft = 32.0f;
constexpr float ztFieldRight = 608.0f;
constexpr float ztFieldTop = 32.0f;
constexpr float ztFieldBottom = 448.0f;
// Enemies are placed on a grid of this many pixels, from wall to wall: the set editor's cursor
// and the characters of a set's source.
constexpr int32_t ztPlaceStep = 32;

inline bool ztOutsideField(const KVector& p) {
    return p.x < ztFieldLeft || p.x > ztFieldRight || p.y < ztFieldTop || p.y > ztFieldBottom;
}

// How far a point is inside the playfield: the distance to the nearest wall, negative outside.
inline float ztWallClearance(const KVector& p) {
    return std::min(std::min(p.x - ztFieldLeft, ztFieldRight - p.x),
                    std::min(p.y - ztFieldTop, ztFieldBottom - p.y));
}
