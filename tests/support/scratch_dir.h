#pragma once
#include <string>

#include "scratch.h"

// The tests' private game root: a scratch folder with empty dat/ and rep/, made current for the
// owner's lifetime, so that nothing a test writes lands in the build tree. A test cannot go on
// without it.
class ScratchDir {
public:
    ScratchDir();

private:
    ZTScratch scratch{"dat", "rep"};

public:
    std::string path = scratch.path.string();
};
