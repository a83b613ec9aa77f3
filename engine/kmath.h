#pragma once
// Game-space maths. Positions, angles and scales are 32-bit floats; sines and cosines are taken in
// double and rounded to float so that every build computes the same frames.
#include <cmath>

struct KVector {
    float x, y, z;
};

inline KVector operator+(KVector a, KVector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline KVector operator-(KVector a, KVector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline KVector operator*(float s, KVector a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline KVector& operator+=(KVector& a, KVector b) {
    return a = a + b;
}
inline KVector& operator-=(KVector& a, KVector b) {
    return a = a - b;
}
inline bool operator==(KVector a, KVector b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

constexpr double kmPi = 3.14159265358979323846;
constexpr float kmPiF = 3.14159265358979323846f;

inline float kmSin(float a) {
    return static_cast<float>(std::sin(static_cast<double>(a)));
}
inline float kmCos(float a) {
    return static_cast<float>(std::cos(static_cast<double>(a)));
}

inline float kmLength(KVector v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v.x) * v.x +
                                        static_cast<double>(v.y) * v.y +
                                        static_cast<double>(v.z) * v.z));
}
inline float kmDistance(KVector a, KVector b) {
    return kmLength(a - b);
}

// Unit vector of v; the zero vector stays zero.
inline KVector kmNormalize(KVector v) {
    float len = kmLength(v);
    if (len == 0.0f) return {0.0f, 0.0f, 0.0f};
    return {v.x / len, v.y / len, v.z / len};
}

// The heading of angle a: 0 points down the screen and a growing angle turns clockwise.
inline KVector kmHeading(float a) {
    return {-kmSin(a), kmCos(a), 0.0f};
}

// A rotation about z by angle a, applied to a point.
struct KCMatrix {
    float c, s;
    explicit KCMatrix(float a) : c(kmCos(a)), s(kmSin(a)) {}
    KVector apply(KVector p) const { return {p.x * c - p.y * s, p.x * s + p.y * c, p.z}; }
};
