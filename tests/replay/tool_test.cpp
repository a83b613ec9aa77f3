// The batch verifier as CI runs it: the committed play passes, and a file that was tampered
// with, cut short or steered differently is caught.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/replay_file.h"
#include "files.h"
#include "rep_world.h"

namespace {

CommandRun runTool(const std::string& file) {
    const std::string command =
        std::string(ZT_REPLAY_TOOL) + " '" + file + "' '" + ZT_ROOT + "' 2>/dev/null";
    return runCommand(command);
}

std::string line(const std::string& output, const std::string& key) {
    const size_t at = output.find(key + " ");
    if (at == std::string::npos) return {};
    return output.substr(at + key.size() + 1, output.find('\n', at) - at - key.size() - 1);
}

} // namespace

TEST(ReplayTool, TheCommittedPlayEndsAsItsHeaderSays) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));
    EXPECT_GE(header.field, 3u) << "the play cleared two fields";

    const CommandRun r = runTool(ZT_RECORDED_PLAY);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(line(r.output, "frames"), std::to_string(header.frames));
    EXPECT_EQ(line(r.output, "score"), std::to_string(header.score));
    EXPECT_EQ(line(r.output, "field"), std::to_string(header.field));
    EXPECT_EQ(line(r.output, "tail"), std::to_string(header.tail));
    EXPECT_EQ(line(r.output, "hash").size(), 16u);
}

TEST(ReplayTool, TamperedCutOrSteeredFilesFail) {
    RepDir dir;
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));

    ZTReplayHeader richer = header;
    richer.score += 10;
    writeBytes("score.rep", ztBuildReplay(richer, words));
    EXPECT_EQ(runTool("score.rep").status, 1) << "a score the play never made";

    // Blowing the tank up in the middle of the first field changes the whole play after it.
    std::vector<uint32_t> steered = words;
    steered[800] = KI_BUTTON3;
    writeBytes("steered.rep", ztBuildReplay(header, steered));
    const CommandRun s = runTool("steered.rep");
    EXPECT_EQ(s.status, 1);
    EXPECT_NE(line(s.output, "hash"), line(runTool(ZT_RECORDED_PLAY).output, "hash"));

    std::vector<uint8_t> cut = ztBuildReplay(header, words);
    cut.resize(cut.size() - 1);
    writeBytes("cut.rep", cut);
    EXPECT_EQ(runTool("cut.rep").status, 2);
    EXPECT_EQ(runTool("missing.rep").status, 2);
}

// With nowhere to make a scratch folder the tool cannot play at all: that is not a failed replay
// (exit 1) but a tool that could not run (exit 3), file by file and folder by folder alike.
TEST(ReplayTool, NoScratchFolderExitsThreeInBothForms) {
    RepDir dir;
    writeBytes("rep/a.rep", readBytes(ZT_RECORDED_PLAY));
    const std::string noPlace = "TMPDIR=/nonexistent/zentaku ";
    const std::string root = std::string(" '") + ZT_ROOT + "'";
    const CommandRun one = runCommand(noPlace + ZT_REPLAY_TOOL + " rep/a.rep" + root + " 2>&1");
    EXPECT_EQ(one.status, 3) << one.output;
    const CommandRun folder =
        runCommand(noPlace + ZT_REPLAY_TOOL + " --check rep" + root + " 2>&1");
    EXPECT_EQ(folder.status, 3) << folder.output;
    EXPECT_NE(folder.output.find("cannot make a scratch folder"), std::string::npos);
    EXPECT_EQ(runTool("rep/a.rep").status, 0) << "with a place to play it passes";
}
