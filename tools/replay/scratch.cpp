#include "scratch.h"

#include <stdlib.h>

#include <string>

namespace fs = std::filesystem;

ZTScratch::ZTScratch(const fs::path& root, std::initializer_list<const char*> folders) {
    previous = fs::current_path();
    // The usual place for temporary folders, TMPDIR when it is set.
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zentaku_replay_XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    path = pattern;
    std::error_code ec;
    for (const char* folder : folders) {
        if (!fs::is_directory(root / folder)) continue;
        fs::create_directory_symlink(root / folder, path / folder, ec);
        if (ec) return;
    }
    fs::current_path(path, ec);
    ok = !ec;
}

ZTScratch::~ZTScratch() {
    std::error_code ec;
    fs::current_path(previous, ec);
    if (!path.empty()) fs::remove_all(path, ec);
}
