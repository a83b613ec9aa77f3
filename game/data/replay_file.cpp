#include "replay_file.h"

#include <cstring>

#include "data/bytes.h"
#include "file.h"

namespace {

constexpr char magic[4] = {'Z', 'T', 'R', 'P'};

// The number of bytes a file must hold for its header's count, or 0 when the count is refused.
size_t neededSize(uint32_t frames) {
    if (frames > ztReplayMaxWords) return 0;
    return ztReplayHeaderSize + size_t{4} * frames;
}

// Reads the header, then only as many words as the file is long enough to hold.
bool readOpenFile(KFFile& file, ZTReplayHeader& header, std::vector<uint32_t>* words) {
    if (!file.isOpen()) return false;
    uint8_t head[ztReplayHeaderSize];
    if (file.read(head, sizeof head) != sizeof head) return false;
    if (!ztParseReplayHeader(head, sizeof head, header)) return false;
    const size_t needed = neededSize(header.frames);
    if (needed == 0 || file.size() < needed) return false;
    if (!words) return true;
    std::vector<uint8_t> body(needed - ztReplayHeaderSize);
    if (file.read(body.data(), static_cast<uint32_t>(body.size())) != body.size()) return false;
    ZTByteReader reader(body.data(), body.size());
    std::vector<uint32_t> loaded(header.frames);
    for (uint32_t& w : loaded) reader.u32(w);
    words->swap(loaded);
    return true;
}

} // namespace

bool ztParseReplayHeader(const uint8_t* data, size_t size, ZTReplayHeader& header) {
    ZTByteReader reader(data, size);
    uint8_t m[4];
    if (!reader.block(m, 4) || std::memcmp(m, magic, 4) != 0) return false;
    uint32_t version = 0, reserved = 0, language = 0;
    ZTReplayHeader h;
    if (!reader.u32(version) || !reader.u32(reserved) || !reader.u32(h.frames) ||
        !reader.u32(h.score) || !reader.u32(h.field) || !reader.u32(h.tail) ||
        !reader.u32(language))
        return false;
    if (version != ztReplayVersion || language > 255) return false;
    h.language = static_cast<ZTLanguage>(language);
    header = h;
    return true;
}

bool ztParseReplay(const uint8_t* data, size_t size, ZTReplayHeader& header,
                   std::vector<uint32_t>& words) {
    ZTReplayHeader h;
    if (!ztParseReplayHeader(data, size, h)) return false;
    const size_t needed = neededSize(h.frames);
    if (needed == 0 || size < needed) return false;
    ZTByteReader reader(data + ztReplayHeaderSize, needed - ztReplayHeaderSize);
    std::vector<uint32_t> loaded(h.frames);
    for (uint32_t& w : loaded) reader.u32(w);
    header = h;
    words.swap(loaded);
    return true;
}

std::vector<uint8_t> ztBuildReplay(const ZTReplayHeader& header,
                                   const std::vector<uint32_t>& words) {
    ZTByteWriter w;
    w.bytes.reserve(ztReplayHeaderSize + 4 * words.size());
    for (char c : magic) w.u8(static_cast<uint8_t>(c));
    w.u32(ztReplayVersion);
    w.u32(0);
    w.u32(static_cast<uint32_t>(words.size()));
    w.u32(header.score);
    w.u32(header.field);
    w.u32(header.tail);
    w.u32(static_cast<uint32_t>(header.language));
    for (uint32_t word : words) w.u32(word);
    return std::move(w.bytes);
}

bool ztReadReplayFile(const char* path, ZTReplayHeader& header, std::vector<uint32_t>& words) {
    KFFile file(path, KFFile::Read);
    return readOpenFile(file, header, &words);
}

bool ztReadReplayFileHeader(const char* path, ZTReplayHeader& header) {
    KFFile file(path, KFFile::Read);
    return readOpenFile(file, header, nullptr);
}
