#pragma once
// The hi-score file "score.dat".
//
// Layout, little-endian (changing it makes every saved table unreadable):
//   0        16 bytes  key bytes; the key is their sum
//   16 + 32i 16 bytes  name of entry i, zero-filled
//            uint32    score + key (modulo 2^32)
//            uint32    field + key
//            uint32    tail + key
//            uint32    0 (ignored when read)
// Ten entries, best first: 336 bytes.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

struct ZThiScore {
    std::string name; // at most 16 bytes in the file
    uint32_t score = 0;
    uint32_t field = 0;
    uint32_t tail = 0;
    bool isNew = false; // inserted by the play that just ended; never stored
};

using ZTscoreTable = std::list<ZThiScore>;

constexpr size_t ztScoreEntries = 10;
constexpr size_t ztScoreFileSize = 16 + 32 * ztScoreEntries;

// The table used when there is no file.
ZTscoreTable ztDefaultScores();
// Decodes a file image into exactly ten entries. An entry the image does not hold whole is
// blank (no name, all zero), so bytes that were never read are never shown.
ZTscoreTable ztDecodeScores(const uint8_t* data, size_t size);
// Encodes a table with the given key bytes (each 0..254).
std::vector<uint8_t> ztEncodeScores(const ZTscoreTable& table, const uint8_t key[16]);
// Draws 16 fresh key bytes from the game's random generator.
void ztDrawScoreKey(uint8_t key[16]);
