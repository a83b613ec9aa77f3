#include "sdl_input.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "../files.h"
#include "sdl_trace.h"

static_assert(int{KP_A} == int{SDL_CONTROLLER_BUTTON_A} &&
                  int{KP_START} == int{SDL_CONTROLLER_BUTTON_START} &&
                  int{KP_DPAD_RIGHT} == int{SDL_CONTROLLER_BUTTON_DPAD_RIGHT} &&
                  int{KP_BUTTON_COUNT} == int{SDL_CONTROLLER_BUTTON_MAX},
              "our pad buttons are numbered as SDL numbers them");

namespace {
struct KeyMap {
    SDL_Scancode sdl;
    uint8_t scan;
};
// Every key a player may bind, with the scan code the key states carry it under.
constexpr KeyMap keyMap[] = {
    {SDL_SCANCODE_ESCAPE, KI_KEY_ESCAPE},
    {SDL_SCANCODE_1, 0x02},
    {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05},
    {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},
    {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},
    {SDL_SCANCODE_0, 0x0B},
    {SDL_SCANCODE_MINUS, KI_KEY_MINUS},
    {SDL_SCANCODE_EQUALS, KI_KEY_EQUALS},
    {SDL_SCANCODE_BACKSPACE, 0x0E},
    {SDL_SCANCODE_TAB, KI_KEY_TAB},
    {SDL_SCANCODE_Q, 0x10},
    {SDL_SCANCODE_W, 0x11},
    {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14},
    {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},
    {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, KI_KEY_P},
    {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, KI_KEY_ENTER},
    {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},
    {SDL_SCANCODE_D, 0x20},
    {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},
    {SDL_SCANCODE_H, 0x23},
    {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26},
    {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29},
    {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_Z, KI_KEY_Z},
    {SDL_SCANCODE_X, KI_KEY_X},
    {SDL_SCANCODE_C, KI_KEY_C},
    {SDL_SCANCODE_V, KI_KEY_V},
    {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31},
    {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, KI_KEY_PERIOD},
    {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37},
    {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, KI_KEY_SPACE},
    {SDL_SCANCODE_CAPSLOCK, 0x3A},
    {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43},
    {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49},
    {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C},
    {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F},
    {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    {SDL_SCANCODE_F11, KI_KEY_F11},
    {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_KP_ENTER, KI_KEY_PAD_ENTER},
    {SDL_SCANCODE_RCTRL, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_RALT, 0xB8},
    {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_HOME, KI_KEY_HOME},
    {SDL_SCANCODE_UP, KI_KEY_UP},
    {SDL_SCANCODE_PAGEUP, KI_KEY_PAGE_UP},
    {SDL_SCANCODE_LEFT, KI_KEY_LEFT},
    {SDL_SCANCODE_RIGHT, KI_KEY_RIGHT},
    {SDL_SCANCODE_END, 0xCF},
    {SDL_SCANCODE_DOWN, KI_KEY_DOWN},
    {SDL_SCANCODE_PAGEDOWN, KI_KEY_PAGE_DOWN},
    {SDL_SCANCODE_INSERT, 0xD2},
    {SDL_SCANCODE_DELETE, 0xD3},
    {SDL_SCANCODE_LGUI, 0xDB},
    {SDL_SCANCODE_RGUI, 0xDC},
    {SDL_SCANCODE_APPLICATION, 0xDD},
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
    kpLog(step);
    kpLog(ok ? " [OK]\n" : " [NG]\n");
}

int deflection(int v) {
    return v < 0 ? -v : v;
}
} // namespace

void sdlMapKeys(const uint8_t* sdlState, int sdlCount, uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    if (!sdlState) return;
    for (const KeyMap& k : keyMap)
        if (k.sdl < sdlCount && sdlState[k.sdl]) keys[k.scan] = 0x80;
}

int sdlScanFromScancode(int scancode) {
    for (const KeyMap& k : keyMap)
        if (k.sdl == scancode) return k.scan;
    return 0;
}

int sdlScancodeFromScan(int scan) {
    for (const KeyMap& k : keyMap)
        if (k.scan == scan) return k.sdl;
    return 0;
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
    closePads();
    if (watching) SDL_DelEventWatch(&SdlInput::watch, this);
    watching = false;
    if (padSystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    padSystem = false;
}

int SdlInput::watch(void* self, SDL_Event* event) {
    auto* input = static_cast<SdlInput*>(self);
    if (event->type == SDL_KEYDOWN && !event->key.repeat) {
        const int scan = sdlScanFromScancode(event->key.keysym.scancode);
        if (scan) input->tappedKeys[scan] = 0x80;
    } else if (event->type == SDL_CONTROLLERBUTTONDOWN) {
        if (event->cbutton.button < KP_BUTTON_COUNT)
            input->tappedButtons |= 1u << event->cbutton.button;
    }
    return 0;
}

void SdlInput::startWatching() {
    if (watching) return;
    SDL_AddEventWatch(&SdlInput::watch, this);
    watching = true;
}

int SdlInput::loadMappings(const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) return -1; // there is none: nothing to say
    const int added = SDL_GameControllerAddMappingsFromRW(file, 1);
    kpLog(" <SDL_GameControllerAddMappingsFromRW> " + path + "\n");
    if (added < 0)
        kpLog("  [NG]\n");
    else
        kpLogValue("  mappings =", added);
    return added;
}

void SdlInput::openDevices() {
    kpLog("<KilnInput::kiCreateKeyDevice>\n");
    int count = 0;
    logStep(" <SDL_GetKeyboardState>\n", SDL_GetKeyboardState(&count) != nullptr && count > 0);
    startWatching();
    kpLog("<KilnInput::kiCreatePadDevice>\n");
    if (!padSystem) {
        padSystem = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        logStep(" <SDL_InitSubSystem (GAMECONTROLLER)>\n", padSystem);
    }
    if (!padSystem) return;
    // The installed mappings first, then the player's own, then the environment's: a later
    // mapping for the same pad replaces an earlier one.
    const std::string data = pfDataDir();
    if (!data.empty()) loadMappings(data + "/gamecontrollerdb.txt");
    loadMappings("gamecontrollerdb.txt");
    if (const char* env = SDL_getenv("SDL_GAMECONTROLLERCONFIG")) {
        std::istringstream lines(env);
        std::string line;
        int added = 0;
        while (std::getline(lines, line))
            if (!line.empty() && line[0] != '#' && SDL_GameControllerAddMapping(line.c_str()) >= 0)
                added += 1;
        kpLogValue(" <SDL_GAMECONTROLLERCONFIG>\n  mappings =", added);
    }
    findPads();
    logStep(" <SDL_GameControllerOpen>\n", !pads.empty());
    kpLogValue("  pads =", static_cast<int>(pads.size()));
}

// Pads come and go while the game runs: an unplugged one is let go, a new one is opened.
void SdlInput::findPads() {
    for (size_t i = 0; i < pads.size();) {
        if (SDL_GameControllerGetAttached(pads[i])) {
            ++i;
            continue;
        }
        SDL_GameControllerClose(pads[i]);
        pads.erase(pads.begin() + static_cast<long>(i));
        sdlTrace("pad out");
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        bool open = false;
        for (_SDL_GameController* pad : pads)
            if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) open = true;
        if (open) continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(i)) {
            pads.push_back(pad);
            sdlTrace("pad in");
        }
    }
}

void SdlInput::closePads() {
    for (_SDL_GameController* pad : pads) SDL_GameControllerClose(pad);
    pads.clear();
}

bool SdlInput::readKeys(uint8_t keys[256]) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    sdlMapKeys(state, count, keys);
    for (int i = 0; i < 256; ++i) keys[i] |= tappedKeys[i];
    std::memset(tappedKeys, 0, sizeof tappedKeys);
    int down = 0;
    for (int i = 0; i < 256; ++i) down += keys[i] ? 1 : 0;
    if (down != keysDown) sdlTrace("keys", down);
    keysDown = down;
    return state != nullptr;
}

bool SdlInput::readPad(KPadState& out) {
    if (!padSystem) return false;
    SDL_GameControllerUpdate();
    findPads();
    out = KPadState{};
    out.buttons = tappedButtons;
    tappedButtons = 0;
    if (pads.empty()) return false;
    for (_SDL_GameController* pad : pads) {
        for (int b = 0; b < KP_BUTTON_COUNT; ++b)
            if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b)))
                out.buttons |= 1u << b;
        const int x = sdlScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
        const int y = sdlScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
        if (deflection(x) > deflection(out.x)) out.x = x;
        if (deflection(y) > deflection(out.y)) out.y = y;
    }
    return true;
}

uint32_t SdlInput::readViewerKeys() {
    uint32_t held = 0;
    int count = 0;
    if (const Uint8* state = SDL_GetKeyboardState(&count))
        for (const ViewerKey& k : viewerKeys)
            if (k.sdl < count && state[k.sdl]) held |= k.bit;
    if (pads.empty()) return held;
    SDL_GameControllerUpdate(); // a paused viewer runs no frame, so the pads are read here too
    for (_SDL_GameController* pad : pads) {
        auto axis = [pad](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(pad, a); };
        auto button = [pad](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(pad, b) != 0;
        };
        if (axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) >= kHalfAxis) held |= KV_SLOWER;
        if (axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kHalfAxis) held |= KV_FASTER;
        if (button(SDL_CONTROLLER_BUTTON_RIGHTSTICK)) held |= KV_PAUSE;
        if (button(SDL_CONTROLLER_BUTTON_LEFTSTICK)) held |= KV_STEP;
        if (axis(SDL_CONTROLLER_AXIS_RIGHTX) <= -kHalfAxis) held |= KV_BACK;
        if (axis(SDL_CONTROLLER_AXIS_RIGHTX) >= kHalfAxis) held |= KV_FORWARD;
        if (axis(SDL_CONTROLLER_AXIS_RIGHTY) <= -kHalfAxis) held |= KV_FIELD_START;
    }
    return held;
}

std::string SdlInput::keyName(int scan) const {
    const int code = sdlScancodeFromScan(scan);
    if (!code) return "";
    return SDL_GetScancodeName(static_cast<SDL_Scancode>(code));
}

int SdlInput::keyFromName(const std::string& name) const {
    const int scan = sdlScanFromScancode(sdlScancodeFromName(name.c_str()));
    return scan ? scan : -1;
}

std::string SdlInput::padButtonName(int button) const {
    if (button < 0 || button >= KP_BUTTON_COUNT) return "";
    const char* name =
        SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name ? name : "";
}

int SdlInput::padButtonFromName(const std::string& name) const {
    const SDL_GameControllerButton b = SDL_GameControllerGetButtonFromString(name.c_str());
    return b == SDL_CONTROLLER_BUTTON_INVALID ? -1 : static_cast<int>(b);
}
