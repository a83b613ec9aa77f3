#include "sdl_window.h"

#include <SDL.h>

#include <string>

#include "../../log.h"

SdlWindow::~SdlWindow() {
    destroy();
}

bool SdlWindow::create(const char* caption, int w, int h, int left, int top, bool windowed) {
    if (window) return true;
    if (!videoInitialised) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        videoInitialised = true;
    }
    width = w, height = h;
    placedLeft = left, placedTop = top;
    // Hidden until start-up is done, so the player never sees an empty frame.
    if (windowed) {
        window = SDL_CreateWindow(caption, left, top, w, h, SDL_WINDOW_HIDDEN);
    } else {
        // Full screen covers the desktop from the start, so that it also works where no window
        // manager would resize the window when asked.
        SDL_Rect desk{left, top, w, h};
        SDL_GetDisplayBounds(0, &desk);
        window = SDL_CreateWindow(caption, desk.x, desk.y, desk.w, desk.h,
                                  SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS |
                                      SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    return window != nullptr;
}

bool SdlWindow::createDevice(bool windowed) {
    SDL_DisplayMode mode{};
    klWrite(" <SDL_GetDesktopDisplayMode>\n");
    const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        klValue("  width        =", mode.w);
        klValue("  height       =", mode.h);
        klValue("  refrash rate =", mode.refresh_rate);
        klValue("  format       =", mode.format);
    } else {
        klWrite("  [NG]\n");
    }
    if (!window) {
        klWrite(" <SDL_CreateRenderer>\n  [NG]\n");
        return false;
    }
    fullScreen = !windowed;
    if (fullScreen) {
        // No display-mode switch: the desktop keeps its mode and the picture is scaled.
        klWrite(" <SDL_SetWindowFullscreen (desktop)>\n");
        klWrite(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0 ? "  [OK]\n"
                                                                                    : "  [NG]\n");
        SDL_ShowCursor(SDL_DISABLE);
    }
    klWrite(" <SDL_CreateRenderer>\n");
    const bool ok = renderer.openWindow(window, width, height);
    klWrite(ok ? "  [OK]\n" : "  [NG]\n");
    if (ok) klWrite(std::string("  driver  = ") + renderer.name() + "\n");
    gPlatform.renderer = ok ? &renderer : nullptr;
    return ok;
}

void SdlWindow::destroyDevice() {
    if (!renderer.isOpen()) return;
    klWrite(" <SDL_DestroyRenderer>\n");
    renderer.close();
    if (gPlatform.renderer == &renderer) gPlatform.renderer = nullptr;
}

void SdlWindow::show() {
    if (!window) return;
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
}

void SdlWindow::position(int& left, int& top) {
    left = placedLeft, top = placedTop;
    if (window && !fullScreen) SDL_GetWindowPosition(window, &left, &top);
}

bool SdlWindow::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) closeRequested = true;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)
            closeRequested = true;
    }
    return !closeRequested;
}

void SdlWindow::destroy() {
    destroyDevice();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    if (fullScreen) SDL_ShowCursor(SDL_ENABLE);
    fullScreen = false;
    if (videoInitialised) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoInitialised = false;
}
