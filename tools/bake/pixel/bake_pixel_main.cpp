// zt_bake_pixel LAYOUT OUTDIR [--force]: renders the art sources into the eleven texture files.
// Without --force only missing files are written.
#include <cstdio>
#include <cstring>

#include "bake.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LAYOUT OUTDIR [--force]\n", argv[0]);
        return 2;
    }
    bool force = argc > 3 && std::strcmp(argv[3], "--force") == 0;
    PxBakeResult r = pxBake(argv[1], argv[2], force);
    for (const std::string& path : r.written) std::printf("bake pixel: %s\n", path.c_str());
    if (!r.ok) {
        std::fprintf(stderr, "bake pixel: %s\n", r.error.c_str());
        return 1;
    }
    return 0;
}
