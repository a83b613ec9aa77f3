#pragma once
// What a field is made of: the enemy set or the boss it holds and the ground map it is drawn on.
// The game builds its fields from these rules; the editors, the tools and the tests ask them here.
#include <cstdint>

enum class ZTFieldKind : uint8_t {
    Set,  // the enemies of its set file, dat/sNN.zts
    Gyro, // the flying boss
    LC,   // the ground boss
};

// Fields come in turns of 24: the flying boss ends the first half, the ground boss the second,
// and every other field takes the set of its place in the turn. A boss field's number is still
// that of a set (12 or 0), which nothing reads.
constexpr uint32_t ztFieldSet(int32_t field) {
    return static_cast<uint32_t>(field) % 24u;
}

constexpr ZTFieldKind ztFieldKind(int32_t field) {
    const uint32_t set = ztFieldSet(field);
    return set == 12 ? ZTFieldKind::Gyro : set == 0 ? ZTFieldKind::LC : ZTFieldKind::Set;
}

// The four ground maps take turns, field after field.
constexpr int ztFieldMap(int32_t field) {
    return field & 3;
}
