#pragma once
// The replay file: the button words of one recorded play, from the frame after the game start to
// the frame in which the play ended.
//
// Layout, every integer a little-endian unsigned 32-bit word:
//   offset  0  magic "ZTRP"
//   offset  4  version, ztReplayVersion
//   offset  8  reserved, 0
//   offset 12  N, the number of button words
//   offset 16  score at the end of the play
//   offset 20  field at the end of the play
//   offset 24  the highest tail of the play
//   offset 28  the play's language, 0..255 (0 Japanese, 1 English; once reserved and always 0,
//              so every older file is a Japanese play)
//   offset 32  N button words, the first frame first
// Score, field and tail are for the list only: playback always starts at field 1 with tail 1.
// The language is the play's own: its conversations' lengths decide when a page can be turned,
// so a replay is shown in its language whatever the setting.
// Any change to this layout must change the version, so older files are listed as errors instead
// of being played wrongly.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/language_id.h"

constexpr uint32_t ztReplayVersion = 75;
constexpr size_t ztReplayHeaderSize = 32;
// About 77 hours of play. A longer count is refused, so a damaged header never asks for more
// memory than this, and never for more than the file itself holds.
constexpr uint32_t ztReplayMaxWords = 1u << 24;

struct ZTReplayHeader {
    uint32_t frames = 0;
    uint32_t score = 0;
    uint32_t field = 0;
    uint32_t tail = 0;
    ZTLanguage language = ZTLanguage::Japanese;
};

// The header alone: false unless the magic, the version and all seven words are there, and the
// language word holds a language number.
bool ztParseReplayHeader(const uint8_t* data, size_t size, ZTReplayHeader& header);
// Header and words: false (and `words` untouched) unless the data holds every word it counts.
bool ztParseReplay(const uint8_t* data, size_t size, ZTReplayHeader& header,
                   std::vector<uint32_t>& words);
std::vector<uint8_t> ztBuildReplay(const ZTReplayHeader& header,
                                   const std::vector<uint32_t>& words);

// Reads a replay file by its path. False (and `words` untouched) when it cannot be opened or is
// not a whole replay.
bool ztReadReplayFile(const char* path, ZTReplayHeader& header, std::vector<uint32_t>& words);
// The header alone, read from a file that holds every word it counts.
bool ztReadReplayFileHeader(const char* path, ZTReplayHeader& header);
