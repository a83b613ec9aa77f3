#include "scratch.h"

#include <stdlib.h>

#include <string>

namespace fs = std::filesystem;

ZTScratch::ZTScratch(const fs::path& root, std::initializer_list<const char*> linked) {
    if (!make()) return;
    std::error_code ec;
    for (const char* folder : linked) {
        if (!fs::is_directory(root / folder)) continue;
        fs::create_directory_symlink(fs::absolute(root) / folder, path / folder, ec);
        if (ec) return;
    }
    ok = enter();
}

ZTScratch::ZTScratch(std::initializer_list<const char*> made) {
    if (!make()) return;
    std::error_code ec;
    for (const char* folder : made)
        if (!fs::create_directory(path / folder, ec)) return;
    ok = enter();
}

ZTScratch::~ZTScratch() {
    std::error_code ec;
    if (!previous.empty()) fs::current_path(previous, ec);
    if (!path.empty() && !keep) fs::remove_all(path, ec);
}

bool ZTScratch::make() {
    // The usual place for temporary folders, TMPDIR when it is set.
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zentaku_XXXXXX";
    if (!mkdtemp(pattern.data())) return false;
    std::error_code ec;
    path = fs::absolute(pattern, ec);
    if (ec) path = pattern;
    return !ec;
}

bool ZTScratch::enter() {
    std::error_code ec;
    previous = fs::current_path(ec);
    if (ec) return false;
    fs::current_path(path, ec);
    if (ec) previous.clear();
    return !ec;
}
