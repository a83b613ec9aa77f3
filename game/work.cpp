#include "work.h"

#include <cstdio>
#include <cstring>

#include "creator.h"
#include "data/bytes.h"
#include "data/map.h"
#include "data/score_file.h"
#include "file.h"
#include "input.h"
#include "log.h"
#include "random.h"
#include "sound.h"

namespace {

constexpr const char* scorePath = "score.dat";
constexpr uint32_t scoreCap = 99999999;

} // namespace

ZTWork::ZTWork() {
    if (kfExist(scorePath)) {
        std::vector<uint8_t> bytes;
        // A file that exists but cannot be read leaves the table empty: nothing can enter it, and
        // the file is kept as it is, since the fault may pass and the table is the player's.
        int error = 0;
        if (ztReadWholeFile(scorePath, ztScoreFileSize, bytes, &error)) {
            scoreTable = ztDecodeScores(bytes.data(), bytes.size());
        } else {
            scoreFileUnreadable = true;
            scoreFileError = std::strerror(error);
        }
    } else {
        scoreTable = ztDefaultScores();
    }
    clearColor = 0;
    reloadMaps();
}

ZTWork::~ZTWork() {
    for (auto*& map : maps) {
        delete map;
        map = nullptr;
    }
    saveScores();
    scoreTable.clear();
}

bool ZTWork::saveScores(bool keepSequence) {
    klWrite("<ZTWork::saveScores>\n");
    if (scoreFileUnreadable) {
        klWrite(" score.dat could not be read at start (" + scoreFileError +
                "): it is kept as it is, not replaced by an empty table\n");
        return false;
    }
    const uint32_t state = kuRandomState;
    uint8_t key[16];
    ztDrawScoreKey(key);
    if (keepSequence) kuRandomState = state;
    const std::vector<uint8_t> bytes = ztEncodeScores(scoreTable, key);
    return kfSave(scorePath, bytes.data(), bytes.size());
}

void ZTWork::startGame(const ZTGameStart& start) {
    playerPos = KVector{0.0f, 0.0f, 0.0f};
    field = start.field;
    score = 0;
    extendStage = 0;
    left = 2;
    tail = start.tail;
    tailMax = start.tail;
    groundCount = 0;
    record = start.mode == ZTPlayMode::Recorded;
    markFlag = start.mark;
    replay = start.mode == ZTPlayMode::Replay || start.mark;
    if (!replay) language = gLanguage;
    kuSeed(920);
    if (gInput) {
        gInput->kimCursor = 0;
        gInput->kimRecordBuf.clear();
        if (!replay && record) gInput->kimRecording = true;
    }
    voxPlay(field == 12 ? "snd/MU02.ogg" : "snd/MU00.ogg", true);
}

void ZTWork::restartAfterMiss() {
    playerPos = KVector{0.0f, 0.0f, 0.0f};
    left -= 1;
    tail /= 2;
    if (tail < 1) tail = 1;
    groundCount = 0;
}

void ZTWork::nextField() {
    playerPos = KVector{0.0f, 0.0f, 0.0f};
    field += 1;
    groundCount = 0;
}

void ZTWork::addScore(uint32_t points) {
    // Add in 64 bits so a huge award cannot wrap round under the cap.
    const uint64_t sum = static_cast<uint64_t>(score) + points;
    score = sum > scoreCap ? scoreCap : static_cast<uint32_t>(sum);
    if (extendStage < 2 && score >= ztExtendScores[extendStage]) {
        kwPlay(10);
        left += 1;
        extendStage += 1;
    }
}

bool ZTWork::entryScore(const ZThiScore& entry) {
    if (scoreTable.empty()) return false;
    if (entry.score < scoreTable.back().score) return false;
    auto at = scoreTable.begin();
    while (at != scoreTable.end() && at->score > entry.score) ++at;
    ZThiScore copy = entry;
    copy.isNew = true;
    scoreTable.insert(at, copy);
    scoreTable.pop_back();
    return true;
}

ZTscoreTable::iterator ZTWork::findNewEntry() {
    for (auto it = scoreTable.begin(); it != scoreTable.end(); ++it)
        if (it->isNew) return it;
    return scoreTable.end();
}

void ZTWork::clearNewMarks() {
    for (auto& e : scoreTable) e.isNew = false;
}

void ZTWork::reloadMaps() {
    for (int i = 0; i < 4; ++i) {
        delete maps[i];
        char path[32];
        std::snprintf(path, sizeof path, "dat/m%02d.ztm", i);
        maps[i] = new ZTMap(path, ZTMap::columns, ZTMap::rows, 7);
    }
}

int ZTWork::finishPlay(bool recording) {
    if (!recording) return ZT_SCENE_TITLE;
    ZThiScore entry;
    entry.score = score;
    entry.field = static_cast<uint32_t>(field);
    entry.tail = static_cast<uint32_t>(tailMax);
    return entryScore(entry) ? ZT_SCENE_NAMING : ZT_SCENE_REPSAVE;
}
