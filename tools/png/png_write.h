#pragma once
// Writes PNG files with libpng (or libdeflate, whole; zlib in the browser build): 8 bits a
// channel, RGB or RGBA, no time or text chunks, so equal pictures give equal bytes on every run.
// The caller hands over one row at a time.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

// Adaptive: libpng tries every filter on each row and keeps the one likely to pack best.
enum class PngFilter { None, Sub, Up, Paeth, Adaptive };

struct PngPicture {
    int width = 0, height = 0;
    bool alpha = true; // RGBA rows, else RGB
    int level = 9;     // zlib's level, 0 (store) to 9 (smallest), or -1 for zlib's default
    PngFilter filter = PngFilter::Paeth;
    // Row y of the picture: width x 3 or x 4 bytes, valid until the next call.
    std::function<const uint8_t*(int y)> row;
};

// The whole file into memory. False when libpng refused.
bool pngWriteMemory(const PngPicture& picture, std::vector<uint8_t>& out);
// ARGB pixels row after row, as the renderers read pictures back, as an RGBA file image with
// libpng's default level and filters: the way SDL_image saves a picture, byte for byte.
bool pngWriteArgbMemory(const uint32_t* argb, int width, int height, std::vector<uint8_t>& out);
// Straight into an open file. False when libpng refused or a write failed.
bool pngWriteFile(const PngPicture& picture, std::FILE* file);
// The same file made whole in memory and compressed in one go by libdeflate, about twice as
// fast as zlib at its fastest level and a little smaller; `level` is libdeflate's (1 to 12).
// Filters None and Up. The bytes differ from pngWriteFile's, the pixels do not.
bool pngWriteFileWhole(const PngPicture& picture, std::FILE* file);
