// zt-bake-pixel LAYOUT OUTDIR [--force]: renders the art sources into the eleven texture files.
// Without --force only missing files are written, and nothing is rendered when none is missing.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "png_io.h"
#include "sheets.h"

namespace {

bool exists(const std::string& path) {
    std::vector<uint8_t> bytes;
    return pxReadFile(path, bytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LAYOUT OUTDIR [--force]\n", argv[0]);
        return 2;
    }
    std::string layout = argv[1], outDir = argv[2];
    bool force = argc > 3 && std::strcmp(argv[3], "--force") == 0;
    bool missing = false;
    for (const PxSlotInfo& s : kPxSlotInfo) missing |= !exists(outDir + "/" + s.file);
    if (!force && !missing) return 0;

    PxSheets sheets;
    std::string err;
    if (!pxBuildSheets(layout, sheets, err)) {
        std::fprintf(stderr, "bake pixel: %s\n", err.c_str());
        return 1;
    }
    for (int s = 0; s < kPxSlots; ++s) {
        std::string path = outDir + "/" + kPxSlotInfo[s].file;
        if (!force && exists(path)) continue;
        std::vector<uint8_t> bytes;
        if (!pxEncodeTexture(sheets[size_t(s)], bytes) || !pxWriteFile(path, bytes)) {
            std::fprintf(stderr, "bake pixel: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("bake pixel: %s\n", path.c_str());
    }
    return 0;
}
