#pragma once
// The renderer backend on SDL_Renderer: one SDL_RenderGeometry call per triangle list, a
// 640x480 logical picture, nearest-neighbour sampling.
#include <cstdint>
#include <vector>

#include "../platform.h"

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
    bool toPicture = false;   // the frame being drawn goes into `picture`
    SDL_Texture* textures[kSlots] = {};
    int bound = -1;
    KBlend blend = KBlend::Alpha;
    std::vector<uint32_t> colours; // per-vertex colours as SDL_Color (r, g, b, a bytes)

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
