#include "effects.h"

#include <cstdio>
#include <cstring>

#include "layers.h"
#include "random.h"
#include "sprite.h"

ZTBaku::ZTBaku(KVector position, float size, int frames)
    : KilnBehave(ZT_LAYER_BLASTS), position(position), size(size), frames(frames) {}

bool ZTBaku::kbMove() {
    if ((counter & 3) == 0) {
        // Four draws per fragment, always in this order: replays depend on it.
        const int r1 = kuRand();
        const float radius =
            (48.0f * size - 16.0f * size) * static_cast<float>(r1) / 32768.0f + 16.0f * size;
        const int r2 = kuRand();
        const float b = (static_cast<float>(r2) / 16384.0f - 1.0f) * kmPiF;
        const int r3 = kuRand();
        const float d = static_cast<float>(r3) / 32768.0f * radius;
        const int r4 = kuRand();
        const float bitSize = (static_cast<float>(r4) / 32768.0f * 0.5f + 0.75f) * size;
        new ZTBakuBit(position + d * KVector{kmSin(b), kmCos(b), 0.0f}, bitSize);
    }
    counter += 1;
    return counter < frames;
}

void ZTBaku::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(size), hash.add(frames), hash.add(counter);
}

ZTBakuBit::ZTBakuBit(KVector position, float size)
    : KilnBehave(ZT_LAYER_BLASTS), position(position), size(size) {}

bool ZTBakuBit::kbMove() {
    counter += 1;
    if (counter > 3) {
        cell += 1;
        if (cell > 121) return false;
        counter = 0;
    }
    return true;
}

void ZTBakuBit::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, size * 2.0f, size * 2.0f, 0xFFFFFFFF);
}

void ZTBakuBit::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(cell), hash.add(counter), hash.add(size);
}

ZTKoge::ZTKoge(KVector position, float scale)
    : KilnBehave(ZT_LAYER_FLOOR), position(position), scale(scale) {}

void ZTKoge::kbDraw() {
    gSprite->kspPut(58, position.x, position.y, 0.0f, scale, scale, 0xFFFFFFFF);
}

void ZTKoge::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(scale);
}

ZTRate::ZTRate(KVector position, int value) : KilnBehave(ZT_LAYER_RATES), position(position) {
    std::snprintf(text, sizeof text, ":%d", value);
    const int length = static_cast<int>(std::strlen(text));
    xOffset = static_cast<float>(length * 18) * -0.5f;
    size = static_cast<float>(value) * 0.03125f + 0.5f;
    if (size > 2.0f) size = 2.0f;
}

bool ZTRate::kbMove() {
    if (phase == 0) {
        scaleX += (1.0f - scaleX) * 0.25f;
        counter += 1;
        if (counter > 16) {
            counter = 0;
            phase = 1;
        }
    } else {
        scaleX += (2.0f - scaleX) * 0.125f;
        scaleY += (0.0078125f - scaleY) * 0.125f;
        counter += 1;
        if (counter > 20) return false;
    }
    return true;
}

void ZTRate::kbDraw() {
    float x = xOffset * size * scaleX + position.x;
    for (const char* c = text; *c; ++c) {
        gSprite->kspPut(static_cast<unsigned char>(*c) + 74, x, position.y, 0.0f, size * scaleX,
                        size * scaleY, 0xFFFFFFFF);
        x += size * 18.0f * scaleX;
    }
}

void ZTRate::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.bytes(text, sizeof text);
    hash.add(position), hash.add(phase), hash.add(counter), hash.add(xOffset), hash.add(size);
    hash.add(scaleX), hash.add(scaleY);
}
