#pragma once
// The program's window on SDL: resizable, never smaller than the picture, which it shows by the
// largest whole factor that fits, centred on black; full screen is the desktop's own mode with
// the picture shown the same way. Alt+Enter and F11 switch between the two while the game runs.
#include "../platform.h"
#include "sdl_renderer.h"

struct SDL_Window;

class SdlWindow : public PlatformWindow {
public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool create(const char* caption, int width, int height,
                const KWindowSettings& settings) override;
    bool createDevice(bool windowed) override;
    void destroyDevice() override;
    void show() override;
    void setWindowed(bool windowed) override;
    bool vsync() const override { return renderer.vsync(); }
    double refreshRate() const override;
    void position(int& left, int& top) override;
    void size(int& w, int& h) override;
    void setScale(int scale) override;
    void setVsync(bool on) override;
    KWindowEvents handleEvents() override;
    void idle(uint32_t ms) override;
    std::vector<std::string> preferredLocales() override; // in sdl_locale.cpp
    void destroy();

    // The picture's whole factor in the window (in full screen: in the window it comes back to).
    int scale() const override;

    SdlRenderer renderer;

private:
    void enterFullScreen();
    void leaveFullScreen();
    void readRefreshRate();

    SDL_Window* window = nullptr;
    int width = 0, height = 0;
    int windowScale = 1;
    double hz = 0.0; // the refresh rate of the window's display, 0 when unknown
    bool wantVsync = true;
    bool fullScreen = false;
    bool shown = false;
    // Where the window goes, in the client coordinates SDL reports; kept while in full screen.
    int placedLeft = 0, placedTop = 0;
    int placedW = 0, placedH = 0; // the client size, likewise
    bool videoInitialised = false;
};
