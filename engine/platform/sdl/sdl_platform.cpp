#include "sdl_platform.h"

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include "../web/web.h"
#endif

uint32_t SdlTimer::ticks() {
    // SDL counts from its own start; the frame clock expects a clock that has been running a
    // while (like the machine's uptime), so that its first count closes a one-second window at
    // once and fps reads 1 from the first frame.
    constexpr uint32_t alreadyRunning = 1000;
    return SDL_GetTicks() + alreadyRunning;
}

void SdlTimer::sleep(uint32_t ms) {
    SDL_Delay(ms);
}

SdlPlatform::SdlPlatform() {
    started = SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0;
    gPlatform.timer = &timer;
    gPlatform.input = &input;
    gPlatform.audio = &audio;
    gPlatform.window = &window;
    gPlatform.renderer = nullptr; // the window's device, once created
#ifdef __EMSCRIPTEN__
    webStart();
#endif
}

SdlPlatform::~SdlPlatform() {
    // Everything SDL gave out goes back before SDL itself stops.
    window.destroy();
    input.closeDevices();
    while (audio.isOpen()) audio.close();
    gPlatform = Platform{};
    SDL_Quit();
}
