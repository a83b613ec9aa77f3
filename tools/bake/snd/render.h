#pragma once
// Turns a score into a stereo track at the game's common loudness.
#include <vector>

#include "score.h"

namespace snd {

// Loudness every track is brought to (RMS, dBFS), and the ceiling of the soft limiter that
// catches the few peaks above it.
constexpr double kTrackRmsDb = -17.0;
constexpr double kTrackCeilingDb = -2.0;

// Interleaved left/right samples, exactly score.lengthSamples() frames. A looping score's
// ringing notes and echoes run on into its start, so the end joins the start without a seam.
std::vector<float> renderScore(const Score& score);

} // namespace snd
