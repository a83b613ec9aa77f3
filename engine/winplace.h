#pragma once
// Window placement: the desktop's windows are recorded before the graphics device is created and
// put back after it is gone, in case a display-mode change moved them. Full screen here never
// changes the display mode and the desktop offers no such service, so the steps only log.

void kwinClear();
void kwinSaveAll();
void kwinRestoreAll();
void kwinDeleteAll();
