#pragma once
// A virtual game controller, for tests: the input backend sees it as a pad plugged in.

// Button numbers as the controller names them.
enum SdlPadButton {
    SDL_PAD_A = 0,
    SDL_PAD_B = 1,
    SDL_PAD_X = 2,
    SDL_PAD_Y = 3,
    SDL_PAD_BACK = 4,
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
enum SdlPadAxis {
    SDL_PAD_LEFT_X = 0,
    SDL_PAD_LEFT_Y = 1,
    SDL_PAD_RIGHT_X = 2,
    SDL_PAD_RIGHT_Y = 3,
    SDL_PAD_LEFT_TRIGGER = 4,
    SDL_PAD_RIGHT_TRIGGER = 5,
};

// Starts the pad subsystem if needed and plugs in one virtual pad. False on failure.
bool sdlAttachVirtualPad();
void sdlDetachVirtualPad();
void sdlVirtualPadButton(SdlPadButton button, bool down);
void sdlVirtualPadAxis(SdlPadAxis axis, int value); // -32768..32767
