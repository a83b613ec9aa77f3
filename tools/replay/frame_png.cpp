#include "frame_png.h"

#include <cstdio>

#include "media_run.h"
#include "png_write.h"

namespace fs = std::filesystem;

// One frame as an RGB PNG, enlarged `scale` times, compressed whole at libdeflate's fastest
// level and written once straight to its file, with one filter for every row: none at the
// game's own size, where no filter made the files smaller and a filter costs its time, and
// "up" when enlarged, which turns each repeated row into zeros.
bool ztWriteFramePng(const fs::path& path, const std::vector<uint32_t>& argb, int scale,
                     std::vector<uint8_t>& row) {
    row.resize(size_t{kPictureWidth} * 3 * scale);
    int made = -1; // the source row now in `row`
    PngPicture picture;
    picture.width = kPictureWidth * scale;
    picture.height = kPictureHeight * scale;
    picture.alpha = false;
    picture.level = 1;
    picture.filter = scale > 1 ? PngFilter::Up : PngFilter::None;
    picture.row = [&](int y) {
        const int source = y / scale;
        if (source == made) return static_cast<const uint8_t*>(row.data());
        made = source;
        const uint32_t* p = &argb[size_t(source) * kPictureWidth];
        uint8_t* d = row.data();
        auto put = [](uint8_t* at, uint32_t pixel) {
            at[0] = static_cast<uint8_t>(pixel >> 16);
            at[1] = static_cast<uint8_t>(pixel >> 8);
            at[2] = static_cast<uint8_t>(pixel);
        };
        if (scale == 1) {
            for (int x = 0; x < kPictureWidth; ++x, d += 3) put(d, p[x]);
        } else {
            for (int x = 0; x < kPictureWidth; ++x)
                for (int k = 0; k < scale; ++k, d += 3) put(d, p[x]);
        }
        return static_cast<const uint8_t*>(row.data());
    };
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = pngWriteFileWhole(picture, f);
    return std::fclose(f) == 0 && ok;
}

// How exports used to write a frame: an RGBA PNG at libpng's defaults, made in memory, then
// written.
bool ztWriteFramePngAsBefore(const fs::path& path, const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> png;
    if (!pngWriteArgbMemory(argb.data(), kPictureWidth, kPictureHeight, png)) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    return ok;
}
