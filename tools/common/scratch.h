#pragma once
// A scratch game root: a fresh temporary folder, made current for its owner's lifetime and
// removed afterwards. A headless play reads its data there (through links into a real root, or
// from files the owner writes) and writes its score file and log there, never into a game root.
#include <filesystem>
#include <initializer_list>

class ZTScratch {
public:
    // Links each named folder of `root` that exists into the scratch folder.
    ZTScratch(const std::filesystem::path& root, std::initializer_list<const char*> linked);
    // Makes each named folder, empty.
    explicit ZTScratch(std::initializer_list<const char*> made = {});
    ~ZTScratch();
    ZTScratch(const ZTScratch&) = delete;
    ZTScratch& operator=(const ZTScratch&) = delete;

    bool ok = false;            // made, filled as asked and current
    std::filesystem::path path; // absolute
    bool keep = false;          // left in place at the end, to be looked at

private:
    bool make();
    bool enter();

    std::filesystem::path previous;
};
