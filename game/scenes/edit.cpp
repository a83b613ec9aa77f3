#include "edit.h"

#include <cstdio>

#include "ascii.h"
#include "behave.h"
#include "data/map.h"
#include "engine.h"
#include "file.h"
#include "input.h"
#include "log.h"
#include "main_form.h"
#include "random.h"
#include "scenes/map_view.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr uint32_t white = 0xFFFFFFFF;
constexpr int cursorCell = 22;
constexpr int32_t lastMenuEntry = 3;

float centre(int32_t square) {
    return static_cast<float>(square * 64 + 32);
}
} // namespace

EngineEdit::EngineEdit() : ZTEditor(lastMenuEntry) {
    klWrite("<EngineEdit::EngineEdit>\n");
    // The title shows the stage number masked to 0..3 beside "EDIT MAP"; a stage read from a
    // hand-edited configuration may be negative, which the mask keeps on a real map too.
    mapNumber = (gForm ? gForm->stage : 1) & 3;
    char path[32];
    fileName(path, sizeof path);
    map = std::make_unique<ZTMap>(kfExist(path) ? path : nullptr, columns, rows, firstChip);
}

EngineEdit::~EngineEdit() {
    klWrite("<EngineEdit::~EngineEdit>\n");
    map.reset();
    // Play must show what is on disk now, saved or not.
    if (gWork) gWork->reloadMaps();
}

void EngineEdit::fileName(char* out, size_t size) const {
    std::snprintf(out, size, "dat/m%02d.ztm", mapNumber);
}

uint16_t EngineEdit::paletteChip(int32_t column, int32_t row) {
    return static_cast<uint16_t>(row * 8 + column + firstChip);
}

void EngineEdit::moveWork() {
    if (gInput->kiIsPushed(KI_UP)) cursorRow = cursorRow > 0 ? cursorRow - 1 : rows - 1;
    if (gInput->kiIsPushed(KI_DOWN)) cursorRow = cursorRow < rows - 1 ? cursorRow + 1 : 0;
    if (gInput->kiIsPushed(KI_LEFT))
        cursorColumn = cursorColumn > 0 ? cursorColumn - 1 : columns - 1;
    if (gInput->kiIsPushed(KI_RIGHT))
        cursorColumn = cursorColumn < columns - 1 ? cursorColumn + 1 : 0;
    if (gInput->kiIsPushed(KI_BUTTON2)) mode = ChipSelect;
    if (gInput->kiIsPushed(KI_BUTTON1) && cursorRow < map->height && cursorColumn < map->width)
        map->cells[static_cast<size_t>(cursorRow)][static_cast<size_t>(cursorColumn)] = chip;
    if (gInput->kiIsPushed(KI_BUTTON4)) mode = Menu;
}

void EngineEdit::movePick() {
    if (gInput->kiIsPushed(KI_UP)) paletteRow -= 1;
    if (gInput->kiIsPushed(KI_DOWN)) paletteRow += 1;
    if (gInput->kiIsPushed(KI_LEFT)) {
        paletteColumn -= 1;
        if (paletteColumn < 0) {
            paletteColumn = 7;
            paletteRow -= 1;
        }
    }
    if (gInput->kiIsPushed(KI_RIGHT)) {
        paletteColumn += 1;
        if (paletteColumn >= 8) {
            paletteColumn = 0;
            paletteRow += 1;
        }
    }
    // Off the front of the palette goes to its first chip, off the end to its last. Above the
    // top-left corner the sum wraps to 65535, which counts as off the end.
    if (paletteChip(paletteColumn, paletteRow) < firstChip) {
        paletteColumn = 0;
        paletteRow = 0;
    }
    if (paletteChip(paletteColumn, paletteRow) > lastChip) {
        paletteColumn = 6;
        paletteRow = 1;
    }
    chip = paletteChip(paletteColumn, paletteRow);
    if (gInput->kiIsPushed(KI_BUTTON1) || gInput->kiIsPushed(KI_BUTTON2)) mode = Put;
}

bool EngineEdit::saveAs(const char* path) {
    return map->save(path);
}

void EngineEdit::carryOut() {
    switch (menuIndex) {
    case 0:
        save("<EngineEdit::save> could not write the map\n");
        break;
    case 1:
        for (auto& row : map->cells)
            for (auto& c : row) c = chip;
        break;
    case 2:
        // Every square draws a number, taken or not, so the scatter is the same for a seed.
        for (auto& row : map->cells)
            for (auto& c : row)
                if (kuRand() > 16384) c = chip;
        break;
    case 3:
        keNextScene = ZT_SCENE_TITLE;
        break;
    default:
        break;
    }
}

void EngineEdit::keDraw() {
    if (mode == ChipSelect) {
        for (uint16_t c = firstChip; c <= lastChip; ++c)
            gSprite->kspPut(c, centre((c - firstChip) % 8), centre((c - firstChip) / 8), 0.0f, 1.0f,
                            1.0f, white);
    } else {
        ztDrawMap(*map);
    }

    gAscii->scale = 2;
    gAscii->colour = white;
    switch (mode) {
    case Put: {
        // Keep the help clear of the square being painted.
        const int row = cursorRow < 2 ? 25 : 0;
        gAscii->kaPrintAt(0, row, "[1] Put Chip");
        gAscii->kaPrint("[2] Chip Select");
        gAscii->kaPrint("[4] Open Menu");
        const float x = centre(cursorColumn), y = centre(cursorRow);
        gSprite->kspPut(chip, x, y, 0.0f, 1.0f, 1.0f, white);
        gSprite->kspPut(cursorCell, x, y, 0.0f, 2.0f, 2.0f, white);
        break;
    }
    case ChipSelect:
        gAscii->kaPrintAt(0, 25, "[1] Return");
        gAscii->kaPrint("[2] Return");
        gSprite->kspPut(cursorCell, centre(paletteColumn), centre(paletteRow), 0.0f, 2.0f, 2.0f,
                        white);
        break;
    case Menu:
        gAscii->kaPrintAt(0, 0, "[1] Decide");
        gAscii->kaPrint("[4] Close Menu");
        gAscii->kaPrintAt(2, 8, "SAVE");
        gAscii->kaPrint("CLEAR");
        gAscii->kaPrint("RANDOM");
        gAscii->kaPrint("Exit");
        gAscii->kaPrintAt(0, 8 + menuIndex, "->");
        break;
    default:
        break;
    }

    gSprite->kspDrawOut();
}
