#include "sdl_virtual_pad.h"

#include <SDL.h>

namespace {
int deviceIndex = -1;
SDL_Joystick* joystick = nullptr;
bool systemUp = false;
} // namespace

bool sdlAttachVirtualPad() {
    if (joystick) return true;
    if (!systemUp) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
        systemUp = true;
    }
    deviceIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    if (deviceIndex < 0) return false;
    joystick = SDL_JoystickOpen(deviceIndex);
    return joystick != nullptr;
}

void sdlDetachVirtualPad() {
    if (joystick) SDL_JoystickClose(joystick);
    joystick = nullptr;
    if (deviceIndex >= 0) SDL_JoystickDetachVirtual(deviceIndex);
    deviceIndex = -1;
    if (!systemUp) return;
    SDL_JoystickUpdate();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    systemUp = false;
}

void sdlVirtualPadButton(SdlPadButton button, bool down) {
    if (joystick) SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
}

void sdlVirtualPadAxis(SdlPadAxis axis, int value) {
    if (joystick) SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(value));
}
