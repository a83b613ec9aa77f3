#include "data/score_file.h"

#include <cstring>

#include "data/bytes.h"
#include "random.h"

ZTscoreTable ztDefaultScores() {
    static const char* const names[ztScoreEntries] = {"NATTOH", "YAKKO",   "OYAKODON", "ZARUSOBA",
                                                      "TENDON", "CHIKAMA", "TSUKUNE",  "HOKKE",
                                                      "SHOGA",  "WASABI"};
    ZTscoreTable table;
    for (uint32_t i = 0; i < ztScoreEntries; ++i) {
        ZThiScore e;
        e.name = names[i];
        e.score = 50000 - 5000 * i;
        e.field = 10 - i;
        e.tail = 20 - i;
        table.push_back(e);
    }
    return table;
}

ZTscoreTable ztDecodeScores(const uint8_t* data, size_t size) {
    ZTByteReader in(data, size);
    uint32_t key = 0;
    for (int i = 0; i < 16; ++i) {
        uint8_t b = 0;
        in.u8(b); // a missing key byte adds nothing
        key += b;
    }
    ZTscoreTable table;
    for (size_t i = 0; i < ztScoreEntries; ++i) {
        uint8_t record[32];
        ZThiScore e;
        if (in.block(record, sizeof record)) {
            size_t n = 0;
            while (n < 16 && record[n] != 0) ++n;
            e.name.assign(reinterpret_cast<const char*>(record), n);
            ZTByteReader words(record + 16, 16);
            uint32_t score = 0, field = 0, tail = 0;
            words.u32(score);
            words.u32(field);
            words.u32(tail);
            e.score = score - key;
            e.field = field - key;
            e.tail = tail - key;
        }
        table.push_back(e);
    }
    return table;
}

std::vector<uint8_t> ztEncodeScores(const ZTscoreTable& table, const uint8_t keyBytes[16]) {
    ZTByteWriter out;
    uint32_t key = 0;
    for (int i = 0; i < 16; ++i) {
        out.u8(keyBytes[i]);
        key += keyBytes[i];
    }
    for (const auto& e : table) {
        uint8_t name[16] = {};
        std::memcpy(name, e.name.data(), e.name.size() < 16 ? e.name.size() : 16);
        for (uint8_t b : name) out.u8(b);
        out.u32(e.score + key);
        out.u32(e.field + key);
        out.u32(e.tail + key);
        out.u32(0);
    }
    return out.bytes;
}

void ztDrawScoreKey(uint8_t key[16]) {
    for (int i = 0; i < 16; ++i)
        key[i] = static_cast<uint8_t>(static_cast<double>(kuRand()) / 32768.0 * 255.0);
}
