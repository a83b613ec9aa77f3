// The difficulty tool as the report runs it, cut down to seconds: two fields, two tries, and the
// searching player's replay played on the tests' own root. What it writes lands where the caller
// asked, relative paths meaning the caller's folder, and nothing else appears there.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "files.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
    return out;
}

std::string tool(const std::string& args) {
    return std::string(ZT_DIFFICULTY_TOOL) + " " + args + " 2>&1";
}

} // namespace

TEST(DifficultyTool, WritesTheTableAndChartWhereAskedAndNothingElse) {
    ScratchDir caller;
    fs::create_directory("out");
    // Every folder and file given by a path relative to the caller's folder.
    fs::create_directory_symlink(ZT_DAT_SOURCE, "sources");
    fs::create_directory_symlink(ZT_ROOT, "root");
    fs::create_symlink(std::string(ZT_REPLAY_DATA) + "/ending.rep", "ending.rep");
    const std::set<std::string> before = namesIn(".");
    const CommandRun r = runCommand(tool("--fields 1-2 --tries 2 --only usual --dat sources "
                                         "--search ending.rep --root root "
                                         "--table out/table.md --chart chart.svg"));
    ASSERT_EQ(r.status, 0) << r.output;

    std::set<std::string> expected = before;
    expected.insert("chart.svg");
    EXPECT_EQ(namesIn("."), expected) << "the replay's score file or a stray output landed here";
    EXPECT_EQ(namesIn("out"), std::set<std::string>{"table.md"});

    const std::string table = readText("out/table.md");
    for (const char* row : {"\n| 1 | ", "\n| 2 | ", "### The usual player", "### The curve",
                            "closest call", "The searching player's replay"})
        EXPECT_NE(table.find(row), std::string::npos) << row << " is missing from\n" << table;
    EXPECT_NE(table.find("(2 of 2)"), std::string::npos) << "each field had both tries";
    EXPECT_EQ(table.find("| 3 | "), std::string::npos) << "only the fields asked for";

    const std::string chart = readText("chart.svg");
    EXPECT_EQ(chart.rfind("<svg", 0), 0u);
    EXPECT_NE(chart.find("<polyline"), std::string::npos);
}

TEST(DifficultyTool, BadArgumentsEndWithThreeBeforeAnythingIsWritten) {
    ScratchDir caller;
    for (const char* args :
         {"--fields 0-2", "--fields 3-1", "--fields 1", "--tail 0", "--tries 0", "--jobs 65",
          "--only nobody", "--skill 6,12", "--search missing.rep", "--prefix x", "--table"}) {
        const CommandRun r = runCommand(tool(std::string("--chart c.svg ") + args));
        EXPECT_EQ(r.status, 3) << args << ": " << r.output;
        EXPECT_FALSE(fs::exists("c.svg")) << args;
    }
    const CommandRun help = runCommand(tool("--help"));
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--search FILE"), std::string::npos);
}
