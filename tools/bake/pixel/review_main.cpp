// zt_pixel_review TEXTUREDIR OUTDIR: review pictures from the eleven texture files:
// pixel-sheet.png (every cell with its number), pixel-field.png (a field in play),
// pixel-talk.png (a conversation), pixel-title.png (the title screen) and
// pixel-boss.png (the bosses assembled) and pixel-over.png (a game over).
#include <cstdio>
#include <string>

#include "png_io.h"
#include "review.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TEXTUREDIR OUTDIR\n", argv[0]);
        return 2;
    }
    PxSheets sheets;
    std::string err;
    if (!pxLoadTextures(argv[1], sheets, err)) {
        std::fprintf(stderr, "pixel review: %s\n", err.c_str());
        return 1;
    }
    std::string out = argv[2];
    const std::pair<std::string, PxImage> pictures[] = {
        {out + "/pixel-sheet.png", pxContactSheet(sheets, 1600)},
        {out + "/pixel-field.png", pxFieldPicture(sheets)},
        {out + "/pixel-talk.png", pxTalkPicture(sheets)},
        {out + "/pixel-title.png", pxTitlePicture(sheets)},
        {out + "/pixel-boss.png", pxBossPicture(sheets)},
        {out + "/pixel-over.png", pxGameOverPicture(sheets)},
    };
    for (const auto& [path, img] : pictures) {
        std::vector<uint8_t> bytes;
        if (!pngEncode(img, bytes) || !pxWriteFile(path, bytes)) {
            std::fprintf(stderr, "pixel review: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("pixel review: %s\n", path.c_str());
    }
    return 0;
}
