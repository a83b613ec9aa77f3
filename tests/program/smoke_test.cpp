// Runs the real program in a real window on its own Xvfb display, ends it the ways a player
// does, and checks that it shut down cleanly: the log's first and last lines and zent.ini.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How long a program may take to shut down once asked (it returns as soon as it has).
constexpr int exitWait = 30000;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Starts a program; the child runs in `dir` with the extra environment entries.
pid_t spawn(const std::vector<std::string>& argv, const fs::path& dir,
            const std::vector<std::string>& env) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// Waits for a child up to `ms`; its exit status, or -1 if it is still running.
int waitFor(pid_t pid, int ms) {
    for (int waited = 0; waited <= ms; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        sleepMs(20);
    }
    return -1;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool"))
            GTEST_SKIP() << "Xvfb and xdotool are needed for a real window";
        // Xvfb picks a free display itself and names it once it takes connections, so two tests
        // starting at the same moment never share one.
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        xvfb = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                      "-nolisten", "tcp"},
                     {}, {});
        close(fds[1]);
        std::string number;
        pollfd ready{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 30000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display = ":" + number;
        ASSERT_FALSE(display.empty()) << "no display for Xvfb";
        root =
            fs::current_path() / (std::string("smoke_") +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        // A pixel/ folder makes it a game root: the program runs there, pictures or none.
        fs::create_directories(root / "pixel");
        std::ofstream(root / "zent.ini") << "[Debug]\nStage=4\n[Form]\nTop=30\nLeft=40\n";
    }
    void TearDown() override {
        if (game > 0 && waitFor(game, 0) < 0) {
            kill(game, SIGKILL);
            waitFor(game, 2000);
        }
        if (xvfb > 0) {
            kill(xvfb, SIGTERM);
            waitFor(xvfb, 5000);
        }
        if (!root.empty()) fs::remove_all(root);
    }

    void startGame() {
        game = spawn({ZT_PROGRAM}, root, {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy"});
        // Running once the log shows the scene runner set up, plus a few frames. A sanitizer
        // build on a busy machine may take many seconds to get there.
        for (int i = 0; i < 1200; ++i) {
            if (readText(root / "_ZT_Debug.log").find("keInitializeKilnEngine") !=
                std::string::npos)
                break;
            sleepMs(25);
        }
        sleepMs(700);
        ASSERT_EQ(waitFor(game, 0), -1) << "the program ended by itself";
    }

    void xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const pid_t p = spawn(argv, {}, {"DISPLAY=" + display});
        waitFor(p, 5000);
    }
    void pressEscape() {
        xdotool({"keydown", "Escape"});
        sleepMs(300);
        xdotool({"keyup", "Escape"});
    }

    void expectCleanShutdown(const char* place = "[Form]\nTop=30\nLeft=40\n") {
        const std::string log = readText(root / "_ZT_Debug.log");
        EXPECT_EQ(log.rfind("Zentaku Debug Log.\n\n", 0), 0u);
        ASSERT_GE(log.size(), 13u);
        EXPECT_EQ(log.substr(log.size() - 13), "\nEnd of Log.\n");
        EXPECT_NE(log.find("<KilnEngine::keDisposeKilnEngine>"), std::string::npos);
        EXPECT_NE(log.find("driver  = "), std::string::npos);
        const std::string ini = readText(root / "zent.ini");
        EXPECT_NE(ini.find("[Screen]\nWindowMode=1\nRefleshRate=60\nInt=1\n"), std::string::npos);
        EXPECT_NE(ini.find("Stage=4\n"), std::string::npos);
        EXPECT_NE(ini.find(place), std::string::npos) << ini;
    }

    std::string display;
    pid_t xvfb = -1, game = -1;
    fs::path root;
};
} // namespace

TEST_F(Program, EscapeEndsItCleanly) {
    startGame();
    pressEscape();
    EXPECT_EQ(waitFor(game, exitWait), 0);
    expectCleanShutdown();
}

TEST_F(Program, MovedWindowIsRememberedWhereItWasLeft) {
    startGame();
    xdotool({"search", "--name", "^Zentaku$", "windowmove", "200", "150"});
    sleepMs(300);
    pressEscape();
    EXPECT_EQ(waitFor(game, exitWait), 0);
    expectCleanShutdown("[Form]\nTop=150\nLeft=200\n");
}

TEST_F(Program, AskingTheWindowToCloseEndsItCleanly) {
    startGame();
    kill(game, SIGTERM); // SDL turns it into the same quit request as the close box
    EXPECT_EQ(waitFor(game, exitWait), 0);
    expectCleanShutdown();
}
