#pragma once
// One button word per frame from the keyboard and the pad, with record and playback buffers.
#include <cstdint>
#include <vector>

#include "platform/platform.h"

enum : uint32_t {
    KI_BUTTON1 = 0x0001,
    KI_BUTTON2 = 0x0002,
    KI_BUTTON3 = 0x0004,
    KI_BUTTON4 = 0x0008,
    KI_BUTTON5 = 0x0010,
    KI_BUTTON6 = 0x0020,
    KI_BUTTON7 = 0x0040,
    KI_BUTTON8 = 0x0080,
    KI_UP = 0x0100,
    KI_DOWN = 0x0200,
    KI_LEFT = 0x0400,
    KI_RIGHT = 0x0800,
    KI_ESCAPE = 0x1000,
    KI_TAB = 0x2000,
};

// The buttons a player can move to other keys and pad buttons, in the order of zent.ini and of
// the controls screen: fire, the second button, the two editor buttons, the four directions.
constexpr int kiBindCount = 8;
extern const uint32_t kiBindBits[kiBindCount];
// The names of the bindings in zent.ini.
extern const char* const kiBindNames[kiBindCount];

struct KIBindings {
    uint8_t key[kiBindCount]; // scan code of the key
    int8_t pad[kiBindCount];  // KPadButton, -1 for none
    bool operator==(const KIBindings&) const = default;
};
// Z X C V and the arrows; the pad's A B X Y and the d-pad.
KIBindings kiDefaultBindings();
// Holds exactly the keys that give `word` through the default bindings, Escape and Tab
// included, and lets go of the rest of them: how a scripted player presses its buttons.
void kiHoldWord(uint32_t word, uint8_t keys[256]);
// Whether a key or pad button may be bound to a button: not one with a job of its own.
bool kiKeyBindable(int scan);
bool kiPadButtonBindable(int button);
// Gives binding `index` the key (or pad button); a button that had it takes the old one in
// exchange, so that no key ever drives two buttons. False when it may not be bound.
bool kiBindKey(KIBindings& bindings, int index, int scan);
bool kiBindPadButton(KIBindings& bindings, int index, int button);

class KilnInput {
public:
    KilnInput();
    ~KilnInput();
    KilnInput(const KilnInput&) = delete;
    KilnInput& operator=(const KilnInput&) = delete;

    // The per-frame poll.
    void kiUpdate();
    // The live half of the poll alone: the devices into kimNow, kimNow into kimOld; the record
    // and the playback stay where they are. For a turn without a frame (a paused replay).
    void kiPollLive();
    // The button word the devices give now, through the bindings; nothing of the input's state
    // moves (menus read it while no frame runs).
    uint32_t kiReadDevices();
    // The word that key states and a pad state give through the bindings (either may be null).
    uint32_t kiMapWord(const uint8_t* keys, const KPadState* pad) const;
    // The same for a menu: the arrows, Z and X, and the pad's d-pad, A and B mean what they mean
    // by default whatever the bindings gave them, so that no binding loses a menu its way; the
    // other bound keys and buttons work as well.
    uint32_t kiMapMenuWord(const uint8_t* keys, const KPadState* pad) const;
    // Buttons held now (not the directions) stay out of the word until they are let go, so
    // that the push that closed a menu is not seen again by the frames that follow.
    void kiSwallowHeld();

    bool kiIsHeld(uint32_t mask) const { return (current() & mask) != 0; }
    bool kiIsPushed(uint32_t mask) const {
        const uint32_t now = current();
        return (((previous() ^ now) & now) & mask) != 0;
    }

    uint32_t kimNow = 0, kimOld = 0;
    uint32_t kimPlayNow = 0, kimPlayOld = 0;
    bool kimUsePlay = false;
    bool kimRecording = false;
    int32_t kimCursor = 0;
    std::vector<uint32_t> kimRecordBuf;
    std::vector<uint32_t> kimPlayBuf;
    KIBindings kimBindings = kiDefaultBindings();
    // The polls read the devices as a menu does (kiMapMenuWord): set for the scenes that are
    // menus, never while a play runs.
    bool kimMenuKeys = false;

private:
    uint32_t kimSwallowed = 0;
    uint32_t current() const { return kimUsePlay ? kimPlayNow : kimNow; }
    uint32_t previous() const { return kimUsePlay ? kimPlayOld : kimOld; }
};

extern KilnInput* gInput;

// Creates the one instance and opens the devices of the platform in use.
void kiInitializeInput();
void kiDisposeInput();
