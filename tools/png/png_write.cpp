#include "png_write.h"

#ifdef ZT_PNG_LIBDEFLATE
#include <libdeflate.h>
#endif
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

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
    case PngFilter::Adaptive:
        return PNG_ALL_FILTERS;
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

bool pngWriteArgbMemory(const uint32_t* argb, int width, int height, std::vector<uint8_t>& out) {
    if (!argb) return false;
    std::vector<uint8_t> rgba(size_t(width > 0 ? width : 0) * 4);
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.level = -1;
    picture.filter = PngFilter::Adaptive;
    picture.row = [&](int y) {
        const uint32_t* p = argb + size_t(y) * size_t(width);
        for (size_t x = 0; x < size_t(width); ++x) {
            rgba[4 * x] = uint8_t(p[x] >> 16);
            rgba[4 * x + 1] = uint8_t(p[x] >> 8);
            rgba[4 * x + 2] = uint8_t(p[x]);
            rgba[4 * x + 3] = uint8_t(p[x] >> 24);
        }
        return static_cast<const uint8_t*>(rgba.data());
    };
    return pngWriteMemory(picture, out);
}

bool pngWriteFile(const PngPicture& picture, std::FILE* file) {
    if (!file) return false;
    return write(picture, [&](png_structp png) { png_init_io(png, file); }) &&
           std::ferror(file) == 0;
}

namespace {

void putBig(std::vector<uint8_t>& out, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    out.insert(out.end(), b, b + 4);
}

// A chunk: length, type, data, and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
    putBig(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) out.insert(out.end(), data, data + size);
    putBig(out,
           static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

} // namespace

bool pngWriteFileWhole(const PngPicture& p, std::FILE* file) {
    if (!file || p.width < 1 || p.height < 1 || !p.row ||
        (p.filter != PngFilter::None && p.filter != PngFilter::Up) || p.width > (1 << 15) ||
        p.height > (1 << 15))
        return false;
    const size_t pixel = p.alpha ? 4 : 3, stride = size_t(p.width) * pixel;
    // The filtered rows, each after its filter's byte; Up looks at the row before, unfiltered.
    thread_local std::vector<uint8_t> rows, previous, packed, out;
    rows.resize((stride + 1) * size_t(p.height));
    previous.assign(stride, 0);
    const bool up = p.filter == PngFilter::Up;
    for (int y = 0; y < p.height; ++y) {
        const uint8_t* r = p.row(y);
        uint8_t* d = &rows[(stride + 1) * size_t(y)];
        *d++ = up ? 2 : 0;
        if (!up) {
            std::memcpy(d, r, stride);
        } else {
            for (size_t i = 0; i < stride; ++i) d[i] = uint8_t(r[i] - previous[i]);
            std::memcpy(previous.data(), r, stride);
        }
    }
#ifdef ZT_PNG_LIBDEFLATE
    // One compressor per thread and level, kept: making one costs more than a small picture.
    struct Compressor {
        libdeflate_compressor* c = nullptr;
        int level = 0;
        ~Compressor() {
            if (c) libdeflate_free_compressor(c);
        }
    };
    thread_local Compressor kept;
    const int level = std::clamp(p.level, 1, 12);
    if (!kept.c || kept.level != level) {
        if (kept.c) libdeflate_free_compressor(kept.c);
        kept.c = libdeflate_alloc_compressor(level);
        kept.level = level;
    }
    if (!kept.c) return false;
    packed.resize(libdeflate_zlib_compress_bound(kept.c, rows.size()));
    const size_t size =
        libdeflate_zlib_compress(kept.c, rows.data(), rows.size(), packed.data(), packed.size());
#else
    // Without libdeflate (the browser build), zlib at the nearest level.
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    packed.resize(packedSize);
    const size_t size =
        compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  std::clamp(p.level, 1, 9)) == Z_OK
            ? size_t(packedSize)
            : 0;
#endif
    if (size == 0) return false;

    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.assign(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    putBig(header, uint32_t(p.width));
    putBig(header, uint32_t(p.height));
    const uint8_t rest[5] = {8, uint8_t(p.alpha ? 6 : 2), 0, 0, 0}; // depth, colour, methods
    header.insert(header.end(), rest, rest + 5);
    putChunk(out, "IHDR", header.data(), header.size());
    putChunk(out, "IDAT", packed.data(), size);
    putChunk(out, "IEND", nullptr, 0);
    return std::fwrite(out.data(), 1, out.size(), file) == out.size() && std::ferror(file) == 0;
}
