#include "input.h"

#include <cstring>

#include "log.h"
#include "platform/platform.h"

KilnInput* gInput = nullptr;

const uint32_t kiBindBits[kiBindCount] = {KI_BUTTON1, KI_BUTTON2, KI_BUTTON3, KI_BUTTON4,
                                          KI_UP,      KI_DOWN,    KI_LEFT,    KI_RIGHT};
const char* const kiBindNames[kiBindCount] = {"Fire", "Second", "Edit1", "Edit2",
                                              "Up",   "Down",   "Left",  "Right"};

namespace {
constexpr int axisThreshold = 500;

// Pad buttons that keep their place in the word whatever the bindings say.
struct PadBit {
    int button;
    uint32_t bit;
};
constexpr PadBit fixedPad[] = {
    {KP_LEFT_SHOULDER, KI_BUTTON5},
    {KP_RIGHT_SHOULDER, KI_BUTTON6},
    {KP_BACK, KI_BUTTON7},
};

// Keys that keep their place in the word whatever the bindings say.
struct KeyBit {
    uint8_t scan;
    uint32_t bit;
};
constexpr KeyBit fixedKeys[] = {
    {KI_KEY_ESCAPE, KI_ESCAPE},
    {KI_KEY_TAB, KI_TAB},
};
} // namespace

KIBindings kiDefaultBindings() {
    return KIBindings{
        {KI_KEY_Z, KI_KEY_X, KI_KEY_C, KI_KEY_V, KI_KEY_UP, KI_KEY_DOWN, KI_KEY_LEFT, KI_KEY_RIGHT},
        {KP_A, KP_B, KP_X, KP_Y, KP_DPAD_UP, KP_DPAD_DOWN, KP_DPAD_LEFT, KP_DPAD_RIGHT}};
}

void kiHoldWord(uint32_t word, uint8_t keys[256]) {
    const KIBindings keysOf = kiDefaultBindings();
    for (int i = 0; i < kiBindCount; ++i) keys[keysOf.key[i]] = (word & kiBindBits[i]) ? 0x80 : 0;
    for (const KeyBit& k : fixedKeys) keys[k.scan] = (word & k.bit) ? 0x80 : 0;
}

bool kiKeyBindable(int scan) {
    return scan > 0 && scan < 256 && !kpKeyReserved(scan);
}

bool kiPadButtonBindable(int button) {
    return button >= 0 && button < KP_BUTTON_COUNT && !kpPadButtonReserved(button);
}

bool kiBindKey(KIBindings& b, int index, int scan) {
    if (index < 0 || index >= kiBindCount || !kiKeyBindable(scan)) return false;
    for (int i = 0; i < kiBindCount; ++i)
        if (i != index && b.key[i] == scan) b.key[i] = b.key[index];
    b.key[index] = static_cast<uint8_t>(scan);
    return true;
}

bool kiBindPadButton(KIBindings& b, int index, int button) {
    if (index < 0 || index >= kiBindCount || !kiPadButtonBindable(button)) return false;
    for (int i = 0; i < kiBindCount; ++i)
        if (i != index && b.pad[i] == button) b.pad[i] = b.pad[index];
    b.pad[index] = static_cast<int8_t>(button);
    return true;
}

KilnInput::KilnInput() {
    klWrite("<KilnInput::KilnInput>\n");
    kimPlayBuf.push_back(0);
}

KilnInput::~KilnInput() {
    klWrite("<KilnInput::~KilnInput>\n");
}

uint32_t KilnInput::kiMapWord(const uint8_t* keys, const KPadState* pad) const {
    uint32_t word = 0;
    if (pad) {
        for (int i = 0; i < kiBindCount; ++i)
            if (pad->held(kimBindings.pad[i])) word |= kiBindBits[i];
        for (const PadBit& p : fixedPad)
            if (pad->held(p.button)) word |= p.bit;
        // The stick adds its directions to the buttons', as keyboard and pad do.
        if (pad->x >= axisThreshold) word |= KI_RIGHT;
        if (pad->x <= -axisThreshold) word |= KI_LEFT;
        if (pad->y >= axisThreshold) word |= KI_DOWN;
        if (pad->y <= -axisThreshold) word |= KI_UP;
    }
    if (keys) {
        for (int i = 0; i < kiBindCount; ++i)
            if (keys[kimBindings.key[i]] & 0x80) word |= kiBindBits[i];
        for (const KeyBit& k : fixedKeys)
            if (keys[k.scan] & 0x80) word |= k.bit;
    }
    return word;
}

namespace {
struct MenuKey {
    uint8_t scan;
    int button;
    uint32_t bit;
};
constexpr MenuKey menuKeys[] = {
    {KI_KEY_UP, KP_DPAD_UP, KI_UP},       {KI_KEY_DOWN, KP_DPAD_DOWN, KI_DOWN},
    {KI_KEY_LEFT, KP_DPAD_LEFT, KI_LEFT}, {KI_KEY_RIGHT, KP_DPAD_RIGHT, KI_RIGHT},
    {KI_KEY_Z, KP_A, KI_BUTTON1},         {KI_KEY_X, KP_B, KI_BUTTON2},
};
} // namespace

uint32_t KilnInput::kiMapMenuWord(const uint8_t* keys, const KPadState* pad) const {
    uint8_t others[256] = {};
    if (keys) std::memcpy(others, keys, sizeof others);
    KPadState otherPad;
    if (pad) otherPad = *pad;
    uint32_t word = 0;
    for (const MenuKey& k : menuKeys) {
        if (keys && (keys[k.scan] & 0x80)) word |= k.bit;
        if (pad && pad->held(k.button)) word |= k.bit;
        others[k.scan] = 0;
        otherPad.buttons &= ~(1u << k.button);
    }
    return word | kiMapWord(keys ? others : nullptr, pad ? &otherPad : nullptr);
}

uint32_t KilnInput::kiReadDevices() {
    PlatformInput* devices = gPlatform.input;
    if (!devices) return 0;
    KPadState pad;
    const bool padOk = devices->readPad(pad);
    uint8_t keys[256];
    const bool keysOk = devices->readKeys(keys);
    const uint8_t* k = keysOk ? keys : nullptr;
    const KPadState* p = padOk ? &pad : nullptr;
    return kimMenuKeys ? kiMapMenuWord(k, p) : kiMapWord(k, p);
}

void KilnInput::kiSwallowHeld() {
    // A direction held on is meant: the tank drives on at once.
    kimSwallowed = kiReadDevices() & ~(KI_UP | KI_DOWN | KI_LEFT | KI_RIGHT);
}

void KilnInput::kiPollLive() {
    kimOld = kimNow;
    kimNow = kiReadDevices();
    kimSwallowed &= kimNow; // a swallowed button counts again once it has been let go
    kimNow &= ~kimSwallowed;
}

void KilnInput::kiUpdate() {
    kiPollLive();
    if (kimRecording) {
        kimRecordBuf.push_back(kimNow);
        kimCursor += 1;
        return;
    }
    kimPlayOld = kimPlayNow;
    if (kimPlayBuf.empty()) {
        kimPlayNow = 0;
        kimCursor = 0;
        return;
    }
    if (kimCursor < 0 || static_cast<size_t>(kimCursor) >= kimPlayBuf.size()) kimCursor = 0;
    kimPlayNow = kimPlayBuf[static_cast<size_t>(kimCursor)];
    kimCursor += 1;
    if (static_cast<size_t>(kimCursor) >= kimPlayBuf.size()) kimCursor = 0;
}

void kiInitializeInput() {
    if (!gInput) gInput = new KilnInput();
}

void kiDisposeInput() {
    delete gInput;
    gInput = nullptr;
}
