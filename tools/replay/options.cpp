#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Mode = ZTReplayOptions::Mode;

// Which forms an option goes with, as bits of the modes.
constexpr unsigned bit(Mode m) {
    return 1u << m;
}
constexpr unsigned kExports = bit(Mode::Export) | bit(Mode::Video) | bit(Mode::Audio);

struct Option {
    const char* name;
    const char* value; // what it takes, for the messages and the help; null: nothing
    int mode;          // -1: not a form; else the form this option chooses, its value the target
    unsigned with;     // the forms it goes with (0: every one)
    const char* help;
    // Takes the value; false when it is not one the option accepts (the message says why).
    bool (*take)(const char* value, ZTReplayOptions& o, std::string& why);
};

bool wholeNumber(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < low || v > high) return false;
    out = v;
    return true;
}

bool takeTarget(const char* v, ZTReplayOptions& o, std::string&) {
    o.target = v;
    return true;
}

const Option kOptions[] = {
    {"--export", "DIR", Mode::Export, 0,
     "write every frame as the game draws it to DIR/000001.png and on (640x480)", takeTarget},
    {"--video", "OUT.mp4", Mode::Video, 0,
     "make a video with the play's sound through ffmpeg (found on PATH): H.264 at 60 "
     "frames per second, AAC",
     takeTarget},
    {"--audio", "OUT.wav", Mode::Audio, 0,
     "write the play's sound alone, 16-bit stereo at 44.1 kHz", takeTarget},
    {"--check", "DIR", Mode::Check, 0, "check every .rep file in DIR, one line per file",
     takeTarget},
    {"--pilot", "NEW_FILE", Mode::Pilot, 0, "record a play of the automatic player to a new file",
     takeTarget},
    {"--hashes", nullptr, Mode::Hashes, 0,
     "print the state hash of every frame (frame and hash, one line each) instead, for "
     "comparing two builds",
     [](const char*, ZTReplayOptions&, std::string&) { return true; }},
    {"--from", "FRAME|M:SS", -1, kExports,
     "export from this frame (frames count from 1) or this moment of the play",
     [](const char* v, ZTReplayOptions& o, std::string& why) {
         why = "--from takes a frame number or a time as m:ss";
         return ztParseFrameOrTime(v, false, o.from);
     }},
    {"--to", "FRAME|M:SS", -1, kExports, "export up to this frame, or up to this moment",
     [](const char* v, ZTReplayOptions& o, std::string& why) {
         why = "--to takes a frame number or a time as m:ss";
         return ztParseFrameOrTime(v, true, o.to);
     }},
    {"--scale", "N", -1, bit(Mode::Export) | bit(Mode::Video),
     "with --export or --video: enlarge N times (1 to 8), sharp pixels",
     [](const char* v, ZTReplayOptions& o, std::string& why) {
         long n = 0;
         why = "--scale takes a whole number from 1 to 8";
         if (!wholeNumber(v, 1, 8, n)) return false;
         o.scale = static_cast<int>(n);
         return true;
     }},
    {"--volumes", nullptr, -1, bit(Mode::Video) | bit(Mode::Audio),
     "with --video or --audio: the music and effect volumes of GAME_ROOT's zent.ini",
     [](const char*, ZTReplayOptions& o, std::string&) { return o.volumes = true; }},
    {"--minutes", "M", -1, bit(Mode::Pilot), "with --pilot: make the play about M minutes long",
     [](const char* v, ZTReplayOptions& o, std::string& why) {
         long n = 0;
         why = "--minutes takes a whole number from 1 to 60";
         if (!wholeNumber(v, 1, 60, n)) return false;
         o.minutes = static_cast<int>(n);
         return true;
     }},
    {"--help", nullptr, -1, 0, "show this help",
     [](const char*, ZTReplayOptions& o, std::string&) { return o.help = true; }},
    {"--version", nullptr, -1, 0, "show the version",
     [](const char*, ZTReplayOptions& o, std::string&) { return o.version = true; }},
};

const Option* findOption(const std::string& name) {
    if (name == "-h") return findOption("--help");
    for (const Option& o : kOptions)
        if (name == o.name) return &o;
    return nullptr;
}

} // namespace

bool ztParseFrameOrTime(const std::string& text, bool rangeEnd, uint32_t& frame) {
    const size_t colon = text.find(':');
    long value = 0;
    if (colon == std::string::npos) {
        if (!wholeNumber(text.c_str(), 1, 1L << 30, value)) return false;
        frame = static_cast<uint32_t>(value);
        return true;
    }
    const std::string m = text.substr(0, colon), s = text.substr(colon + 1);
    long minutes = 0, seconds = 0;
    if (s.size() != 2 || !wholeNumber(m.c_str(), 0, 100000, minutes) ||
        !wholeNumber(s.c_str(), 0, 59, seconds))
        return false;
    const long at = (minutes * 60 + seconds) * 60;
    if (rangeEnd && at == 0) return false; // nothing lies before the start
    frame = static_cast<uint32_t>(rangeEnd ? at : at + 1);
    return true;
}

bool ztParseOptions(int argc, char** argv, ZTReplayOptions& o) {
    std::vector<std::string> plain;
    std::vector<const Option*> given;
    bool modeSet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.size() < 2 || a[0] != '-') {
            plain.push_back(a);
            continue;
        }
        const Option* opt = findOption(a);
        if (!opt) {
            o.error = "unknown option " + a;
            return false;
        }
        const char* value = nullptr;
        if (opt->value) {
            if (i + 1 >= argc) {
                o.error = a + " needs " + opt->value;
                return false;
            }
            value = argv[++i];
        }
        if (opt->mode >= 0) {
            if (modeSet) {
                o.error =
                    "only one of --export, --video, --audio, --check, --pilot, --hashes at a time";
                return false;
            }
            modeSet = true;
            o.mode = static_cast<Mode>(opt->mode);
        }
        std::string why;
        if (!opt->take(value, o, why)) {
            o.error = why;
            return false;
        }
        given.push_back(opt);
    }
    if (o.help || o.version) return true;
    for (const Option* opt : given) {
        if (opt->with == 0 || (opt->with & bit(o.mode))) continue;
        std::string forms;
        for (const Option& m : kOptions)
            if (m.mode >= 0 && (opt->with & bit(static_cast<Mode>(m.mode))))
                forms += std::string(forms.empty() ? "" : " or ") + m.name;
        o.error = std::string(opt->name) + " goes with " + forms;
        return false;
    }
    if (o.to != 0 && o.to < o.from) {
        o.error = "--to lies before --from";
        return false;
    }
    // The pilot and the folder check read no replay file: their only plain word is the root.
    const bool takesFile = o.mode != Mode::Pilot && o.mode != Mode::Check;
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
                 "       %s --export DIR [--from F] [--to F] [--scale N] FILE [GAME_ROOT]\n"
                 "       %s --video OUT.mp4 [--from F] [--to F] [--scale N] [--volumes] FILE "
                 "[GAME_ROOT]\n"
                 "       %s --audio OUT.wav [--from F] [--to F] [--volumes] FILE [GAME_ROOT]\n"
                 "       %s --check DIR [GAME_ROOT]\n"
                 "       %s --pilot NEW_FILE [--minutes M] [GAME_ROOT]\n"
                 "       %s --hashes FILE [GAME_ROOT]\n"
                 "       %s --help | --version\n",
                 tool, tool, tool, tool, tool, tool, tool, tool);
}

void ztPrintHelp(const char* tool) {
    std::printf("usage: %s [OPTION]... FILE [GAME_ROOT]\n"
                "Plays a Zentaku replay file without a window, as fast as the machine allows, "
                "from the\ngame start through every scene of the play.\n\n"
                "  FILE [GAME_ROOT]          check that the play ends as the file's header says\n"
                "                            (frames, score, field, highest tail)\n",
                tool);
    for (const Option& o : kOptions) {
        std::string head = std::string(o.name) + (o.value ? std::string(" ") + o.value : "");
        if (std::string(o.name) == "--help") head = "-h, --help";
        // The help wrapped at 78 columns beside its option.
        std::string text = o.help;
        bool firstLine = true;
        while (!text.empty()) {
            size_t cut = text.size();
            if (cut > 50) {
                cut = text.rfind(' ', 50);
                if (cut == std::string::npos) cut = 50;
            }
            std::printf("  %-25s %s\n", firstLine ? head.c_str() : "", text.substr(0, cut).c_str());
            text = cut < text.size() ? text.substr(cut + 1) : "";
            firstLine = false;
        }
    }
    std::printf(
        "\nGAME_ROOT holds the game's dat/, pixel/ and snd/. Without it the root is found as the\n"
        "game finds it: the current folder when it holds pixel/, else the per-user root beside\n"
        "the installed data. Nothing is written there: plays run in a scratch folder. Long\n"
        "runs show their progress when stderr is a terminal.\n"
        "\n"
        "Exit status: 0 the play ended as its file says (for --check: every file did);\n"
        "1 it did not (a desync; exports still write what was played); 2 FILE is not a whole\n"
        "replay file; 3 bad arguments, no game root, ffmpeg missing, or something could not be\n"
        "written.\n");
}
