#pragma once
#include <string>

// A virtual game controller, for tests: the input backend sees it as a pad plugged in.

// Button numbers as the controller names them.
enum SdlPadButton {
    SDL_PAD_A = 0,
    SDL_PAD_B = 1,
    SDL_PAD_X = 2,
    SDL_PAD_Y = 3,
    SDL_PAD_BACK = 4,
    SDL_PAD_GUIDE = 5,
    SDL_PAD_START = 6,
    SDL_PAD_LEFT_STICK = 7,
    SDL_PAD_RIGHT_STICK = 8,
    SDL_PAD_LEFT_SHOULDER = 9,
    SDL_PAD_RIGHT_SHOULDER = 10,
    SDL_PAD_DPAD_UP = 11,
    SDL_PAD_DPAD_DOWN = 12,
    SDL_PAD_DPAD_LEFT = 13,
    SDL_PAD_DPAD_RIGHT = 14,
};
enum SdlPadAxis { SDL_PAD_LEFT_X = 0, SDL_PAD_LEFT_Y = 1 };

// Starts the pad subsystem if needed and plugs in virtual pad `which` (0..3). False on failure.
bool sdlAttachVirtualPad(int which = 0);
// Unplugs one pad, or every pad (-1); the subsystem stops with the last.
void sdlDetachVirtualPad(int which = -1);
void sdlVirtualPadButton(SdlPadButton button, bool down, int which = 0);
void sdlVirtualPadAxis(SdlPadAxis axis, int value, int which = 0); // -32768..32767
// The pad's GUID as gamecontrollerdb.txt writes it; empty when it is not plugged in.
std::string sdlVirtualPadGuid(int which = 0);
// Lets SDL read the virtual pads now, as it would between two frames: button changes become
// events then.
void sdlPumpPads();
// Puts a key's press or release into SDL's event queue, as the desktop would; the keyboard
// state itself does not change, as with a tap that came and went between two frames.
void sdlPushKeyEvent(const char* name, bool down);
