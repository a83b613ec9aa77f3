#include "sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "sdl_trace.h"
#ifdef __EMSCRIPTEN__
#include "../web/web.h"
#endif

namespace {
bool overlaps(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The first display the rectangle reaches into, or -1 when it lies off every display.
int displayOf(const SDL_Rect& r) {
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0 && overlaps(r, bounds)) return i;
    }
    return -1;
}

// The largest whole scale up to `wanted` whose window fits the display's usable area.
int fittingScale(int display, int width, int height, int wanted) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return wanted < 1 ? 1 : wanted;
    int scale = wanted < 1 ? 1 : wanted;
    while (scale > 1 && (width * scale > usable.w || height * scale > usable.h)) --scale;
    return scale;
}
} // namespace

SdlWindow::~SdlWindow() {
    destroy();
}

bool SdlWindow::create(const char* caption, int w, int h, const KWindowSettings& settings) {
    if (window) return true;
    if (!videoInitialised) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        videoInitialised = true;
    }
    width = w, height = h;
    wantVsync = settings.vsync;
    const int wantedScale = settings.scale < 1 ? 1 : settings.scale;
    placedW = settings.width > 0 ? settings.width : w * wantedScale;
    placedH = settings.height > 0 ? settings.height : h * wantedScale;
    // A place off every display (a monitor since unplugged) comes back onto the primary one.
    const SDL_Rect wanted{settings.left, settings.top, placedW, placedH};
    int display = displayOf(wanted);
    if (display < 0) display = 0;
    if (settings.width > 0 && settings.height > 0) {
        // A saved size, within the picture and the display's usable area.
        SDL_Rect usable{0, 0, placedW, placedH};
        SDL_GetDisplayUsableBounds(display, &usable);
        placedW = placedW < w ? w : placedW > usable.w && usable.w >= w ? usable.w : placedW;
        placedH = placedH < h ? h : placedH > usable.h && usable.h >= h ? usable.h : placedH;
        windowScale = std::max(1, std::min(placedW / w, placedH / h));
    } else {
        windowScale = fittingScale(display, w, h, wantedScale);
        placedW = w * windowScale, placedH = h * windowScale;
    }
    placedLeft = settings.left, placedTop = settings.top;
    if (displayOf(wanted) < 0) {
        SDL_Rect usable{0, 0, placedW, placedH};
        SDL_GetDisplayUsableBounds(0, &usable);
        placedLeft = usable.x + (usable.w - placedW) / 2;
        placedTop = usable.y + (usable.h - placedH) / 2;
    }
    // Hidden until start-up is done, so the player never sees an empty frame.
    if (settings.windowed) {
        window = SDL_CreateWindow(caption, placedLeft, placedTop, placedW, placedH,
                                  SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (window) SDL_SetWindowMinimumSize(window, w, h);
        return window != nullptr;
    }
    // Full screen covers the desktop from the start, so that it also works where no window
    // manager would resize the window when asked.
    SDL_Rect desk{0, 0, w, h};
    SDL_GetDisplayBounds(display, &desk);
    window = SDL_CreateWindow(caption, desk.x, desk.y, desk.w, desk.h,
                              SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE |
                                  SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!window) return false;
    SDL_SetWindowMinimumSize(window, w, h);
    fullScreen = true;
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

void SdlWindow::enterFullScreen() {
    if (shown) {
        // To come back to the same place and size.
        position(placedLeft, placedTop);
        size(placedW, placedH);
    }
    fullScreen = true;
    // Cover the desktop first, as at creation; the desktop keeps its mode, the picture is scaled.
    SDL_Rect desk{0, 0, width, height};
    int display = SDL_GetWindowDisplayIndex(window);
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &desk);
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, desk.x, desk.y);
    SDL_SetWindowSize(window, desk.w, desk.h);
    kpLog(" <SDL_SetWindowFullscreen (desktop)>\n");
    kpLog(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0 ? "  [OK]\n"
                                                                              : "  [NG]\n");
    SDL_ShowCursor(SDL_DISABLE);
}

void SdlWindow::leaveFullScreen() {
    fullScreen = false;
    kpLog(" <SDL_SetWindowFullscreen (window)>\n");
    kpLog(SDL_SetWindowFullscreen(window, 0) == 0 ? "  [OK]\n" : "  [NG]\n");
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowSize(window, placedW, placedH);
    SDL_SetWindowPosition(window, placedLeft, placedTop);
    SDL_ShowCursor(SDL_ENABLE);
}

double SdlWindow::refreshRate() const {
#ifdef __EMSCRIPTEN__
    return webFrameRate(); // the display's rate is the page's frame callbacks'
#else
    return hz;
#endif
}

void SdlWindow::readRefreshRate() {
    SDL_DisplayMode mode{};
    const int display = window ? SDL_GetWindowDisplayIndex(window) : -1;
    hz = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

bool SdlWindow::createDevice(bool windowed) {
    SDL_DisplayMode mode{};
    kpLog(" <SDL_GetDesktopDisplayMode>\n");
    const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        kpLogValue("  width        =", mode.w);
        kpLogValue("  height       =", mode.h);
        kpLogValue("  refrash rate =", mode.refresh_rate);
        kpLogValue("  format       =", mode.format);
    } else {
        kpLog("  [NG]\n");
    }
    if (!window) {
        kpLog(" <SDL_CreateRenderer>\n  [NG]\n");
        return false;
    }
    if (windowed == fullScreen) setWindowed(windowed);
    kpLog(" <SDL_CreateRenderer>\n");
    const bool ok = renderer.openWindow(window, width, height, wantVsync);
    readRefreshRate();
    kpLog(ok ? "  [OK]\n" : "  [NG]\n");
    if (ok) {
        kpLog(std::string("  driver  = ") + renderer.name() + "\n");
        kpLog(renderer.vsync() ? "  vsync   = on\n" : "  vsync   = off\n");
        kpLogValue("  scale   =", windowScale);
    }
    gPlatform.renderer = ok ? &renderer : nullptr;
    return ok;
}

void SdlWindow::destroyDevice() {
    if (!renderer.isOpen()) return;
    kpLog(" <SDL_DestroyRenderer>\n");
    renderer.close();
    if (gPlatform.renderer == &renderer) gPlatform.renderer = nullptr;
}

void SdlWindow::show() {
    if (!window) return;
    SDL_ShowWindow(window);
    // Placed again once shown: only now does SDL know the frame the desktop put around the
    // window, and so place the client area exactly where position() will read it back.
    if (!fullScreen) SDL_SetWindowPosition(window, placedLeft, placedTop);
    SDL_RaiseWindow(window);
    shown = true;
}

void SdlWindow::setWindowed(bool windowed) {
    if (!window || windowed == !fullScreen) return;
    if (windowed)
        leaveFullScreen();
    else
        enterFullScreen();
}

void SdlWindow::position(int& left, int& top) {
    left = placedLeft, top = placedTop;
    if (window && !fullScreen && shown) SDL_GetWindowPosition(window, &left, &top);
}

void SdlWindow::size(int& w, int& h) {
    w = placedW, h = placedH;
    if (window && !fullScreen && shown) SDL_GetWindowSize(window, &w, &h);
}

int SdlWindow::scale() const {
    int w = placedW, h = placedH;
    if (window && !fullScreen && shown) SDL_GetWindowSize(window, &w, &h);
    return std::max(1, std::min(w / width, h / height));
}

void SdlWindow::setScale(int scale) {
    if (!window) return;
    if (!fullScreen) position(placedLeft, placedTop);
    const SDL_Rect at{placedLeft, placedTop, width, height};
    const int display = displayOf(at);
    windowScale = fittingScale(display < 0 ? 0 : display, width, height, scale);
    placedW = width * windowScale, placedH = height * windowScale;
    if (!fullScreen) SDL_SetWindowSize(window, placedW, placedH);
}

void SdlWindow::setVsync(bool on) {
    wantVsync = on;
    renderer.setVsync(on);
    kpLog(renderer.vsync() ? " <SDL_RenderSetVSync> on\n" : " <SDL_RenderSetVSync> off\n");
}

KWindowEvents SdlWindow::handleEvents() {
    KWindowEvents out;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            out.close = true;
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                out.close = true;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                out.focusLost = true;
                break;
            case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                readRefreshRate(); // moved to another display
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                out.exposed = true;
                break;
            default:
                break;
            }
            break;
        case SDL_KEYDOWN: {
            if (event.key.repeat) break;
            sdlTrace("keydown");
            const SDL_Scancode key = event.key.keysym.scancode;
            if (key == SDL_SCANCODE_P) out.pause = true;
            if (key == SDL_SCANCODE_F11 ||
                ((key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER) &&
                 (event.key.keysym.mod & KMOD_ALT)))
                out.switchScreen = true;
            break;
        }
        case SDL_CONTROLLERBUTTONDOWN:
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START) out.pause = true;
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            out.exposed = true;
            break;
        default:
            break;
        }
    }
    return out;
}

void SdlWindow::idle(uint32_t ms) {
    SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
}

void SdlWindow::destroy() {
    destroyDevice();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    if (fullScreen) SDL_ShowCursor(SDL_ENABLE);
    fullScreen = false;
    shown = false;
    if (videoInitialised) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoInitialised = false;
}
