#pragma once
// The "rep" folder of the game root: where a recorded play is saved, listed and loaded from (the
// ZTEngine members of creator.h). The file inside is data/replay_file.h's.
#include <ctime>

// The local date and time a save is named after; tests put a clock of their own here.
extern std::tm (*ztReplayClock)();
