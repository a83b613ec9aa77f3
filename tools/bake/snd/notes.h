#pragma once
// A channel's notes: its repeats expanded, then each command read into the channel's events.
#include <cstdint>
#include <string>

#include "score.h"

namespace snd {

constexpr int64_t kTicksPerWhole = 4 * kTicksPerQuarter;

// Reads the notes of one channel line (its joined parts) with the score's instruments and drums.
// False with a message naming the channel and the place on a mistake.
bool parseChannel(const std::string& source, const Score& score, Channel& ch, std::string& error);

} // namespace snd
