#pragma once
// A scratch folder made current for a headless play: the game work reads the root's data
// through links and writes its score file here, never into the game root.
#include <filesystem>
#include <initializer_list>

class ZTScratch {
public:
    // Links each named folder of the root (those that exist) into the scratch folder.
    ZTScratch(const std::filesystem::path& root, std::initializer_list<const char*> folders);
    ~ZTScratch();
    ZTScratch(const ZTScratch&) = delete;
    ZTScratch& operator=(const ZTScratch&) = delete;

    bool ok = false;
    std::filesystem::path path;

private:
    std::filesystem::path previous;
};
