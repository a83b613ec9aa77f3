#pragma once
// The bake step itself: render the sources and write the texture files that are missing.
#include <string>
#include <vector>

struct PxBakeResult {
    bool ok = false;
    std::string error;
    std::vector<std::string> written; // paths written, in slot order
};

// Writes every texture file missing from outDir (all of them with force). Nothing is rendered
// when no file is missing, so an up-to-date game root costs nothing to check.
PxBakeResult pxBake(const std::string& layoutPath, const std::string& outDir, bool force);
