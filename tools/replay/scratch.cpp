#include "scratch.h"

#include <stdlib.h>

namespace fs = std::filesystem;

ZTScratch::ZTScratch(const fs::path& root, std::initializer_list<const char*> folders) {
    previous = fs::current_path();
    char pattern[] = "/tmp/zentaku_replay_XXXXXX";
    if (!mkdtemp(pattern)) return;
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
