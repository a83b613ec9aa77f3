#pragma once
// The program's window on SDL: fixed client area, not resizable; full screen is the desktop's
// own mode with the picture scaled by a whole factor.
#include "../platform.h"
#include "sdl_renderer.h"

class SdlWindow : public PlatformWindow {
public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool create(const char* caption, int width, int height, int left, int top,
                bool windowed) override;
    bool createDevice(bool windowed) override;
    void destroyDevice() override;
    void show() override;
    void position(int& left, int& top) override;
    bool handleEvents() override;
    void destroy();

    SdlRenderer renderer;

private:
    SDL_Window* window = nullptr;
    int width = 0, height = 0;
    bool fullScreen = false;
    bool closeRequested = false;
    int placedLeft = 0, placedTop = 0; // kept for full screen, where the window has no place
    bool videoInitialised = false;
};
