#include "replay_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "creator.h"
#include "data/bytes.h"
#include "file.h"
#include "input.h"
#include "log.h"
#include "work.h"

namespace {

constexpr char magic[4] = {'Z', 'T', 'R', 'P'};

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

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

std::tm (*ztReplayClock)() = localNow;

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

void ZTEngine::makeReplayName(std::string& name) {
    const std::tm t = ztReplayClock();
    char text[64];
    std::snprintf(text, sizeof text, "zt%04d_%02d%02d_%02d%02d%02d.rep", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    name = text;
}

namespace {
// The name with "_n" before its extension: zt2026_1208_100000_2.rep.
std::string withSuffix(const std::string& name, int n) {
    if (n == 1) return name;
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    return stem + "_" + std::to_string(n) + ext;
}
constexpr int namesToTry = 99;
} // namespace

bool ZTEngine::writeReplay(const std::string& name, std::string* savedAs) {
    klWrite("<ZTEngine::writeReplay>\n");
    // A play longer than any reader takes would be saved only to be listed as "Error File".
    if (gInput->kimRecordBuf.size() > ztReplayMaxWords) {
        klValue(" too long to be read back, frames = ",
                static_cast<long long>(gInput->kimRecordBuf.size()));
        klWrite(" write [NG]\n");
        return false;
    }
    if (!kfChangeDir("rep")) return false;
    ZTReplayHeader header;
    header.score = gWork->score;
    header.field = static_cast<uint32_t>(gWork->field);
    header.tail = static_cast<uint32_t>(gWork->tailMax);
    header.language = gWork->language;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, gInput->kimRecordBuf);
    // Written aside and put in place only under a free name: a crash leaves no half file, and a
    // file that is already there (two saves in one second, two copies of the game, a clock set
    // back) is kept while this one takes the next free name.
    bool ok = false;
    for (int n = 1; n <= namesToTry && !ok; ++n) {
        const std::string candidate = withSuffix(name, n);
        ok = kfSave(candidate.c_str(), bytes.data(), bytes.size(), true);
        if (ok && savedAs) *savedAs = candidate;
        if (!ok && errno != EEXIST) break;
    }
    klWrite(ok ? " write [OK]\n" : " write [NG]\n");
    kfChangeDir("..");
    return ok;
}

void ZTEngine::readReplayInfo(const std::string& name, RepFileInfo& info) {
    info.valid = 0;
    if (!kfChangeDir("rep")) return;
    {
        KFFile file(name.c_str(), KFFile::Read);
        ZTReplayHeader header;
        // Only the header is read; the file's length tells whether every word is there.
        if (readOpenFile(file, header, nullptr)) {
            info.valid = 1;
            info.frames = header.frames;
            info.score = header.score;
            info.field = header.field;
            info.tail = header.tail;
            info.language = header.language;
            // A play in a language this root has no texts for cannot be shown as it was played.
            ZTLanguageInfo known;
            if (!ztFindLanguage(header.language, known)) info.valid = 0;
        }
    }
    kfChangeDir("..");
}

bool ZTEngine::loadReplay(const std::string& name) {
    if (!kfChangeDir("rep")) return false;
    bool ok;
    {
        KFFile file(name.c_str(), KFFile::Read);
        ZTReplayHeader header;
        // A file that lost words since it was listed is refused whole: the play buffer keeps
        // the previous replay rather than a play with a made-up end.
        ok = readOpenFile(file, header, &gInput->kimPlayBuf);
        // The replay's start keeps the language: the play is shown in its own.
        ZTLanguageInfo known;
        ok = ok && ztFindLanguage(header.language, known);
        if (ok && gWork) gWork->language = header.language;
    }
    kfChangeDir("..");
    return ok;
}
