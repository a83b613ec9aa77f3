#include "sdl_platform.h"

#include <SDL.h>

uint32_t SdlTimer::ticks() {
    return SDL_GetTicks();
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
}

SdlPlatform::~SdlPlatform() {
    // Everything SDL gave out goes back before SDL itself stops.
    window.destroy();
    input.closeDevices();
    while (audio.isOpen()) audio.close();
    gPlatform = Platform{};
    SDL_Quit();
}
