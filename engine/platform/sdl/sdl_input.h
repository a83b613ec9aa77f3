#pragma once
// Keyboard and pads on SDL: the keyboard state mapped onto the scan codes the button word reads,
// and every game controller plugged in, together. Key and button presses are also caught as they
// arrive, so that one pressed and let go between two reads still counts once.
#include <cstdint>
#include <string>
#include <vector>

#include "../platform.h"

struct _SDL_GameController;
union SDL_Event;

class SdlInput : public PlatformInput {
public:
    SdlInput() = default;
    ~SdlInput() override;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;

    // Reads the pad mappings (the data folder's gamecontrollerdb.txt, the game root's, then
    // SDL_GAMECONTROLLERCONFIG), starts the pad subsystem and opens every pad there is.
    void openDevices() override;
    // Lets the pads go and stops the pad subsystem; SDL must still be running.
    void closeDevices();
    bool readKeys(uint8_t keys[256]) override;
    bool readPad(KPadState& pad) override;
    std::string keyName(int scan) const override;
    int keyFromName(const std::string& name) const override;
    std::string padButtonName(int button) const override;
    int padButtonFromName(const std::string& name) const override;

    int padCount() const { return static_cast<int>(pads.size()); }
    bool hasPad() const { return !pads.empty(); }

private:
    static int watch(void* self, SDL_Event* event);
    void startWatching();
    void findPads();
    void closePads();
    int loadMappings(const std::string& path);

    bool padSystem = false;
    bool watching = false;
    std::vector<_SDL_GameController*> pads;
    uint8_t tappedKeys[256] = {}; // went down since the last read
    uint32_t tappedButtons = 0;
    int keysDown = 0; // for the measuring trace
};

// Maps SDL's keyboard state (indexed by SDL scancode) onto 256 key states indexed by our scan
// codes, 0x80 while down.
void sdlMapKeys(const uint8_t* sdlState, int sdlCount, uint8_t keys[256]);
// Our scan code for an SDL scancode, 0 when the key has none; and back (0 for none).
int sdlScanFromScancode(int scancode);
int sdlScancodeFromScan(int scan);
// SDL's scancode for a key name such as "Z" or "Left"; 0 when unknown.
int sdlScancodeFromName(const char* name);
// A stick axis (-32768..32767) scaled to -1000..+1000.
int sdlScaleAxis(int value);
