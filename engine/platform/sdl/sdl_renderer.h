#pragma once
// The renderer backend on SDL_Renderer: one SDL_RenderGeometry call per triangle list, a
// 640x480 logical picture, nearest-neighbour sampling.
#include <cstdint>
#include <vector>

#include "../platform.h"
#include "sdl_soft_draw.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

class SdlRenderer : public PlatformRenderer {
public:
    static constexpr int kSlots = 16;

    SdlRenderer() = default;
    ~SdlRenderer() override;
    SdlRenderer(const SdlRenderer&) = delete;
    SdlRenderer& operator=(const SdlRenderer&) = delete;

    // Renders into the window; the picture is width x height, scaled by the largest whole factor
    // the window holds and centred on black. With vsync, presenting waits for the display's
    // refresh where it can.
    bool openWindow(SDL_Window* window, int width, int height, bool vsync);
    // Renders into a surface in memory with SDL's software renderer (golden images, tools).
    bool openSoftware(int width, int height);
    void close();
    bool isOpen() const { return renderer != nullptr; }
    // The picture as ARGB pixels, row after row. False when it cannot be read.
    bool readPixels(std::vector<uint32_t>& argb, int& width, int& height);
    // Software target only: keeps the picture made by the first draw after a clear when that
    // draw is opaque (the ground), and puts it back when the same clear is followed by the same
    // draw (vertices, colours, texture) instead of drawing it again. What follows is drawn over
    // it as ever, so every picture is the one drawing would give.
    void keepOpaqueFirstDraw(bool on);
    // Software target only: textured triangles are drawn here, as SDL's software renderer draws
    // them but without its divisions per pixel (the rectangles it blits are still its own), so
    // every picture is the one SDL would give. False where that cannot be promised (another
    // scale or pixel format); SDL then draws everything.
    bool drawTrianglesHere(bool on);
    // SDL's name of the renderer in use ("software", "opengl", ...).
    const char* name() const;
    bool vsync() const;
    // Switches presenting in step with the display on or off; false where the driver cannot.
    bool setVsync(bool on);

    bool createTexture(int slot, const uint8_t* data, size_t size, uint32_t colourKey) override;
    void releaseTexture(int slot) override;
    void bindTexture(int slot) override;
    void setBlend(KBlend blend) override;
    void drawTriangles(const KVertex* vertices, int count) override;
    void clear(uint32_t rgb) override;
    void present() override;
    void showLastPicture(uint32_t shade) override;

private:
    void releaseAll();
    void startPicture(uint32_t rgb);
    void drawLogged();

    SDL_Renderer* renderer = nullptr;
    SDL_Surface* target = nullptr;  // owned only by the software renderer
    int pictureW = 0, pictureH = 0; // the picture's size
    bool inWindow = false;
    // Scaled up, the picture is drawn here at its own size and copied to the screen by the whole
    // factor, so that it looks the same at every scale. At its own size it is drawn straight onto
    // the screen, black around it when the window is larger.
    SDL_Texture* picture = nullptr;
    bool toPicture = false; // the frame being drawn goes into `picture`
    SDL_Texture* textures[kSlots] = {};
    int bound = -1;
    KBlend blend = KBlend::Alpha;
    std::vector<uint32_t> colours; // per-vertex colours as SDL_Color (r, g, b, a bytes)

    void sdlGeometry(SDL_Texture* texture, const KVertex* vertices, int count);
    void drawHere(SDL_Texture* texture, const KVertex* vertices, int count);
    bool ownTriangles = false;
    struct Pixels {
        std::vector<uint32_t> argb; // a copy of what the slot's texture holds, ARGB
        int width = 0, height = 0;
    } texturePixels[kSlots];
    std::vector<SoftPiece> pieces;
    std::vector<KVertex> pieceVertices;

    bool drawKept(const KVertex* vertices, int count);
    void keepDrawn(const KVertex* vertices, int count);
    bool keepFirst = false;
    bool afterClear = false; // no draw since the last clear
    uint32_t clearRgb = 0;
    uint32_t textureGeneration = 0; // changes with every texture made or released
    struct Kept {
        bool valid = false;
        uint32_t clearRgb = 0;
        int slot = -1;
        uint32_t textureGeneration = 0;
        std::vector<KVertex> vertices;
        std::vector<uint8_t> pixels; // the target's rows after the draw
    } kept;
    // The frame's own drawing, kept (in a window) so that the pause can put its picture back:
    // the screen's contents do not outlive a present.
    struct LoggedDraw {
        int slot;
        KBlend blend;
        size_t first, count;
    };
    uint32_t loggedClear = 0;
    std::vector<LoggedDraw> loggedDraws;
    std::vector<KVertex> loggedVertices;
    bool logging = false;
};
