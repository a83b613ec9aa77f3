// zt_bake_dat SOURCE_DIR OUT_DIR [--force]: bakes every mNN.txt and sNN.txt of SOURCE_DIR into
// OUT_DIR/mNN.ztm and OUT_DIR/sNN.zts. Files already in OUT_DIR are kept unless --force is given,
// so the editors' work survives a rebuild.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dat_text.h"
#include "platform/files.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zt_bake_dat SOURCE_DIR OUT_DIR [--force]\n");
        return 2;
    }
    const fs::path source = argv[1], target = argv[2];
    const bool force = argc > 3 && std::string(argv[3]) == "--force";
    std::error_code ec;
    fs::create_directories(target, ec);

    int failures = 0, written = 0;
    for (const auto& entry : fs::directory_iterator(source)) {
        const fs::path in = entry.path();
        const std::string stem = in.stem().string();
        if (in.extension() != ".txt" || stem.size() != 3) continue;
        const bool isMap = stem[0] == 'm', isSet = stem[0] == 's';
        if (!isMap && !isSet) continue;
        const fs::path out = target / (stem + (isMap ? ".ztm" : ".zts"));
        if (!force && fs::exists(out)) continue;

        std::ifstream file(in, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        std::vector<uint8_t> bytes;
        std::string error;
        const bool ok =
            isMap ? ztMapFromText(text, bytes, error) : ztSetFromText(text, bytes, error);
        if (!ok) {
            std::fprintf(stderr, "%s: %s\n", in.string().c_str(), error.c_str());
            ++failures;
            continue;
        }
        if (!pfWriteAtomic(out.c_str(), bytes.data(), bytes.size())) {
            std::fprintf(stderr, "%s: cannot write\n", out.string().c_str());
            ++failures;
            continue;
        }
        ++written;
    }
    std::printf("zt_bake_dat: %d file(s) written\n", written);
    return failures ? 1 : 0;
}
