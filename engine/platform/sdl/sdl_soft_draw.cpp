#include "sdl_soft_draw.h"

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool sameVertex(const KVertex& a, const KVertex& b) {
    return a.x == b.x && a.y == b.y && a.u == b.u && a.v == b.v && a.colour == b.colour;
}

// SDL recognises a corner shared by two triangles of a list without indices by its values: the
// first of the previous triangle's corners equal to it in position, texture point and colour.
int shared(const KVertex* v, const int previous[3], int k) {
    if (previous[0] < 0) return k;
    for (int i = 0; i < 3; ++i)
        if (sameVertex(v[previous[i]], v[k])) return previous[i];
    return k;
}

// Whether the two triangles previous and k0 k1 k2, sharing two corners, make an axis-aligned
// rectangle of one colour, judged the way SDL judges it: the top-left and bottom-right corners
// are looked for among the second triangle's corners only.
bool isRectangle(const KVertex* v, const int previous[3], int k0, int k1, int k2) {
    int common = 0;
    for (int j = 0; j < 3; ++j)
        common += previous[j] == k0 || previous[j] == k1 || previous[j] == k2;
    if (common != 2) return false;
    const float x0 = v[k0].x, y0 = v[k0].y, x1 = v[k1].x, y1 = v[k1].y, x2 = v[k2].x, y2 = v[k2].y;
    int a, b;
    if (x0 <= x1 && y0 <= y1)
        a = x0 <= x2 && y0 <= y2 ? k0 : k2;
    else
        a = x1 <= x2 && y1 <= y2 ? k1 : k2;
    if (x0 >= x1 && y0 >= y1)
        b = x0 >= x2 && y0 >= y2 ? k0 : k2;
    else
        b = x1 >= x2 && y1 >= y2 ? k1 : k2;
    const int c = k0 != a && k0 != b ? k0 : k1 != a && k1 != b ? k1 : k2;
    const int c2 = previous[0] != a && previous[0] != b   ? previous[0]
                   : previous[1] != a && previous[1] != b ? previous[1]
                                                          : previous[2];
    auto rightAngle = [&](int third) {
        return (v[a].x == v[third].x && v[b].y == v[third].y) ||
               (v[a].y == v[third].y && v[b].x == v[third].x);
    };
    if (!rightAngle(c) || !rightAngle(c2)) return false;
    const uint32_t colour = v[a].colour;
    return v[b].colour == colour && v[c].colour == colour && v[c2].colour == colour;
}

struct Point {
    int x, y;
};

// Twice the signed area of a, b, c in fixed point.
int64_t cross(Point a, Point b, int64_t cx, int64_t cy) {
    return int64_t{b.x - a.x} * (cy - a.y) - int64_t{b.y - a.y} * (cx - a.x);
}

// The rule that gives a pixel centre lying on an edge shared by two triangles to one of them.
bool topLeft(Point a, Point b, bool clockwise) {
    if (clockwise) return (a.y == b.y && a.x < b.x) || b.y < a.y;
    return (a.y == b.y && b.x < a.x) || a.y < b.y;
}

// floor(n / d) for d > 0.
int64_t floorDiv(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return q * d > n ? q - 1 : q;
}

// A texel coordinate along a row: floor(numerator / area), stepped without dividing.
struct Stepper {
    int64_t q = 0, r = 0, dq = 0, dr = 0, area = 1;
    void start(int64_t numerator, int64_t step, int64_t a) {
        area = a;
        q = floorDiv(numerator, a);
        r = numerator - q * a;
        dq = floorDiv(step, a);
        dr = step - dq * a;
    }
    void next() {
        q += dq;
        r += dr;
        if (r >= area) {
            r -= area;
            q += 1;
        }
    }
};

// The first and last pixel (from 0) of a row where edge + bias + x * step >= 0 holds.
void clipToEdge(int64_t edge, int64_t step, int& first, int& last) {
    if (step > 0) {
        if (edge < 0) first = static_cast<int>(std::max<int64_t>(first, (-edge + step - 1) / step));
    } else if (step < 0) {
        if (edge < 0)
            last = -1;
        else
            last = static_cast<int>(std::min<int64_t>(last, edge / -step));
    } else if (edge < 0) {
        last = -1;
    }
}

enum class Op { Copy, Replace, Blend, Add };

inline uint32_t channel(uint32_t p, int shift) {
    return (p >> shift) & 0xFFu;
}

// One texel onto one pixel, as SDL's blitter for triangles combines them.
template <Op op, bool modColour, bool modAlpha>
inline uint32_t combine(uint32_t s, uint32_t d, uint32_t mr, uint32_t mg, uint32_t mb,
                        uint32_t ma) {
    if constexpr (op == Op::Copy) {
        (void)d, (void)mr, (void)mg, (void)mb, (void)ma;
        return s;
    } else {
        uint32_t sa = s >> 24, sr = channel(s, 16), sg = channel(s, 8), sb = s & 0xFFu;
        if constexpr (modColour) {
            sr = sr * mr / 255;
            sg = sg * mg / 255;
            sb = sb * mb / 255;
        }
        if constexpr (modAlpha) sa = sa * ma / 255;
        if constexpr (op == Op::Replace) {
            (void)d;
            return sa << 24 | sr << 16 | sg << 8 | sb;
        } else {
            // A clear texel leaves the pixel as it was, and an opaque one replaces it when
            // blending: the arithmetic below gives exactly that.
            if (sa == 0) return d;
            if (op == Op::Blend && sa == 255) return 0xFF000000u | sr << 16 | sg << 8 | sb;
            if (sa < 255) {
                sr = sr * sa / 255;
                sg = sg * sa / 255;
                sb = sb * sa / 255;
            }
            uint32_t da = d >> 24, dr = channel(d, 16), dg = channel(d, 8), db = d & 0xFFu;
            if constexpr (op == Op::Blend) {
                dr = sr + (255 - sa) * dr / 255;
                dg = sg + (255 - sa) * dg / 255;
                db = sb + (255 - sa) * db / 255;
                da = sa + (255 - sa) * da / 255;
            } else {
                dr = std::min(sr + dr, 255u);
                dg = std::min(sg + dg, 255u);
                db = std::min(sb + db, 255u);
            }
            return da << 24 | dr << 16 | dg << 8 | db;
        }
    }
}

#ifdef __SSE2__
// Four pixels at once, each channel in 16 bits: the same arithmetic as combine(), which takes
// its short cuts only where they give what the full sums give. x / 255 for x below 65536 is
// (x * 0x8081) >> 23.
inline __m128i div255(__m128i x) {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

template <Op op, bool modulate>
inline __m128i combineHalf(__m128i s, __m128i d, __m128i mod, __m128i alphaLane) {
    if constexpr (modulate) s = div255(_mm_mullo_epi16(s, mod)); // a channel left alone: x 255
    if constexpr (op == Op::Replace) {
        (void)d, (void)alphaLane;
        return s;
    } else {
        __m128i sa = _mm_shufflelo_epi16(s, _MM_SHUFFLE(3, 3, 3, 3));
        sa = _mm_shufflehi_epi16(sa, _MM_SHUFFLE(3, 3, 3, 3));
        const __m128i k255 = _mm_set1_epi16(255);
        // Colours times their alpha; the alpha itself times 255 / 255.
        const __m128i factor =
            _mm_or_si128(_mm_andnot_si128(alphaLane, sa), _mm_and_si128(alphaLane, k255));
        s = div255(_mm_mullo_epi16(s, factor));
        if constexpr (op == Op::Blend) {
            return _mm_add_epi16(s, div255(_mm_mullo_epi16(_mm_sub_epi16(k255, sa), d)));
        } else {
            // Colours added (saturated when packed), the alpha kept.
            return _mm_or_si128(_mm_andnot_si128(alphaLane, _mm_add_epi16(s, d)),
                                _mm_and_si128(alphaLane, d));
        }
    }
}

template <Op op, bool modulate>
inline void combine4(const uint32_t* row, const int* column, uint32_t* d, __m128i mod) {
    const __m128i s =
        _mm_set_epi32(static_cast<int>(row[column[3]]), static_cast<int>(row[column[2]]),
                      static_cast<int>(row[column[1]]), static_cast<int>(row[column[0]]));
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaLane = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i lo = combineHalf<op, modulate>(_mm_unpacklo_epi8(s, zero),
                                                 _mm_unpacklo_epi8(dst, zero), mod, alphaLane);
    const __m128i hi = combineHalf<op, modulate>(_mm_unpackhi_epi8(s, zero),
                                                 _mm_unpackhi_epi8(dst, zero), mod, alphaLane);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(lo, hi));
}
#endif

struct Setup {
    int x0, y0, width, height; // the clipped bounding rectangle
    int64_t area;
    int64_t w[3], dx[3], dy[3], bias[3]; // edge values at the first pixel centre, steps
    int64_t sx[3], sy[3];                // texel coordinates of the corners
};

template <Op op, bool modColour, bool modAlpha>
void fill(const SoftPixels& target, const SoftTexture& texture, const Setup& s, uint32_t colour) {
    const uint32_t mr = channel(colour, 16), mg = channel(colour, 8), mb = colour & 0xFFu,
                   ma = colour >> 24;
    // Texel numerators: w0 * (s0 - s2) + w1 * (s1 - s2) + s2 * area, over the area.
    const int64_t ux0 = s.sx[0] - s.sx[2], ux1 = s.sx[1] - s.sx[2];
    const int64_t uy0 = s.sy[0] - s.sy[2], uy1 = s.sy[1] - s.sy[2];
    const int64_t stepU = s.dx[0] * ux0 + s.dx[1] * ux1, stepV = s.dx[0] * uy0 + s.dx[1] * uy1;
    // An unturned sprite's texel column depends on the pixel's column alone and its texel row
    // on the pixel's row alone: the columns are then worked out once for the whole triangle.
    const bool separable = stepV == 0 && s.dy[0] * ux0 + s.dy[1] * ux1 == 0;
    thread_local std::vector<int> columns;
    Stepper u, v;
    if (separable) {
        columns.resize(size_t(s.width));
        u.start(s.w[0] * ux0 + s.w[1] * ux1 + s.sx[2] * s.area, stepU, s.area);
        for (int x = 0; x < s.width; ++x, u.next()) columns[size_t(x)] = static_cast<int>(u.q);
    }
    int64_t w0 = s.w[0], w1 = s.w[1], w2 = s.w[2];
    for (int y = 0; y < s.height; ++y) {
        int first = 0, last = s.width - 1;
        clipToEdge(w0 + s.bias[0], s.dx[0], first, last);
        clipToEdge(w1 + s.bias[1], s.dx[1], first, last);
        clipToEdge(w2 + s.bias[2], s.dx[2], first, last);
        if (first <= last) {
            const int64_t a0 = w0 + first * s.dx[0], a1 = w1 + first * s.dx[1];
            v.start(a0 * uy0 + a1 * uy1 + s.sy[2] * s.area, stepV, s.area);
            uint32_t* d = target.pixels + size_t(s.y0 + y) * target.pitch + s.x0 + first;
            if (separable) {
                const uint32_t* row = texture.pixels + size_t(v.q) * texture.width;
                const int* column = columns.data();
                int x = first;
#ifdef __SSE2__
                if constexpr (op != Op::Copy) {
                    const __m128i mod =
                        _mm_set_epi16(short(modAlpha ? ma : 255), short(modColour ? mr : 255),
                                      short(modColour ? mg : 255), short(modColour ? mb : 255),
                                      short(modAlpha ? ma : 255), short(modColour ? mr : 255),
                                      short(modColour ? mg : 255), short(modColour ? mb : 255));
                    for (; x + 3 <= last; x += 4, d += 4)
                        combine4<op, modColour || modAlpha>(row, column + x, d, mod);
                }
#endif
                for (; x <= last; ++x, ++d)
                    *d = combine<op, modColour, modAlpha>(row[column[x]], *d, mr, mg, mb, ma);
            } else {
                u.start(a0 * ux0 + a1 * ux1 + s.sx[2] * s.area, stepU, s.area);
                for (int x = first; x <= last; ++x, ++d) {
                    const uint32_t texel = texture.pixels[u.q + v.q * texture.width];
                    *d = combine<op, modColour, modAlpha>(texel, *d, mr, mg, mb, ma);
                    u.next();
                    v.next();
                }
            }
        }
        w0 += s.dy[0];
        w1 += s.dy[1];
        w2 += s.dy[2];
    }
}

template <Op op>
void fillModulated(const SoftPixels& target, const SoftTexture& texture, const Setup& s,
                   uint32_t colour) {
    const bool modColour = (colour & 0xFFFFFFu) != 0xFFFFFFu, modAlpha = colour >> 24 != 255;
    if (modColour && modAlpha)
        fill<op, true, true>(target, texture, s, colour);
    else if (modColour)
        fill<op, true, false>(target, texture, s, colour);
    else if (modAlpha)
        fill<op, false, true>(target, texture, s, colour);
    else
        fill<op, false, false>(target, texture, s, colour);
}

// Positions and texture points beyond these would overflow SDL's own integer arithmetic; such
// triangles are left to it.
constexpr float kLargest = 4096.0f;

} // namespace

void softSplit(const KVertex* v, int count, std::vector<SoftPiece>& pieces) {
    pieces.clear();
    int previous[3] = {-1, -1, -1};
    auto triangle = [&] {
        SoftPiece p;
        std::copy(previous, previous + 3, p.vertex);
        pieces.push_back(p);
    };
    for (int i = 0; i + 2 < count; i += 3) {
        const int k0 = shared(v, previous, i), k1 = shared(v, previous, i + 1),
                  k2 = shared(v, previous, i + 2);
        if (previous[0] < 0) {
            previous[0] = k0, previous[1] = k1, previous[2] = k2;
            continue;
        }
        if (isRectangle(v, previous, k0, k1, k2)) {
            SoftPiece p;
            p.rectangle = true;
            const int six[6] = {previous[0], previous[1], previous[2], k0, k1, k2};
            std::copy(six, six + 6, p.vertex);
            pieces.push_back(p);
            previous[0] = -1;
        } else {
            triangle();
            previous[0] = k0, previous[1] = k1, previous[2] = k2;
        }
    }
    if (previous[0] >= 0) triangle();
}

bool softTriangle(const SoftPixels& target, const SoftTexture& texture, KBlend blend,
                  const KVertex& a, const KVertex& b, const KVertex& c) {
    const KVertex* corner[3] = {&a, &b, &c};
    const uint32_t colour = a.colour;
    if (b.colour != colour || c.colour != colour) return false;
    Point d[3], t[3];
    for (int i = 0; i < 3; ++i) {
        const KVertex& k = *corner[i];
        if (!(std::fabs(k.x) < kLargest && std::fabs(k.y) < kLargest)) return false;
        // As SDL places them: whole pixels (cut towards zero) in fixed point with one bit of
        // fraction, texels cut from the texture point times the size.
        d[i] = {static_cast<int>(k.x) * 2, static_cast<int>(k.y) * 2};
        t[i] = {static_cast<int>(k.u * static_cast<float>(texture.width)),
                static_cast<int>(k.v * static_cast<float>(texture.height))};
    }
    int64_t area = cross(d[0], d[1], d[2].x, d[2].y);
    if (area == 0) return true;
    // SDL keeps the corner products in 32 bits.
    if (std::llabs(area) * std::max(texture.width, texture.height) >= (int64_t{1} << 31))
        return false;

    // The texels interpolate up to the largest coordinate included, so that one is taken back.
    const int tx0 = std::min({t[0].x, t[1].x, t[2].x}), tx1 = std::max({t[0].x, t[1].x, t[2].x});
    const int ty0 = std::min({t[0].y, t[1].y, t[2].y}), ty1 = std::max({t[0].y, t[1].y, t[2].y});
    for (Point& p : t) {
        if (tx1 > tx0 && p.x == tx1) p.x -= 1;
        if (ty1 > ty0 && p.y == ty1) p.y -= 1;
    }

    // The bounding rectangle, clipped to the target.
    const int minX = std::min({d[0].x, d[1].x, d[2].x}), maxX = std::max({d[0].x, d[1].x, d[2].x});
    const int minY = std::min({d[0].y, d[1].y, d[2].y}), maxY = std::max({d[0].y, d[1].y, d[2].y});
    Setup s;
    const int rx = minX >> 1, ry = minY >> 1, rw = (maxX - minX) >> 1, rh = (maxY - minY) >> 1;
    if (rw <= 0 || rh <= 0) return true;
    s.x0 = std::max(rx, 0);
    s.y0 = std::max(ry, 0);
    s.width = std::min(rx + rw, target.width) - s.x0;
    s.height = std::min(ry + rh, target.height) - s.y0;
    if (s.width <= 0 || s.height <= 0) return true;

    const bool clockwise = area > 0;
    const int64_t sign = clockwise ? 1 : -1;
    s.area = area * sign;
    const int64_t px = int64_t{s.x0} * 2 + 1, py = int64_t{s.y0} * 2 + 1;
    const int edge[3][2] = {{1, 2}, {2, 0}, {0, 1}}; // w0 faces corner 0, and so on
    for (int i = 0; i < 3; ++i) {
        const Point p = d[edge[i][0]], q = d[edge[i][1]];
        s.w[i] = sign * cross(p, q, px, py);
        s.dx[i] = sign * int64_t{p.y - q.y} * 2;
        s.dy[i] = sign * int64_t{q.x - p.x} * 2;
        s.bias[i] = topLeft(p, q, clockwise) ? 0 : -1;
        s.sx[i] = t[i].x;
        s.sy[i] = t[i].y;
    }

    const bool modulated = colour != 0xFFFFFFFFu;
    switch (blend) {
    case KBlend::None:
        if (modulated)
            fillModulated<Op::Replace>(target, texture, s, colour);
        else
            fill<Op::Copy, false, false>(target, texture, s, colour);
        break;
    case KBlend::Alpha:
        fillModulated<Op::Blend>(target, texture, s, colour);
        break;
    case KBlend::Additive:
        fillModulated<Op::Add>(target, texture, s, colour);
        break;
    }
    return true;
}
