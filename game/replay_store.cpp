#include "replay_store.h"

#include <cerrno>
#include <cstdio>

#include "creator.h"
#include "data/replay_file.h"
#include "file.h"
#include "input.h"
#include "log.h"
#include "work.h"

namespace {
std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}
} // namespace

std::tm (*ztReplayClock)() = localNow;

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
        ZTReplayHeader header;
        // Only the header is read; the file's length tells whether every word is there.
        if (ztReadReplayFileHeader(name.c_str(), header)) {
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
        ZTReplayHeader header;
        // A file that lost words since it was listed is refused whole: the play buffer keeps
        // the previous replay rather than a play with a made-up end.
        ok = ztReadReplayFile(name.c_str(), header, gInput->kimPlayBuf);
        // The replay's start keeps the language: the play is shown in its own.
        ZTLanguageInfo known;
        ok = ok && ztFindLanguage(header.language, known);
        if (ok && gWork) gWork->language = header.language;
    }
    kfChangeDir("..");
    return ok;
}
