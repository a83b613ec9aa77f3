#pragma once
// The power-on scene: two logos fade in and out over a black screen, then the title follows.
#include <cstdint>

#include "creator.h"

class EnginePoweron : public ZTEngine {
public:
    // One fading logo: fades in, holds, fades out.
    class Bit {
    public:
        explicit Bit(int cell) : cell(cell) {}
        // False once the logo has faded out completely.
        bool step();
        void draw() const;

        int cell;
        int fade = 0; // 0 fading in, 1 holding, 2 fading out
        int32_t hold = 0;
        float alpha = 0.0f;
    };

    EnginePoweron() = default;
    ~EnginePoweron() override;

    void keMove() override;
    void keDraw() override;

    Bit* bits[2] = {};
    int phase = 0;
    int counter = 0;
};
