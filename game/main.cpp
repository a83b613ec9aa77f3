// The program: finds its game root, starts the SDL platform and the main form, and runs one frame
// per turn until the form is done.
#include <cstdio>
#include <cstring>

#include "main_form.h"
#include "platform/files.h"
#include "platform/game_root.h"
#include "platform/sdl/sdl_platform.h"
#include "random.h"

namespace {
constexpr const char* kUsage =
    "usage: zentaku [--help | --version]\n"
    "\n"
    "A top-down tank action game. It runs in the current folder when that holds the game's\n"
    "pixel/ folder; otherwise in $XDG_DATA_HOME/zentaku (default ~/.local/share/zentaku), made on\n"
    "first start, with pictures, sounds and texts read from the installed data.\n"
    "Exit status: 0 ended normally, 1 the game stopped on an error, 2 no game data or no window,\n"
    "3 bad arguments.\n";
} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const bool help = std::strcmp(argv[1], "--help") == 0;
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            std::printf("zentaku %s\n", ZT_VERSION);
            return 0;
        }
        std::fputs(kUsage, help && argc == 2 ? stdout : stderr);
        return help && argc == 2 ? 0 : 3;
    }
    // Without pictures there is nothing to show: stop before any window opens.
    const PfGameRoot root = pfGameRoot();
    if (!root.error.empty()) {
        std::fprintf(stderr, "zentaku: %s\n", root.error.c_str());
        return 2;
    }
    if (!pfChangeDir(root.root.c_str())) {
        std::fprintf(stderr, "zentaku: cannot enter the game root %s\n", root.root.c_str());
        return 2;
    }
    pfSetDataDir(root.data);

    SdlPlatform platform;
    if (!platform.ok()) {
        std::fprintf(stderr, "zentaku: SDL could not start\n");
        return 2;
    }
    kuSeed(1);
    auto* form = new TForm1();
    while (form->AppIdle()) {}
    const int code = form->exitCode;
    delete form;
    return code;
}
