#include "editor.h"

#include <cstdio>

#include "behave.h"
#include "data/map.h"
#include "file.h"
#include "input.h"
#include "log.h"

ZTEditor::ZTEditor(int32_t lastEntry) : lastEntry(lastEntry) {}

ZTEditor::~ZTEditor() = default;

void ZTEditor::loadMap(int32_t number, int32_t columns, int32_t rows, uint16_t fill) {
    char path[32];
    std::snprintf(path, sizeof path, "dat/m%02d.ztm", number);
    map = std::make_unique<ZTMap>(kfExist(path) ? path : nullptr, columns, rows, fill);
}

void ZTEditor::keMove() {
    switch (mode) {
    case Work:
        moveWork();
        break;
    case Pick:
        movePick();
        break;
    case Menu:
        moveMenu();
        break;
    default:
        break;
    }
    kbMoveAll();
}

void ZTEditor::moveMenu() {
    if (gInput->kiIsPushed(KI_UP) && menuIndex > 0) menuIndex -= 1;
    if (gInput->kiIsPushed(KI_DOWN) && menuIndex < lastEntry) menuIndex += 1;
    if (gInput->kiIsPushed(KI_BUTTON1)) carryOut();
    if (gInput->kiIsPushed(KI_BUTTON4)) mode = Work;
}

void ZTEditor::save(const char* failure) {
    char path[32];
    fileName(path, sizeof path);
    if (!saveAs(path)) klWrite(failure);
}
