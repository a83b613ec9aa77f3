#include "scratch_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    previous = fs::current_path().string();
    char pattern[] = "/tmp/zt_test_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    path = made;
    fs::current_path(path);
    fs::create_directory("dat");
    fs::create_directory("rep");
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}
