#include "editor.h"

#include "behave.h"
#include "input.h"
#include "log.h"

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
