#pragma once
// Bitmap text: one 8x8 font cell per character on a fixed character grid.
#include <cstdint>

class KilnAscii {
public:
    explicit KilnAscii(int firstCell);

    // Prints one line at the cursor, then moves the cursor to the next row.
    void kaPrint(const char* text);
    // Formats value (one integer conversion) into at most 31 characters and prints it.
    void kaPrintValue(int value, const char* format);
    // The same at a given cursor place, which stays set afterwards.
    void kaPrintAt(int column, int row, const char* text);
    void kaPrintValueAt(int column, int row, int value, const char* format);

    int firstCell;
    int column = 0;
    int row = 0;
    int cellSize = 8;
    int scale = 2;
    uint32_t colour = 0xFFFFFFFF;
};

extern KilnAscii* gAscii;
