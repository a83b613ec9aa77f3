#pragma once
// Keyboard and pad on SDL: the keyboard state mapped onto the scan codes the button word reads,
// and the first game controller with eight buttons, the left stick and the d-pad.
#include <cstdint>

#include "../platform.h"

struct _SDL_GameController;

class SdlInput : public PlatformInput {
public:
    SdlInput() = default;
    ~SdlInput() override;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;

    void openDevices() override;
    // Lets the pad go and stops the pad subsystem; SDL must still be running.
    void closeDevices();
    bool readKeys(uint8_t keys[256]) override;
    bool readPad(KPadState& pad) override;
    uint32_t readViewerKeys() override;
    bool hasPad() const { return pad != nullptr; }

private:
    bool findPad();
    void closePad();

    bool padSystem = false;
    _SDL_GameController* pad = nullptr;
    int keysDown = 0; // for the measuring trace
};

// Maps SDL's keyboard state (indexed by SDL scancode) onto 256 key states indexed by our scan
// codes, 0x80 while down.
void sdlMapKeys(const uint8_t* sdlState, int sdlCount, uint8_t keys[256]);
// SDL's scancode for a key name such as "Z" or "Left"; 0 when unknown.
int sdlScancodeFromName(const char* name);
// A stick axis (-32768..32767) scaled to -1000..+1000.
int sdlScaleAxis(int value);
