#include "poweron.h"

#include "behave.h"
#include "graphics.h"
#include "input.h"
#include "sprite.h"

namespace {
constexpr int kFirstLogo = 23;
constexpr int kSecondLogo = 24;
} // namespace

bool EnginePoweron::Bit::step() {
    switch (fade) {
    case 0:
        alpha += 0.03125f;
        if (alpha >= 1.0f) {
            alpha = 1.0f;
            fade = 1;
        }
        break;
    case 1:
        if (hold++ >= 60) fade = 2; // held for 61 frames
        break;
    default:
        alpha -= 0.010416667f; // a 96-frame fade
        if (alpha <= 0.0f) return false;
        break;
    }
    return true;
}

void EnginePoweron::Bit::draw() const {
    const uint32_t a = static_cast<uint32_t>(static_cast<int>(alpha * 255.0f)) & 0xFF;
    gSprite->kspPut(cell, 320.0f, 240.0f, 0.0f, 2.0f, 2.0f, (a << 24) | 0xFFFFFF);
}

EnginePoweron::~EnginePoweron() {
    for (Bit*& bit : bits) {
        delete bit;
        bit = nullptr;
    }
}

void EnginePoweron::keMove() {
    switch (phase) {
    case 0:
        if (counter++ >= 12) {
            bits[0] = new Bit(kFirstLogo);
            phase = 1;
            counter = 0;
        }
        break;
    case 1:
        if (counter++ >= 140) {
            bits[1] = new Bit(kSecondLogo);
            phase = 2;
            counter = 0;
        }
        break;
    default:
        if (counter++ >= 220) keNextScene = ZT_SCENE_TITLE;
        break;
    }
    for (Bit*& bit : bits) {
        if (bit && !bit->step()) {
            delete bit;
            bit = nullptr;
        }
    }
    if (gInput->kiIsPushed(KI_BUTTON1)) keNextScene = ZT_SCENE_TITLE;
    kbMoveAll();
}

void EnginePoweron::keDraw() {
    for (const Bit* bit : bits)
        if (bit) bit->draw();
    gSprite->kspSetStates();
    // The logos add light to the black screen.
    kxSetBlend(KBlend::Additive);
    gSprite->kspFlush();
    gSprite->kspClear();
}
