#include "png_io.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "png_write.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size, pos;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > r->size - r->pos) png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
}

} // namespace

bool pngEncode(const PxImage& img, std::vector<uint8_t>& out) {
    PngPicture picture;
    picture.width = img.w;
    picture.height = img.h;
    picture.row = [&img](int y) { return img.at(0, y); };
    return pngWriteMemory(picture, out);
}

namespace {
// libpng reports errors by longjmp to the last setjmp. These two hold no C++ objects, so a jump
// back into them skips no destructor; the caller owns every buffer.
bool readHeader(png_structp png, png_infop info, int& w, int& h) {
    if (setjmp(png_jmpbuf(png))) return false;
    // Textures are at most 512 pixels square; refuse anything that would allocate wildly.
    png_set_user_limits(png, 4096, 4096);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    w = int(png_get_image_width(png, info));
    h = int(png_get_image_height(png, info));
    return true;
}

bool readRows(png_structp png, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}
} // namespace

bool pngDecode(const uint8_t* data, size_t size, PxImage& img) {
    if (size < 8 || png_sig_cmp(const_cast<png_bytep>(data), 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    Reader reader{data, size, 0};
    int w = 0, h = 0;
    bool ok = info != nullptr;
    if (ok) {
        png_set_read_fn(png, &reader, readBytes);
        ok = readHeader(png, info, w, h);
    }
    if (ok) {
        PxImage result(w, h);
        std::vector<png_bytep> rows(static_cast<size_t>(h));
        for (int y = 0; y < h; ++y) rows[size_t(y)] = result.at(0, y);
        ok = readRows(png, rows.data());
        if (ok) img = std::move(result);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return ok;
}

void pxScramble(std::vector<uint8_t>& bytes) {
    for (auto& b : bytes) b = uint8_t(b + 0x80);
}

bool pxReadFile(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool pxWriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return pfWriteAtomic(path.c_str(), bytes.data(), bytes.size());
}
