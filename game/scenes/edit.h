#pragma once
// The map editor: paints one of the four ground maps chip by chip on its 10 x 8 grid of
// 64-pixel squares, with a chip palette and a menu to save, clear, scatter or leave.
#include <cstdint>
#include <memory>

#include "editor.h"

class ZTMap;

class EngineEdit : public ZTEditor {
public:
    enum : int32_t { Put = Work, ChipSelect = Pick };

    // The cursor walks this grid whatever size a hand-made file gives the map.
    static constexpr int32_t columns = 10;
    static constexpr int32_t rows = 8;
    // The palette offers the floor chips firstChip..lastChip, eight to a row.
    static constexpr uint16_t firstChip = 7;
    static constexpr uint16_t lastChip = 21;

    EngineEdit();
    ~EngineEdit() override;

    void keDraw() override;

    // The chip shown at palette column, row; wraps as an unsigned 16-bit number off the palette.
    static uint16_t paletteChip(int32_t column, int32_t row);
    // "dat/m%02d.ztm" of the map being edited.
    void fileName(char* out, size_t size) const override;

    int32_t cursorColumn = 5;
    int32_t cursorRow = 4;
    int32_t paletteColumn = 0;
    int32_t paletteRow = 0;
    uint16_t chip = firstChip;
    int32_t mapNumber = 0;
    std::unique_ptr<ZTMap> map;

private:
    void moveWork() override;
    void movePick() override;
    void carryOut() override;
    bool saveAs(const char* path) override;
};
