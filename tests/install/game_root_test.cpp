// Where an installed game plays: the current folder when it is a game root, else a per-user root
// beside read-only installed data; and what the programs do when there is no data at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "file.h"
#include "files.h"
#include "platform/files.h"
#include "platform/game_root.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder with an installed prefix (bin/ and share/zentaku/), a home and a current
// folder that is not a game root.
class GameRoot : public ::testing::Test {
protected:
    void SetUp() override {
        base = dir.path;
        for (const char* d : {"usr/bin", "usr/share/zentaku/pixel", "usr/share/zentaku/dat",
                              "usr/share/zentaku/text/ja", "home", "here"})
            fs::create_directories(base / d);
        writeText(share() / "dat/m00.ztm", "stock map");
        writeText(share() / "dat/s01.zts", "stock set");
        writeText(share() / "text/ja/kaiwa0.txt", "stock talk");
        writeText(share() / "pixel/sys.dat", "stock pixels");
    }
    void TearDown() override { pfSetDataDir(""); }

    fs::path share() const { return base / "usr/share/zentaku"; }
    fs::path user() const { return base / "home/.local/share/zentaku"; }
    PfGameRoot find(const fs::path& current, const fs::path& exe, const std::string& xdg = "") {
        return pfFindGameRoot(current.string(), exe.string(), xdg, (base / "home").string());
    }

    ScratchDir dir;
    fs::path base;
};

// Runs a program from `current` with HOME in the scratch folder and no XDG_DATA_HOME or display.
int run(const fs::path& program, const std::string& args, const fs::path& current,
        const fs::path& home, std::string& err) {
    const std::string command = "cd '" + current.string() +
                                "' && env -u XDG_DATA_HOME -u DISPLAY " +
                                "-u WAYLAND_DISPLAY HOME='" + home.string() + "' '" +
                                program.string() + "'" + args + " 2>&1 >/dev/null";
    const CommandRun r = runCommand(command);
    err = r.output;
    return r.status;
}

} // namespace

TEST_F(GameRoot, LookupRules) {
    const fs::path exe = base / "usr/bin/zentaku";
    fs::create_directories(base / "moved/usr/share/zentaku/pixel");
    fs::create_directories(base / "game/pixel");
    struct Case {
        const char* what;
        fs::path current, exe;
        std::string xdg;
        fs::path root, data;
    } cases[] = {
        {"a current folder with pixel/ wins", base / "game", exe, "", base / "game", ""},
        {"otherwise the per-user root", base / "here", exe, "", user(), share()},
        {"XDG_DATA_HOME places it", base / "here", exe, (base / "xdg").string(),
         base / "xdg/zentaku", share()},
        {"a relative XDG_DATA_HOME is ignored", base / "here", exe, "xdg", user(), share()},
        {"a moved prefix finds its own data", base / "here", base / "moved/usr/bin/zentaku", "",
         user(), base / "moved/usr/share/zentaku"},
    };
    for (const Case& c : cases) {
        const PfGameRoot r = find(c.current, c.exe, c.xdg);
        EXPECT_EQ(r.error, "") << c.what;
        EXPECT_EQ(r.root, c.root.string()) << c.what;
        EXPECT_EQ(r.data, c.data.string()) << c.what;
    }

    const PfGameRoot none = find(base / "here", base / "elsewhere/bin/zentaku");
    EXPECT_EQ(none.root, "");
    EXPECT_NE(none.error.find("no game data"), std::string::npos) << none.error;
    EXPECT_FALSE(fs::exists(user())) << "the lookup alone makes nothing";
}

TEST_F(GameRoot, FirstStartCopiesMapsAndSetsButNeverOverAFileThere) {
    fs::create_directories(user() / "dat");
    writeText(user() / "dat/m00.ztm", "my map");
    PfGameRoot r = find(base / "here", base / "usr/bin/zentaku");
    ASSERT_TRUE(pfPrepareGameRoot(r)) << r.error;
    EXPECT_EQ(readText(user() / "dat/m00.ztm"), "my map");
    EXPECT_EQ(readText(user() / "dat/s01.zts"), "stock set");
    EXPECT_FALSE(fs::exists(user() / "text")) << "texts stay in the installed data";
    EXPECT_FALSE(fs::exists(user() / "pixel"));
    EXPECT_TRUE(fs::is_directory(user() / "rep"));

    writeText(user() / "dat/s01.zts", "my set");
    ASSERT_TRUE(pfPrepareGameRoot(r));
    EXPECT_EQ(readText(user() / "dat/s01.zts"), "my set");
}

TEST_F(GameRoot, InstalledDataServesReadsAndTheRootTakesWrites) {
    fs::current_path(base / "here");
    fs::create_directories("dat");
    writeText("dat/s01.zts", "my set");
    pfSetDataDir(share().string());
    auto readAll = [](const char* path) {
        KFFile f(path, KFFile::Read);
        std::string s(f.size(), '\0');
        f.read(s.data(), static_cast<uint32_t>(s.size()));
        return s;
    };
    EXPECT_EQ(readAll("text/ja/kaiwa0.txt"), "stock talk");
    EXPECT_EQ(readAll("dat/s01.zts"), "my set") << "the root's own file comes first";
    EXPECT_EQ(pfDataPath("pixel/sys.dat"), (share() / "pixel/sys.dat").string());
    {
        KFFile f("dat/m00.ztm", KFFile::Write);
        EXPECT_EQ(f.write("new", 3), 3u);
    }
    EXPECT_EQ(readText("dat/m00.ztm"), "new");
    EXPECT_EQ(readText(share() / "dat/m00.ztm"), "stock map");
}

TEST_F(GameRoot, NoDataAnywhereStopsThePrograms) {
    const struct {
        const char* program;
        const char* arg;
        int status;
    } programs[] = {{ZT_PROGRAM, "", 2}, {ZT_REPLAY_TOOL, " some.rep", 3}};
    for (const auto& p : programs) {
        // A copy outside any prefix: nothing installed beside it.
        const fs::path copy = base / "bin" / fs::path(p.program).filename();
        fs::create_directories(copy.parent_path());
        fs::copy_file(p.program, copy, fs::copy_options::overwrite_existing);
        std::string err;
        EXPECT_EQ(run(copy, p.arg, base / "here", base / "home", err), p.status) << p.program;
        EXPECT_NE(err.find("no game data"), std::string::npos) << err;
        EXPECT_TRUE(fs::is_empty(base / "here")) << "nothing written where it was started";
        EXPECT_TRUE(fs::is_empty(base / "home"));
    }
}
