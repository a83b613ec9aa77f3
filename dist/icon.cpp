// zt_icon: draws the desktop icon from the game's own art, the player's tank with its gun and a
// short tail on a floor tile, at one size, into a PNG.
//
//   zt_icon FRAME_SVG ART_DIR SIZE OUT_PNG
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "png_write.h"

namespace {

// One picture of the art, placed in the icon's 64-unit square: centre, size, turn in degrees.
struct Part {
    const char* file;
    double cx, cy, w, h, degrees;
};

// The tank heads up; the tail bends away behind it. The gun turns on the dome's centre.
constexpr Part kParts[] = {
    {"joint.svg", 44, 55, 13, 13, 60},
    {"joint.svg", 36, 48, 14, 14, 30},
    {"tank.svg", 32, 30, 32, 32, 180},
    {"gun.svg", 32, 24.5, 14, 28, 180},
};

bool draw(cairo_t* cr, const std::string& path, double w, double h) {
    GError* err = nullptr;
    RsvgHandle* svg = rsvg_handle_new_from_file(path.c_str(), &err);
    if (!svg) {
        std::fprintf(stderr, "zt_icon: %s: %s\n", path.c_str(), err ? err->message : "not SVG");
        if (err) g_error_free(err);
        return false;
    }
    const RsvgRectangle box{0, 0, w, h};
    const bool ok = rsvg_handle_render_document(svg, cr, &box, &err);
    if (!ok) std::fprintf(stderr, "zt_icon: %s: %s\n", path.c_str(), err ? err->message : "");
    if (err) g_error_free(err);
    g_object_unref(svg);
    return ok;
}

// Cairo keeps premultiplied native-endian ARGB words; the file holds straight RGBA, each channel
// rounded back as cairo's own PNG writer does.
bool writeSurface(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<uint8_t> rgba(size_t(w) * 4);
    PngPicture picture;
    picture.width = w;
    picture.height = h;
    picture.row = [&](int y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x], a = p >> 24;
            uint8_t* o = &rgba[size_t(x) * 4];
            for (int c = 0; c < 3; ++c) {
                const uint32_t v = (p >> (16 - 8 * c)) & 0xFF;
                o[c] = a == 0 ? 0 : uint8_t((v * 255 + a / 2) / a);
            }
            o[3] = uint8_t(a);
        }
        return static_cast<const uint8_t*>(rgba.data());
    };
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = pngWriteFile(picture, file);
    return std::fclose(file) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: zt_icon FRAME_SVG ART_DIR SIZE OUT_PNG\n");
        return 2;
    }
    const int size = std::atoi(argv[3]);
    if (size < 8 || size > 1024) {
        std::fprintf(stderr, "zt_icon: size %s out of 8..1024\n", argv[3]);
        return 2;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    bool ok = draw(cr, argv[1], size, size);
    const double unit = size / 64.0;
    for (const Part& p : kParts) {
        cairo_save(cr);
        cairo_scale(cr, unit, unit);
        cairo_translate(cr, p.cx, p.cy);
        cairo_rotate(cr, p.degrees * 3.14159265358979323846 / 180.0);
        cairo_translate(cr, -p.w / 2, -p.h / 2);
        ok = draw(cr, std::string(argv[2]) + "/" + p.file, p.w, p.h) && ok;
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    const std::string out = argv[4];
    const std::string tmp = out + ".tmp";
    ok = ok && writeSurface(surface, tmp) && std::rename(tmp.c_str(), out.c_str()) == 0;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "zt_icon: %s not written\n", out.c_str());
    return ok ? 0 : 1;
}
