#include "rep_world.h"

#include <filesystem>

#include "data/replay_file.h"
#include "replay_store.h"

namespace fs = std::filesystem;

RepDir::RepDir(bool stockData) {
    if (!stockData) return;
    fs::remove("dat");
    fs::create_directory_symlink(fs::path(ZT_ROOT) / "dat", "dat");
    fs::create_directory_symlink(ZT_TEXT_STOCK, "text");
}

std::tm FakeClock::now{};

namespace {
std::tm fakeNow() {
    return FakeClock::now;
}
} // namespace

FakeClock::FakeClock(int year, int month, int day, int hour, int minute, int second) {
    now = std::tm{};
    now.tm_year = year - 1900;
    now.tm_mon = month - 1;
    now.tm_mday = day;
    now.tm_hour = hour;
    now.tm_min = minute;
    now.tm_sec = second;
    now.tm_isdst = 0;
    ztReplayClock = fakeNow;
}

FakeClock::~FakeClock() {
    ztReplayClock = [] {
        const std::time_t t = std::time(nullptr);
        std::tm out{};
        localtime_r(&t, &out);
        return out;
    };
}

void FakeClock::advance(int seconds) {
    // timegm/gmtime keep the arithmetic free of the machine's time zone.
    std::time_t t = timegm(&now) + seconds;
    gmtime_r(&t, &now);
}

void writeRepFile(const std::string& name, uint32_t score, uint32_t field, uint32_t tail,
                  const std::vector<uint32_t>& words) {
    ZTReplayHeader h;
    h.score = score;
    h.field = field;
    h.tail = tail;
    writeBytes("rep/" + name, ztBuildReplay(h, words));
}
