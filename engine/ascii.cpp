#include "ascii.h"

#include <cstdio>

#include "sprite.h"

KilnAscii* gAscii = nullptr;

KilnAscii::KilnAscii(int first) : firstCell(first) {}

void KilnAscii::kaPrint(const char* text) {
    const int start = column;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        // The font holds codes 32..127; anything else shows as '?' rather than a stray cell.
        const int c = (*p >= 32 && *p <= 127) ? *p : '?';
        const int x = column * cellSize * scale + (cellSize / 2) * scale;
        const int y = row * cellSize * scale + (cellSize / 2) * scale;
        if (gSprite)
            gSprite->kspPut(firstCell + c - 32, static_cast<float>(x), static_cast<float>(y), 0.0f,
                            static_cast<float>(scale), static_cast<float>(scale), colour);
        column += 1;
    }
    column = start;
    row += 1;
}

void KilnAscii::kaPrintValue(int value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    kaPrint(text);
}

void KilnAscii::kaPrintAt(int column_, int row_, const char* text) {
    column = column_;
    row = row_;
    kaPrint(text);
}

void KilnAscii::kaPrintValueAt(int column_, int row_, int value, const char* format) {
    column = column_;
    row = row_;
    kaPrintValue(value, format);
}
