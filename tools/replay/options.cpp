#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
bool wholeNumber(const char* text, int low, int high, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}
} // namespace

bool ztParseOptions(int argc, char** argv, ZTReplayOptions& o) {
    std::vector<std::string> plain;
    bool modeSet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 < argc) return argv[++i];
            o.error = a + " needs " + what;
            return nullptr;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--scale" || a == "--minutes") {
            const char* v = value("a number");
            if (!v) return false;
            const bool scale = a == "--scale";
            if (!wholeNumber(v, 1, scale ? 8 : 60, scale ? o.scale : o.minutes)) {
                o.error = a + (scale ? " takes a whole number from 1 to 8"
                                     : " takes a whole number from 1 to 60");
                return false;
            }
        } else if (a == "--pilot" || a == "--export" || a == "--video" || a == "--check") {
            if (modeSet) {
                o.error = "only one of --pilot, --export, --video, --check, --hashes at a time";
                return false;
            }
            const char* v = value(a == "--export" || a == "--check" ? "a folder" : "a file name");
            if (!v) return false;
            modeSet = true;
            o.target = v;
            o.mode = a == "--pilot"    ? ZTReplayOptions::Pilot
                     : a == "--export" ? ZTReplayOptions::Export
                     : a == "--video"  ? ZTReplayOptions::Video
                                       : ZTReplayOptions::Check;
        } else if (a == "--hashes") {
            if (modeSet) {
                o.error = "only one of --pilot, --export, --video, --check, --hashes at a time";
                return false;
            }
            modeSet = true;
            o.mode = ZTReplayOptions::Hashes;
        } else if (a.size() > 1 && a[0] == '-') {
            o.error = "unknown option " + a;
            return false;
        } else {
            plain.push_back(a);
        }
    }
    if (o.help || o.version) return true;
    if (o.scale != 1 && o.mode != ZTReplayOptions::Video) {
        o.error = "--scale goes with --video";
        return false;
    }
    if (o.minutes != 0 && o.mode != ZTReplayOptions::Pilot) {
        o.error = "--minutes goes with --pilot";
        return false;
    }
    // The pilot and the folder check read no replay file: their only plain word is the root.
    const bool takesFile = o.mode != ZTReplayOptions::Pilot && o.mode != ZTReplayOptions::Check;
    const size_t least = takesFile ? 1 : 0;
    if (plain.size() < least || plain.size() > least + 1) {
        o.error = plain.size() < least ? "which replay file?" : "too many arguments";
        return false;
    }
    if (takesFile) o.file = plain[0];
    if (plain.size() > least) o.root = plain[least];
    return true;
}

void ztPrintUsage(const char* tool) {
    std::fprintf(stderr,
                 "usage: %s FILE [GAME_ROOT]\n"
                 "       %s --export DIR FILE [GAME_ROOT]\n"
                 "       %s --video OUT.mp4 [--scale N] FILE [GAME_ROOT]\n"
                 "       %s --check DIR [GAME_ROOT]\n"
                 "       %s --hashes FILE [GAME_ROOT]\n"
                 "       %s --pilot NEW_FILE [--minutes M] [GAME_ROOT]\n"
                 "       %s --help | --version\n",
                 tool, tool, tool, tool, tool, tool, tool);
}

void ztPrintHelp(const char* tool) {
    std::printf(
        "usage: %s [OPTION] FILE [GAME_ROOT]\n"
        "Plays a Zentaku replay file without a window, as fast as the machine allows, from the\n"
        "game start through every scene of the play.\n"
        "\n"
        "  FILE [GAME_ROOT]             check that the play ends as the file's header says\n"
        "                               (frames, score, field, highest tail)\n"
        "  --export DIR FILE [ROOT]     write every frame as the game draws it to\n"
        "                               DIR/000001.png and on (640x480)\n"
        "  --video OUT.mp4 FILE [ROOT]  make a video with the play's sound through ffmpeg\n"
        "                               (found on PATH): H.264 at 60 frames per second, AAC\n"
        "  --scale N                    with --video: enlarge N times (1 to 8), sharp pixels\n"
        "  --check DIR [ROOT]           check every .rep file in DIR, one line per file\n"
        "  --hashes FILE [ROOT]         play FILE and print the state hash of every frame,\n"
        "                               one line each: the frame (from 1) and 16 hex digits;\n"
        "                               two builds that print the same stream played alike\n"
        "  --pilot NEW_FILE [ROOT]      record a play of the automatic player to a new file\n"
        "  --minutes M                  with --pilot: make the play about M minutes long\n"
        "  -h, --help                   show this help\n"
        "  --version                    show the version\n"
        "\n"
        "GAME_ROOT holds the game's dat/, pixel/ and snd/. Without it the root is found as the\n"
        "game finds it: the current folder when it holds pixel/, else the per-user root beside\n"
        "the installed data. Nothing is written there: plays run in a scratch folder. Long\n"
        "exports show their progress when stderr is a terminal.\n"
        "\n"
        "Exit status: 0 the play ended as its file says (for --check: every file did);\n"
        "1 it did not (a desync; exports still write what was played); 2 FILE is not a whole\n"
        "replay file; 3 bad arguments, no game root, no scratch folder to play in (made below\n"
        "TMPDIR, else /tmp), ffmpeg missing, or something could not be written.\n",
        tool);
}
