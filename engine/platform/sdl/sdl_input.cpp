#include "sdl_input.h"

#include <SDL.h>

#include <cstring>

#include "../../input.h"
#include "../../log.h"
#include "sdl_trace.h"

namespace {
struct KeyMap {
    SDL_Scancode sdl;
    uint8_t scan;
};
constexpr KeyMap keyMap[] = {
    {SDL_SCANCODE_Z, KI_KEY_Z},           {SDL_SCANCODE_X, KI_KEY_X},
    {SDL_SCANCODE_C, KI_KEY_C},           {SDL_SCANCODE_V, KI_KEY_V},
    {SDL_SCANCODE_UP, KI_KEY_UP},         {SDL_SCANCODE_DOWN, KI_KEY_DOWN},
    {SDL_SCANCODE_LEFT, KI_KEY_LEFT},     {SDL_SCANCODE_RIGHT, KI_KEY_RIGHT},
    {SDL_SCANCODE_ESCAPE, KI_KEY_ESCAPE}, {SDL_SCANCODE_TAB, KI_KEY_TAB},
};

// Pad buttons 1..8 of the button word.
constexpr SDL_GameControllerButton padButtons[8] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
};

// The replay viewer's keys.
struct ViewerKey {
    SDL_Scancode sdl;
    uint32_t bit;
};
constexpr ViewerKey viewerKeys[] = {
    {SDL_SCANCODE_MINUS, KV_SLOWER},     {SDL_SCANCODE_EQUALS, KV_FASTER},
    {SDL_SCANCODE_SPACE, KV_PAUSE},      {SDL_SCANCODE_PERIOD, KV_STEP},
    {SDL_SCANCODE_PAGEUP, KV_BACK},      {SDL_SCANCODE_PAGEDOWN, KV_FORWARD},
    {SDL_SCANCODE_HOME, KV_FIELD_START},
};
// Triggers and the right stick count from half their travel, as the left stick does.
constexpr int kHalfAxis = 16384;

void logStep(const char* step, bool ok) {
    klWrite(step);
    klWrite(ok ? " [OK]\n" : " [NG]\n");
}
} // namespace

void sdlMapKeys(const uint8_t* sdlState, int sdlCount, uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    if (!sdlState) return;
    for (const KeyMap& k : keyMap)
        if (k.sdl < sdlCount && sdlState[k.sdl]) keys[k.scan] = 0x80;
}

int sdlScancodeFromName(const char* name) {
    const SDL_Scancode code = SDL_GetScancodeFromName(name);
    return code == SDL_SCANCODE_UNKNOWN ? 0 : static_cast<int>(code);
}

int sdlScaleAxis(int value) {
    const int scaled = value * 1000 / 32767;
    return scaled < -1000 ? -1000 : (scaled > 1000 ? 1000 : scaled);
}

SdlInput::~SdlInput() {
    closeDevices();
}

void SdlInput::closeDevices() {
    closePad();
    if (padSystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    padSystem = false;
}

void SdlInput::openDevices() {
    klWrite("<KilnInput::kiCreateKeyDevice>\n");
    int count = 0;
    logStep(" <SDL_GetKeyboardState>\n", SDL_GetKeyboardState(&count) != nullptr && count > 0);
    klWrite("<KilnInput::kiCreatePadDevice>\n");
    if (!padSystem) {
        padSystem = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        logStep(" <SDL_InitSubSystem (GAMECONTROLLER)>\n", padSystem);
    }
    if (padSystem) logStep(" <SDL_GameControllerOpen>\n", findPad());
}

bool SdlInput::findPad() {
    if (!padSystem) return false;
    for (int i = 0; i < SDL_NumJoysticks() && !pad; ++i)
        if (SDL_IsGameController(i)) pad = SDL_GameControllerOpen(i);
    return pad != nullptr;
}

void SdlInput::closePad() {
    if (pad) SDL_GameControllerClose(pad);
    pad = nullptr;
}

bool SdlInput::readKeys(uint8_t keys[256]) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    sdlMapKeys(state, count, keys);
    int down = 0;
    for (int i = 0; i < 256; ++i) down += keys[i] ? 1 : 0;
    if (down != keysDown) sdlTrace("keys", down);
    keysDown = down;
    return state != nullptr;
}

bool SdlInput::readPad(KPadState& out) {
    if (!padSystem) return false;
    SDL_GameControllerUpdate();
    // Pads come and go while the game runs: an unplugged one is let go, a new one picked up.
    if (pad && !SDL_GameControllerGetAttached(pad)) closePad();
    if (!pad && !findPad()) return false;
    for (int i = 0; i < 8; ++i) out.buttons[i] = SDL_GameControllerGetButton(pad, padButtons[i]);
    out.x = sdlScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
    out.y = sdlScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    // The d-pad is read on its own: the input module adds its directions to the stick's.
    auto held = [this](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(pad, b) ? 1 : 0;
    };
    out.dpadX = static_cast<int8_t>(held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) -
                                    held(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
    out.dpadY = static_cast<int8_t>(held(SDL_CONTROLLER_BUTTON_DPAD_DOWN) -
                                    held(SDL_CONTROLLER_BUTTON_DPAD_UP));
    return true;
}

uint32_t SdlInput::readViewerKeys() {
    uint32_t held = 0;
    int count = 0;
    if (const Uint8* state = SDL_GetKeyboardState(&count))
        for (const ViewerKey& k : viewerKeys)
            if (k.sdl < count && state[k.sdl]) held |= k.bit;
    if (!pad) return held;
    SDL_GameControllerUpdate(); // a paused viewer runs no frame, so the pad is read here too
    auto axis = [this](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(pad, a); };
    if (axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) >= kHalfAxis) held |= KV_SLOWER;
    if (axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kHalfAxis) held |= KV_FASTER;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_RIGHTSTICK)) held |= KV_PAUSE;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_LEFTSTICK)) held |= KV_STEP;
    if (axis(SDL_CONTROLLER_AXIS_RIGHTX) <= -kHalfAxis) held |= KV_BACK;
    if (axis(SDL_CONTROLLER_AXIS_RIGHTX) >= kHalfAxis) held |= KV_FORWARD;
    if (axis(SDL_CONTROLLER_AXIS_RIGHTY) <= -kHalfAxis) held |= KV_FIELD_START;
    return held;
}
