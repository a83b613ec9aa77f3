#include "platform.h"

Platform gPlatform;

const char* const kNeverBoundKeys[] = {
    "Escape", "P", "Tab",   "F11", "Return", // quit, pause, fast-forward, full screen (Alt+Enter)
    "-",      "=", "Space", ".",   "PageUp", "PageDown", "Home", // the replay viewer
};
const int kNeverBoundKeyCount = static_cast<int>(sizeof kNeverBoundKeys / sizeof *kNeverBoundKeys);

const char* const kNeverBoundPadControls[] = {
    "start",                                     // the pause
    "lefttrigger", "righttrigger", "rightstick", // the replay viewer
    "leftstick",   "rightx",       "righty",
};
const int kNeverBoundPadControlCount =
    static_cast<int>(sizeof kNeverBoundPadControls / sizeof *kNeverBoundPadControls);
