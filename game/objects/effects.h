#pragma once
// Explosions, scorch marks and score pop-ups: plain behaviours without hit components.
#include "behave.h"
#include "kmath.h"

// An invisible emitter that scatters fragments around a point, one every fourth frame.
class ZTBaku : public KilnBehave {
public:
    ZTBaku(KVector position, float size, int frames);

    bool kbMove() override;
    void kbDraw() override {}
    void kbHash(KUHash& hash) const override;

    KVector position;
    float size;
    int frames;
    int counter = 0;
};

class ZTBakuBit : public KilnBehave {
public:
    ZTBakuBit(KVector position, float size);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    int cell = 106;
    int counter = 0;
    float size;
};

// A scorch mark; stays until the field ends.
class ZTKoge : public KilnBehave {
public:
    ZTKoge(KVector position, float scale);

    bool kbMove() override { return true; }
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    float scale;
};

// Shows ":N", the damage of the blow that destroyed an enemy, stretching in and flattening out.
class ZTRate : public KilnBehave {
public:
    ZTRate(KVector position, int value);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    char text[16] = {};
    KVector position;
    int phase = 0;
    int counter = 0;
    float xOffset;
    float size;
    float scaleX = 0.0078125f;
    float scaleY = 1.0f;
};
