// The replay tool's command line: frames and times, and which options go together.
#include <gtest/gtest.h>

#include <vector>

#include "options.h"

TEST(ReplayOptions, FramesTimesAndTheFormsEachOptionGoesWith) {
    struct Case {
        const char* text;
        bool end;
        bool ok;
        uint32_t frame;
    };
    const Case cases[] = {
        {"754", false, true, 754}, {"1:05", false, true, 3901}, {"1:05", true, true, 3900},
        {"0:00", false, true, 1},  {"0:00", true, false, 0},    {"1:5", false, false, 0},
        {"0", false, false, 0},    {"1:60", false, false, 0},   {"x", false, false, 0},
    };
    for (const Case& c : cases) {
        uint32_t frame = 0;
        EXPECT_EQ(ztParseFrameOrTime(c.text, c.end, frame), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(frame, c.frame) << c.text;
        }
    }
    struct Line {
        std::vector<const char*> args;
        const char* error; // empty: taken
    };
    const Line lines[] = {
        {{"--export", "d", "--from", "2:00", "--to", "3:00", "--scale", "2", "f"}, ""},
        {{"--audio", "a.wav", "--volumes", "f", "root"}, ""},
        {{"--export", "d", "--volumes", "f"}, "--volumes goes with --video or --audio"},
        {{"--from", "10", "f"}, "--from goes with --export or --video or --audio"},
        {{"--video", "v.mp4", "--from", "20", "--to", "10", "f"}, "--to lies before --from"},
        {{"--check", "d", "--export", "e"}, "only one of"},
        {{"--export", "d", "--to", "1:5", "f"}, "--to takes a frame number or a time as m:ss"},
    };
    for (const Line& l : lines) {
        std::vector<char*> argv{const_cast<char*>("zentaku-replay")};
        for (const char* a : l.args) argv.push_back(const_cast<char*>(a));
        ZTReplayOptions o;
        const bool ok = ztParseOptions(static_cast<int>(argv.size()), argv.data(), o);
        EXPECT_EQ(ok, *l.error == 0) << l.args[0] << " " << o.error;
        if (*l.error) {
            EXPECT_EQ(o.error.find(l.error), 0u) << o.error;
        }
    }
}
