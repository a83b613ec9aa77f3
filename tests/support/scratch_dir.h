#pragma once
#include <string>

// A fresh temporary folder holding empty dat/ and rep/, made current for the owner's lifetime and
// removed afterwards, so that nothing a test writes lands in the build tree.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path;

private:
    std::string previous;
};
