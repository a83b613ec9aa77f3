#include "sdl_renderer.h"

#include <SDL.h>

#include <cstring>

#include "sdl_image.h"
#include "sdl_soft_draw.h"
#include "sdl_trace.h"
#ifdef __EMSCRIPTEN__
#include "../web/web.h"
#endif

namespace {
SDL_BlendMode sdlBlend(KBlend blend) {
    switch (blend) {
    case KBlend::None:
        return SDL_BLENDMODE_NONE;
    case KBlend::Additive:
        return SDL_BLENDMODE_ADD; // source times its alpha, added to what is there
    case KBlend::Alpha:
        break;
    }
    return SDL_BLENDMODE_BLEND;
}

// The logical picture scaled by the largest whole factor that fits, centred, nearest-neighbour.
void setPicture(SDL_Renderer* renderer, int width, int height) {
    SDL_RenderSetLogicalSize(renderer, width, height);
    SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
}
} // namespace

SdlRenderer::~SdlRenderer() {
    close();
}

bool SdlRenderer::openWindow(SDL_Window* window, int w, int h, bool vsync) {
    close();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    // Vsync only keeps the picture from tearing: the frame clock still paces the game.
    const Uint32 sync = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | sync);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | sync);
    if (!renderer) return false;
    pictureW = w, pictureH = h;
    inWindow = true;
    setPicture(renderer, pictureW, pictureH);
    picture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                pictureW, pictureH);
    if (picture) {
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeNearest);
        SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_NONE);
    }
    return true;
}

bool SdlRenderer::openSoftware(int w, int h) {
    close();
    target = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!target) return false;
    renderer = SDL_CreateSoftwareRenderer(target);
    if (!renderer) {
        SDL_FreeSurface(target);
        target = nullptr;
        return false;
    }
    pictureW = w, pictureH = h;
    setPicture(renderer, pictureW, pictureH);
    return true;
}

void SdlRenderer::releaseAll() {
    for (int slot = 0; slot < kSlots; ++slot) releaseTexture(slot);
}

void SdlRenderer::close() {
    releaseAll();
    if (picture) SDL_DestroyTexture(picture);
    picture = nullptr;
    toPicture = logging = inWindow = ownTriangles = false;
    loggedDraws.clear();
    loggedVertices.clear();
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    if (target) SDL_FreeSurface(target);
    target = nullptr;
    bound = -1;
    blend = KBlend::Alpha;
    kept = Kept{};
    afterClear = false;
}

bool SdlRenderer::drawTrianglesHere(bool on) {
    ownTriangles = false;
    if (!on) return true;
    if (!target || !renderer || target->format->format != SDL_PIXELFORMAT_ARGB8888 ||
        SDL_MUSTLOCK(target))
        return false;
    // SDL places the corners at its scale and inside its viewport; here both must be plain.
    float sx = 0, sy = 0;
    SDL_RenderGetScale(renderer, &sx, &sy);
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    if (sx != 1.0f || sy != 1.0f || view.x != 0 || view.y != 0 || view.w != target->w ||
        view.h != target->h)
        return false;
    ownTriangles = true;
    return true;
}

void SdlRenderer::keepOpaqueFirstDraw(bool on) {
    keepFirst = on;
    kept = Kept{};
}

bool SdlRenderer::drawKept(const KVertex* vertices, int count) {
    if (!kept.valid || kept.clearRgb != clearRgb || kept.slot != bound ||
        kept.textureGeneration != textureGeneration ||
        kept.vertices.size() != static_cast<size_t>(count) ||
        std::memcmp(kept.vertices.data(), vertices, sizeof(KVertex) * kept.vertices.size()) != 0)
        return false;
    // The queued clear is done first; the kept picture then replaces what it left.
    SDL_RenderFlush(renderer);
    if (SDL_LockSurface(target) != 0) return false;
    std::memcpy(target->pixels, kept.pixels.data(), kept.pixels.size());
    SDL_UnlockSurface(target);
    return true;
}

void SdlRenderer::keepDrawn(const KVertex* vertices, int count) {
    SDL_RenderFlush(renderer);
    if (SDL_LockSurface(target) != 0) return;
    const auto* pixels = static_cast<const uint8_t*>(target->pixels);
    kept.pixels.assign(pixels, pixels + static_cast<size_t>(target->pitch) * target->h);
    SDL_UnlockSurface(target);
    kept.vertices.assign(vertices, vertices + count);
    kept.clearRgb = clearRgb;
    kept.slot = bound;
    kept.textureGeneration = textureGeneration;
    kept.valid = true;
}

const char* SdlRenderer::name() const {
    SDL_RendererInfo info;
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0) return "";
    return info.name;
}

bool SdlRenderer::vsync() const {
#ifdef __EMSCRIPTEN__
    if (inWindow) return renderer != nullptr; // every present waits for the frame callback
#endif
    SDL_RendererInfo info;
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0) return false;
    return (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

bool SdlRenderer::setVsync(bool on) {
    return renderer && SDL_RenderSetVSync(renderer, on ? 1 : 0) == 0;
}

bool SdlRenderer::readPixels(std::vector<uint32_t>& argb, int& width, int& height) {
    if (!renderer) return false;
    // In a window, all of the screen, around the picture too: reading goes by the viewport.
    if (toPicture) SDL_SetRenderTarget(renderer, nullptr);
    if (inWindow) SDL_RenderSetLogicalSize(renderer, 0, 0);
    bool ok = SDL_GetRendererOutputSize(renderer, &width, &height) == 0;
    if (ok) {
        argb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        ok = SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(),
                                  width * 4) == 0;
    }
    if (inWindow) setPicture(renderer, pictureW, pictureH);
    if (toPicture) SDL_SetRenderTarget(renderer, picture);
    return ok;
}

bool SdlRenderer::createTexture(int slot, const uint8_t* data, size_t size, uint32_t colourKey) {
    if (!renderer || slot < 0 || slot >= kSlots || textures[slot]) return false;
    SDL_Surface* pixels = sdlDecodeKeyed(data, size, colourKey);
    if (!pixels) return false;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, pixels);
    Pixels& copy = texturePixels[slot];
    copy = Pixels{};
    Uint32 format = 0;
    int w = 0, h = 0;
    // Drawn here only from the very pixels the texture holds: same size, same format.
    if (texture && target && SDL_QueryTexture(texture, &format, nullptr, &w, &h) == 0 &&
        format == SDL_PIXELFORMAT_ARGB8888 && pixels->format->format == format && w == pixels->w &&
        h == pixels->h && SDL_LockSurface(pixels) == 0) {
        copy.width = w, copy.height = h;
        copy.argb.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(&copy.argb[size_t(y) * w],
                        static_cast<const uint8_t*>(pixels->pixels) + size_t(y) * pixels->pitch,
                        size_t(w) * 4);
        SDL_UnlockSurface(pixels);
    }
    SDL_FreeSurface(pixels);
    if (!texture) return false;
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(texture, sdlBlend(blend));
    textures[slot] = texture;
    textureGeneration += 1;
    return true;
}

void SdlRenderer::releaseTexture(int slot) {
    if (slot < 0 || slot >= kSlots || !textures[slot]) return;
    SDL_DestroyTexture(textures[slot]);
    textures[slot] = nullptr;
    texturePixels[slot] = Pixels{};
    textureGeneration += 1;
}

void SdlRenderer::bindTexture(int slot) {
    bound = slot;
}

void SdlRenderer::setBlend(KBlend b) {
    blend = b;
}

void SdlRenderer::drawTriangles(const KVertex* vertices, int count) {
    if (!renderer || !vertices || count < 3) return;
    count -= count % 3;
    if (logging) {
        loggedDraws.push_back(
            LoggedDraw{bound, blend, loggedVertices.size(), static_cast<size_t>(count)});
        loggedVertices.insert(loggedVertices.end(), vertices, vertices + count);
    }
    const bool first = afterClear;
    afterClear = false;
    const bool keep = keepFirst && target && first && blend == KBlend::None;
    if (keep && drawKept(vertices, count)) return;
    SDL_Texture* texture = bound >= 0 && bound < kSlots ? textures[bound] : nullptr;
    const SDL_BlendMode mode = sdlBlend(blend);
    if (texture) SDL_SetTextureBlendMode(texture, mode);
    SDL_SetRenderDrawBlendMode(renderer, mode); // untextured lists blend this way
    if (ownTriangles && texture && !texturePixels[bound].argb.empty())
        drawHere(texture, vertices, count);
    else
        sdlGeometry(texture, vertices, count);
    if (keep) keepDrawn(vertices, count);
}

void SdlRenderer::sdlGeometry(SDL_Texture* texture, const KVertex* vertices, int count) {
    colours.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint32_t c = vertices[i].colour; // ARGB
        const SDL_Color sdl{static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8),
                            static_cast<Uint8>(c), static_cast<Uint8>(c >> 24)};
        std::memcpy(&colours[i], &sdl, sizeof sdl);
    }
    SDL_RenderGeometryRaw(renderer, texture, &vertices[0].x, sizeof(KVertex),
                          reinterpret_cast<const SDL_Color*>(colours.data()), sizeof(uint32_t),
                          &vertices[0].u, sizeof(KVertex), count, nullptr, 0, 0);
}

// SDL's own walk through the list, its rectangles left to it and its triangles drawn here; the
// order on the picture stays SDL's.
void SdlRenderer::drawHere(SDL_Texture* texture, const KVertex* vertices, int count) {
    for (int i = 0; i < count; ++i) {
        const KVertex& v = vertices[i];
        // SDL refuses a whole list with a texture point outside the texture, and nothing here
        // guesses at what it makes of a position that is not a number.
        if (!(v.u >= 0.0f && v.v >= 0.0f && v.u <= 1.0f && v.v <= 1.0f) || v.x != v.x ||
            v.y != v.y) {
            sdlGeometry(texture, vertices, count);
            return;
        }
    }
    softSplit(vertices, count, pieces);
    const Pixels& t = texturePixels[bound];
    const SoftTexture source{t.argb.data(), t.width, t.height};
    const SoftPixels picture{static_cast<uint32_t*>(target->pixels), target->w, target->h,
                             target->pitch / 4};
    SDL_RenderFlush(renderer); // what SDL still holds goes first
    for (const SoftPiece& p : pieces) {
        const int n = p.rectangle ? 6 : 3;
        if (!p.rectangle && softTriangle(picture, source, blend, vertices[p.vertex[0]],
                                         vertices[p.vertex[1]], vertices[p.vertex[2]]))
            continue;
        pieceVertices.resize(6);
        for (int k = 0; k < n; ++k) pieceVertices[k] = vertices[p.vertex[k]];
        sdlGeometry(texture, pieceVertices.data(), n);
        SDL_RenderFlush(renderer);
    }
}

namespace {
void setColour(SDL_Renderer* renderer, uint32_t argb, uint8_t alpha) {
    SDL_SetRenderDrawColor(renderer, static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                           static_cast<Uint8>(argb), alpha);
}
} // namespace

// Starts a picture cleared to the colour: into `picture` when the window scales it up, else
// straight onto the screen, where only the picture's own rectangle takes the colour.
void SdlRenderer::startPicture(uint32_t rgb) {
    // The window's own size: the renderer's output size would be the picture's while drawing
    // into it.
    int outW = pictureW, outH = pictureH;
    SDL_GetWindowSizeInPixels(SDL_RenderGetWindow(renderer), &outW, &outH);
    const bool scaled = picture && outW >= 2 * pictureW && outH >= 2 * pictureH;
    if (scaled != toPicture) SDL_SetRenderTarget(renderer, scaled ? picture : nullptr);
    toPicture = scaled;
    if (toPicture || (outW == pictureW && outH == pictureH)) {
        setColour(renderer, rgb, 255);
        SDL_RenderClear(renderer);
        return;
    }
    // A larger window: black around the picture (a clear costs next to nothing), the picture's
    // rectangle (the whole logical area) in the colour.
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    setColour(renderer, rgb, 255);
    SDL_RenderFillRect(renderer, nullptr);
}

void SdlRenderer::clear(uint32_t rgb) {
    if (!renderer) return;
    afterClear = true;
    clearRgb = rgb;
    if (!inWindow) {
        setColour(renderer, rgb, 255);
        SDL_RenderClear(renderer);
        return;
    }
    // A frame runs again: it draws its own picture, no longer over the shown one.
    startPicture(rgb);
    logging = true;
    loggedClear = rgb;
    loggedDraws.clear();
    loggedVertices.clear();
}

void SdlRenderer::drawLogged() {
    const int keptBound = bound;
    const KBlend keptBlend = blend;
    for (const LoggedDraw& d : loggedDraws) {
        bound = d.slot, blend = d.blend;
        drawTriangles(&loggedVertices[d.first], static_cast<int>(d.count));
    }
    bound = keptBound, blend = keptBlend;
}

void SdlRenderer::present() {
    if (!renderer) return;
    if (toPicture) {
        // The picture on the screen by its whole factor, black around it.
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, picture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        SDL_SetRenderTarget(renderer, picture);
    } else {
        SDL_RenderPresent(renderer);
    }
    sdlTrace("present");
#ifdef __EMSCRIPTEN__
    if (inWindow) webAwaitFrame(); // the browser shows the picture at its next frame callback
#endif
    logging = false; // what comes before the next frame (the pause) is not the frame's
}

void SdlRenderer::showLastPicture(uint32_t shade) {
    if (!renderer || !inWindow) return;
    // The last frame drawn again from what it drew, then the shade over it; what is drawn
    // next goes on top, until the next present.
    logging = false;
    startPicture(loggedClear);
    drawLogged();
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    setColour(renderer, shade, static_cast<uint8_t>(shade >> 24));
    SDL_RenderFillRect(renderer, nullptr);
}
