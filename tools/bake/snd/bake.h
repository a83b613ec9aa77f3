#pragma once
// From a recipe or score text to the bytes of the file the game loads.
#include <cstdint>
#include <string>
#include <vector>

namespace snd {

constexpr int kEffectCount = 11; // SE00..SE10
constexpr int kTrackCount = 6;   // MU00..MU05

// "SE03" -> source "SE03.sfx", output "SE03.wav"; "MU01" -> "MU01.mus", "MU01.ogg".
std::string effectName(int index);
std::string trackName(int index);

bool bakeEffect(const std::string& recipe, std::vector<uint8_t>& wav, std::string& error);
bool bakeTrack(const std::string& score, std::vector<uint8_t>& ogg, std::string& error);

} // namespace snd
