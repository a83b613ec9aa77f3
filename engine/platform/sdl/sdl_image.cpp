#include "sdl_image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace {
uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Looks at the file before the decoder does: a damaged or hostile file must not make it allocate
// a picture of absurd size, nor read past the end. (SDL_image's reader ignores a short read, and
// libpng then goes on parsing whatever its buffer held, round and round a chunk that runs past
// the end of the file.) So every chunk must lie wholly inside the file, up to IEND.
bool plausiblePng(const uint8_t* data, size_t size) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!data || size < 33 || std::memcmp(data, signature, 8) != 0) return false;
    if (std::memcmp(data + 12, "IHDR", 4) != 0) return false;
    const uint32_t w = bigEndian32(data + 16), h = bigEndian32(data + 20);
    if (w < 1 || h < 1 || w > kSdlMaxTextureEdge || h > kSdlMaxTextureEdge) return false;
    uint64_t compressed = 0; // the bytes of every IDAT chunk
    for (size_t at = 8; size - at >= 12;) {
        const uint32_t length = bigEndian32(data + at);
        if (length > size - at - 12) return false;
        const uint8_t* type = data + at + 4;
        if (std::memcmp(type, "IDAT", 4) == 0) compressed += length;
        if (std::memcmp(type, "IEND", 4) == 0) {
            // The decoder allocates the whole picture from the header before it inflates a
            // byte. Deflate expands at most 1032 times and a pixel takes at least one bit, so
            // the image data cannot hold more pixels than this: a header claiming more lies.
            return uint64_t{w} * h <= compressed * kSdlMaxInflation * 8;
        }
        at += 12 + size_t{length};
    }
    return false; // no IEND inside the file
}
} // namespace

SDL_Surface* sdlDecodeKeyed(const uint8_t* data, size_t size, uint32_t colourKey) {
    if (!plausiblePng(data, size) || size > 0x7fffffff) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) return nullptr;
    SDL_Surface* decoded = IMG_LoadPNG_RW(rw);
    SDL_RWclose(rw);
    if (!decoded) return nullptr;
    // RGBA files decode as ABGR8888; the key is compared in ARGB.
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb) return nullptr;
    // SDL_SetColorKey ignores alpha, and the key must match exactly, so it is done by hand.
    if (SDL_LockSurface(argb) == 0) {
        auto* row = static_cast<uint8_t*>(argb->pixels);
        for (int y = 0; y < argb->h; ++y, row += argb->pitch) {
            auto* px = reinterpret_cast<uint32_t*>(row);
            for (int x = 0; x < argb->w; ++x)
                if (px[x] == colourKey) px[x] = 0;
        }
        SDL_UnlockSurface(argb);
    }
    return argb;
}

bool sdlDecodePng(const uint8_t* data, size_t size, std::vector<uint32_t>& argb, int& width,
                  int& height, uint32_t colourKey) {
    argb.clear();
    // A key of transparent black changes nothing: such pixels are 0 already.
    SDL_Surface* surface = sdlDecodeKeyed(data, size, colourKey);
    if (!surface) return false;
    if (surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
        SDL_FreeSurface(surface);
        return false;
    }
    width = surface->w;
    height = surface->h;
    argb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const auto* row = static_cast<const uint8_t*>(surface->pixels);
    for (int y = 0; y < height; ++y, row += surface->pitch)
        std::memcpy(&argb[static_cast<size_t>(y) * static_cast<size_t>(width)], row,
                    static_cast<size_t>(width) * 4);
    SDL_FreeSurface(surface);
    return true;
}
