#include "sdl_virtual_pad.h"

#include <SDL.h>

namespace {
constexpr int maxPads = 4;
struct VirtualPad {
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};
VirtualPad pads[maxPads];
bool systemUp = false;

void detach(VirtualPad& pad) {
    if (!pad.joystick) return;
    // Found by its instance: the device indexes of the pads after it move down.
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad.joystick);
    SDL_JoystickClose(pad.joystick);
    pad.joystick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    pad.deviceIndex = -1;
}
} // namespace

bool sdlAttachVirtualPad(int which) {
    if (which < 0 || which >= maxPads) return false;
    VirtualPad& pad = pads[which];
    if (pad.joystick) return true;
    if (!systemUp) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
        systemUp = true;
    }
    pad.deviceIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    if (pad.deviceIndex < 0) return false;
    pad.joystick = SDL_JoystickOpen(pad.deviceIndex);
    return pad.joystick != nullptr;
}

void sdlDetachVirtualPad(int which) {
    for (int i = 0; i < maxPads; ++i)
        if (which < 0 || which == i) detach(pads[i]);
    if (!systemUp) return;
    SDL_JoystickUpdate();
    if (which >= 0) {
        for (const VirtualPad& pad : pads)
            if (pad.joystick) return;
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    systemUp = false;
}

void sdlVirtualPadButton(SdlPadButton button, bool down, int which) {
    if (which >= 0 && which < maxPads && pads[which].joystick)
        SDL_JoystickSetVirtualButton(pads[which].joystick, button, down ? 1 : 0);
}

void sdlVirtualPadAxis(SdlPadAxis axis, int value, int which) {
    if (which >= 0 && which < maxPads && pads[which].joystick)
        SDL_JoystickSetVirtualAxis(pads[which].joystick, axis, static_cast<Sint16>(value));
}

void sdlPumpPads() {
    SDL_JoystickUpdate();
}

std::string sdlVirtualPadGuid(int which) {
    if (which < 0 || which >= maxPads || !pads[which].joystick) return "";
    char text[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(pads[which].joystick), text, sizeof text);
    // Mapping files leave out the name's check sum (bytes 2 and 3), so one line fits the pad
    // under any name.
    std::string guid = text;
    if (guid.size() >= 8) guid.replace(4, 4, "0000");
    return guid;
}

void sdlPushKeyEvent(const char* name, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = SDL_GetScancodeFromName(name);
    SDL_PushEvent(&event);
}
