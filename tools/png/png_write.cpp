#include "png_write.h"

#include <png.h>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

int libpngFilter(PngFilter filter) {
    switch (filter) {
    case PngFilter::None:
        return PNG_FILTER_NONE;
    case PngFilter::Sub:
        return PNG_FILTER_SUB;
    case PngFilter::Up:
        return PNG_FILTER_UP;
    case PngFilter::Paeth:
        break;
    }
    return PNG_FILTER_PAETH;
}

// libpng reports errors by longjmp to the last setjmp: this holds no C++ object that a jump
// could skip; the rows come from the caller's function, called between the jumps' reach.
bool writeRows(png_structp png, png_infop info, const PngPicture& p) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_compression_level(png, p.level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, libpngFilter(p.filter));
    png_set_IHDR(png, info, png_uint_32(p.width), png_uint_32(p.height), 8,
                 p.alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < p.height; ++y) png_write_row(png, const_cast<png_bytep>(p.row(y)));
    png_write_end(png, nullptr);
    return true;
}

template <typename Setup> bool write(const PngPicture& p, Setup setup) {
    if (p.width < 1 || p.height < 1 || !p.row) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool ok = info != nullptr;
    if (ok) {
        setup(png);
        ok = writeRows(png, info, p);
    }
    png_destroy_write_struct(&png, &info);
    return ok;
}

} // namespace

bool pngWriteMemory(const PngPicture& picture, std::vector<uint8_t>& out) {
    out.clear();
    return write(picture,
                 [&](png_structp png) { png_set_write_fn(png, &out, appendBytes, noFlush); });
}

bool pngWriteFile(const PngPicture& picture, std::FILE* file) {
    if (!file) return false;
    return write(picture, [&](png_structp png) { png_init_io(png, file); }) &&
           std::ferror(file) == 0;
}
