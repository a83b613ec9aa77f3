#include "winplace.h"

#include "log.h"

void kwinClear() {
    klWrite("<KilnWin::kwinClear>\n");
}

void kwinSaveAll() {
    klWrite("<KilnWin::kwinSaveAll>\n");
    klWrite(" <no window placement service: nothing saved>\n");
}

void kwinRestoreAll() {
    klWrite("<KilnWin::kwinRestoreAll>\n");
    klWrite(" <no window placement service: nothing restored>\n");
}

void kwinDeleteAll() {
    klWrite("<KilnWin::kwinDeleteAll>\n");
}
