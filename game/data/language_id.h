#pragma once
// A language's number, as a replay file records it. What the numbers mean (names, folders of
// texts) is the game root's list, read by the game.
#include <cstdint>

enum class ZTLanguage : uint8_t { Japanese = 0, English = 1 };
