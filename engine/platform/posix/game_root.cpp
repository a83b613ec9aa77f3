#include "../game_root.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "../files.h"

namespace fs = std::filesystem;

namespace {

bool holdsPictures(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "pixel", ec);
}

// Maps and sets are the files the editors save: the per-user root gets its own copies.
bool editable(const fs::path& file) {
    return file.extension() == ".ztm" || file.extension() == ".zts";
}

bool copyMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) return true;
    const int in = pfOpen(from.c_str(), true, false);
    if (in == kPfInvalid) return false;
    const long long size = pfSize(in);
    std::vector<char> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    const bool read = size >= 0 && pfRead(in, bytes.data(), bytes.size()) == size;
    pfClose(in);
    // A file that appeared meanwhile is kept: the copy never replaces anything.
    return read && (pfWriteAtomic(to.c_str(), bytes.data(), bytes.size(), true) || fs::exists(to));
}

} // namespace

PfGameRoot pfFindGameRoot(const std::string& current, const std::string& executable,
                          const std::string& xdgDataHome, const std::string& home) {
    PfGameRoot found;
    if (!current.empty() && holdsPictures(current)) {
        found.root = current;
        return found;
    }
    fs::path user;
    // The base directory rules ignore a relative XDG_DATA_HOME.
    if (!xdgDataHome.empty() && xdgDataHome[0] == '/')
        user = fs::path(xdgDataHome) / "zentaku";
    else if (!home.empty())
        user = fs::path(home) / ".local/share/zentaku";
    const fs::path data =
        executable.empty()
            ? fs::path()
            : (fs::path(executable).parent_path() / "../share/zentaku").lexically_normal();
    if (!data.empty() && holdsPictures(data) && !user.empty()) {
        found.root = user.string();
        found.data = data.string();
        return found;
    }
    if (!user.empty() && holdsPictures(user)) {
        found.root = user.string(); // a player copied a whole game root there
        return found;
    }
    found.error = "no game data: neither the current folder";
    if (!data.empty()) found.error += " nor " + data.string();
    found.error += " holds a pixel/ folder";
    if (user.empty()) found.error += ", and neither HOME nor XDG_DATA_HOME is set";
    found.error += ". Start the game in its game root, or install it.";
    return found;
}

bool pfPrepareGameRoot(PfGameRoot& found) {
    if (found.data.empty()) return true;
    const fs::path root = found.root;
    std::error_code ec;
    fs::create_directories(root / "dat", ec);
    if (!ec) fs::create_directories(root / "rep", ec);
    if (ec) {
        found.error = "cannot make the game root " + root.string() + ": " + ec.message();
        return false;
    }
    const fs::path stock = fs::path(found.data) / "dat";
    for (const fs::directory_entry& e : fs::directory_iterator(stock, ec)) {
        if (!editable(e.path())) continue;
        if (!copyMissing(e.path(), root / "dat" / e.path().filename())) {
            found.error = "cannot copy " + e.path().string() + " into " + root.string();
            return false;
        }
    }
    return true;
}

PfGameRoot pfGameRoot() {
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    std::error_code ec;
#ifdef __EMSCRIPTEN__
    // The page mounts the game's data as an installed game's, under /zentaku/share/zentaku.
    const fs::path exe = "/zentaku/bin/zentaku";
#else
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
#endif
    PfGameRoot found = pfFindGameRoot(pfCurrentDir(), ec ? std::string() : exe.string(),
                                      env("XDG_DATA_HOME"), env("HOME"));
    if (found.error.empty()) pfPrepareGameRoot(found);
    return found;
}
