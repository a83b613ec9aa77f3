#include <cmath>
#include <cstdio>
#include <vector>

#include "review.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kShadow = 0x60000000;
constexpr float kPi = 3.14159265f;

// The heading angle of a motion (dx, dy): the angle a with (-sin a, cos a) along it.
float heading(float dx, float dy) {
    return std::atan2(-dx, dy);
}

struct Pose {
    float x, y, a;
};

// The tank and its tail along an S-shaped track, the tank first, joints 30 pixels apart as
// they are at driving speed.
std::vector<Pose> track(int joints) {
    auto at = [](float t, float& x, float& y) {
        x = 330.0f + 110.0f * std::sin(t * 1.4f) - 60.0f * t;
        y = 230.0f + 70.0f * t;
    };
    std::vector<Pose> pts;
    float t = 0, x, y;
    at(t, x, y);
    while (int(pts.size()) <= joints) {
        float nx, ny, dist = 0;
        float t2 = t;
        do {
            t2 += 0.001f;
            at(t2, nx, ny);
            dist = std::hypot(nx - x, ny - y);
        } while (dist < 30.0f && pts.size() > 0);
        float ax, ay;
        at(t2 + 0.001f, ax, ay);
        if (pts.empty()) t2 = t;
        at(t2, nx, ny);
        at(t2 + 0.001f, ax, ay);
        pts.push_back({nx, ny, heading(nx - ax, ny - ay)}); // driving toward smaller t
        t = t2, x = nx, y = ny;
    }
    return pts;
}

} // namespace

PxImage pxFieldPicture(const PxSheets& sheets) {
    PxCanvas c(sheets, 640, 480);
    c.clear(0x000000);
    // Ground: a plain floor with a few feature chips, as a painted map would have.
    const int map[8][10] = {
        {7, 7, 7, 7, 7, 7, 9, 7, 7, 7},     {7, 10, 11, 7, 14, 15, 15, 16, 8, 7},
        {7, 12, 13, 7, 17, 7, 7, 18, 7, 7}, {7, 7, 7, 8, 19, 20, 20, 21, 7, 7},
        {7, 9, 7, 7, 7, 7, 7, 7, 10, 11},   {7, 7, 7, 7, 7, 8, 7, 7, 12, 13},
        {7, 14, 16, 7, 7, 7, 7, 9, 7, 7},   {7, 19, 21, 7, 7, 7, 7, 7, 7, 7},
    };
    for (int r = 0; r < 8; ++r)
        for (int col = 0; col < 10; ++col)
            c.put(map[r][col], float(col * 64 + 32), float(r * 64 + 32), 0, 1, 1, kWhite);

    // Scorch marks of earlier kills.
    c.put(58, 470, 120, 0, 3.0f, 3.0f, kWhite);
    c.put(58, 150, 330, 0, 1.5f, 1.5f, kWhite);
    c.put(58, 520, 330, 0, 2.0f, 2.0f, kWhite);

    struct Enemy {
        int kind;
        float x, y, a;
    };
    const Enemy enemies[] = {{0, 120, 110, 0.6f}, {0, 200, 150, -0.3f}, {0, 560, 250, 1.2f},
                             {1, 380, 110, 0.4f}, {1, 110, 400, -0.9f}, {2, 540, 130, 0.8f}};
    const int bodyCell[3] = {93, 96, 97}, turretCell[3] = {92, 94, 98};
    std::vector<Pose> tank = track(9);

    // Shadows of layers 3 and 5, then the enemies, the explosion and the tank with its tail.
    for (const Enemy& e : enemies) {
        if (e.kind == 2)
            c.put(97, e.x + 8, e.y + 8, 0, 1, 1, kShadow);
        else
            c.put(turretCell[e.kind], e.x + 8, e.y + 8, e.a, 1, 1, kShadow);
    }
    for (size_t i = tank.size(); i-- > 0;)
        c.put(i == 0 ? 0 : (i % 3 == 1 ? 2 : 1), tank[i].x + 8, tank[i].y + 8, tank[i].a, 1, 1,
              kShadow);
    for (const Enemy& e : enemies) {
        c.put(bodyCell[e.kind], e.x, e.y, 0, 1, 1, kWhite);
        float o = e.kind == 2 ? 1.0f : 0.0f;
        c.put(turretCell[e.kind], e.x - o, e.y - o, e.a, 1, 1, kWhite);
    }
    const int bits[4][2] = {{106, 0}, {109, 1}, {112, 2}, {114, 3}};
    for (auto& b : bits)
        c.put(b[0], 330.0f + float(b[1] * 9 - 12), 60.0f + float((b[1] * 7) % 13 - 4), 0, 2.4f,
              2.4f, kWhite);
    for (size_t i = tank.size(); i-- > 1;) {
        int cell = i % 3 == 1 ? 2 : 1;
        c.put(cell, tank[i].x, tank[i].y, tank[i].a, 1, 1, kWhite);
        if (i == 4) c.put(55, tank[i].x, tank[i].y, 0, 1.5f, 1.5f, kWhite);
    }
    const Pose& t = tank[0];
    float s = std::sin(t.a), co = std::cos(t.a);
    c.put(0, t.x, t.y, t.a, 1, 1, kWhite);
    for (int g = -1; g <= 1; g += 2) {
        float gy = g < 0 ? -6.0f : 0.0f; // the left gun still recoils from its last shot
        float gx = 16.0f * float(g);
        c.put(3, t.x + gx * co - gy * s, t.y + gx * s + gy * co, t.a, 1, 1, kWhite);
    }

    // Walls: shadows of the top and left edges, then the frame with the start gate.
    c.put(43, 24, 24, 0, 1, 1, kShadow);
    for (int i = 0; i < 9; ++i) c.put(48, float(72 + 64 * i), 24, 0, 1, 1, kShadow);
    for (int j = 0; j < 6; ++j) c.put(50, 24, float(72 + 64 * j), 0, 1, 1, kShadow);
    c.put(52, 24, 440, 0, 1, 1, kShadow);
    c.put(43, 16, 16, 0, 1, 1, kWhite);
    for (int i = 0; i < 9; ++i) c.put(48, float(64 + 64 * i), 16, 0, 1, 1, kWhite);
    c.put(44, 624, 16, 0, 1, 1, kWhite);
    c.put(45, 16, 464, 0, 1, 1, kWhite);
    for (int i = 0; i < 9; ++i) c.put(i == 4 ? 47 : 49, float(64 + 64 * i), 464, 0, 1, 1, kWhite);
    c.put(46, 624, 464, 0, 1, 1, kWhite);
    for (int j = 0; j < 6; ++j) {
        c.put(50, 16, float(64 + 64 * j), 0, 1, 1, kWhite);
        c.put(51, 624, float(64 + 64 * j), 0, 1, 1, kWhite);
    }
    c.put(52, 16, 432, 0, 1, 1, kWhite);
    c.put(53, 624, 432, 0, 1, 1, kWhite);

    // Player shots and a counter shot burst from the tail.
    float fx = -s, fy = co; // the tank's facing
    for (int k = 0; k < 3; ++k) {
        float d = 40.0f + 34.0f * float(k), side = k % 2 ? 16.0f : -16.0f;
        c.put(6, t.x + fx * d + side * co, t.y + fy * d + side * s, t.a, 1, 1, kWhite);
    }
    c.put(4, t.x + fx * 24 + 16 * co, t.y + fy * 24 + 16 * s, t.a, 1, 1, kWhite);
    c.put(56, tank[4].x + 30, tank[4].y - 20, 0, 1, 1, kWhite);
    c.put(57, tank[4].x - 26, tank[4].y - 34, 0, 1, 1, kWhite);
    c.put(61, 404, 124, 0, 1.5f, 1.5f, kWhite);

    // A spit enemy flying in, with its shadow far below.
    c.put(99, 260 + 24, 360 + 24, 2.4f, 1, 1, kShadow);
    c.put(99, 260, 360, 2.4f, 1, 1, kWhite);

    // Blasts, flashes and the score pop-up.
    c.put(70, 540, 130 + 0, 0.7f, 1.5f, 1.5f, kWhite);
    c.put(81, 150, 220, 0, 1.5f, 1.5f, kWhite);
    const char* pop = ":12";
    float size = 12 * 0.03125f + 0.5f, px = 330 - 1.5f * 18 * size;
    for (const char* p = pop; *p; ++p, px += size * 18)
        c.put(*p + 74, px, 96, 0, size, size, kWhite);

    // Enemy shots: small ones from the small and middle guns, the large gun's fan.
    const float small[][2] = {{150, 175}, {178, 198}, {404, 150}, {420, 170}, {436, 190},
                              {370, 150}, {540, 290}, {120, 360}, {200, 300}};
    for (int i = 0; i < 9; ++i) c.put(72 + i % 4, small[i][0], small[i][1], 0, 1, 1, kWhite);
    // The large gun's five-way fan, some way out toward the tank.
    const float aim = std::atan2(-(330.0f - 540.0f), 240.0f - 130.0f);
    for (int k = -2; k <= 2; ++k) {
        float a = aim + float(k) * kPi / 16, d = 96;
        c.put(76 + (k & 1), 540 - std::sin(a) * d, 130 + std::cos(a) * d, 0, 1, 1, kWhite);
    }

    c.print(2, 0, 2, kWhite, "SC:0012480");
    c.print(20, 0, 2, kWhite, "FLD: 3");
    c.print(33, 0, 2, kWhite, "60FPS");
    c.print(2, 29, 2, kWhite, "LEFT:2");
    c.print(20, 29, 2, kWhite, "TAIL:  9");
    return c.image();
}

PxImage pxGameOverPicture(const PxSheets& sheets) {
    PxImage img = pxFieldPicture(sheets);
    PxCanvas c(sheets, 640, 480);
    c.image() = img;
    // The six letters at their targets (cell 37 twice), the picture half faded in.
    const int cells[6] = {36, 38, 37, 39, 40, 37};
    for (int i = 0; i < 6; ++i)
        c.put(cells[i], float(160 * (i % 3 + 1)), i < 3 ? 96.0f : 384.0f, 0, 1, 1, 0xFFFFFFFF);
    c.put(41, 320, 240, 0, 1, 1, 0xC0FFFFFF);
    return c.image();
}
