#include "svg_render.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <vector>

#include "png_io.h"

bool pxRenderSvg(const std::string& path, int w, int h, PxImage& out, std::string& err) {
    std::vector<uint8_t> bytes;
    if (!pxReadFile(path, bytes)) {
        err = "cannot read " + path;
        return false;
    }
    GError* gerr = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_data(bytes.data(), bytes.size(), &gerr);
    if (!handle) {
        err = path + ": " + (gerr ? gerr->message : "not SVG");
        if (gerr) g_error_free(gerr);
        return false;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0.0, 0.0, double(w), double(h)};
    bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerr);
    if (!ok) {
        err = path + ": " + (gerr ? gerr->message : "render failed");
        if (gerr) g_error_free(gerr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    if (ok) {
        // Cairo keeps premultiplied native-endian ARGB words; textures want straight RGBA.
        out = PxImage(w, h);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < h; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
            for (int x = 0; x < w; ++x) {
                uint32_t p = row[x];
                uint32_t a = p >> 24;
                uint8_t* o = out.at(x, y);
                if (a == 0) continue;
                for (int c = 0; c < 3; ++c) {
                    uint32_t v = (p >> (16 - 8 * c)) & 0xFF;
                    o[c] = uint8_t((v * 255 + a / 2) / a > 255 ? 255 : (v * 255 + a / 2) / a);
                }
                o[3] = uint8_t(a);
            }
        }
    }
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return ok;
}
