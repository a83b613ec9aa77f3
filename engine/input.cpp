#include "input.h"

#include "log.h"
#include "platform/platform.h"

KilnInput* gInput = nullptr;

namespace {
struct KeyBit {
    uint8_t scan;
    uint32_t bit;
};
constexpr KeyBit keyTable[] = {
    {KI_KEY_Z, KI_BUTTON1}, {KI_KEY_X, KI_BUTTON2},   {KI_KEY_C, KI_BUTTON3},
    {KI_KEY_V, KI_BUTTON4}, {KI_KEY_UP, KI_UP},       {KI_KEY_DOWN, KI_DOWN},
    {KI_KEY_LEFT, KI_LEFT}, {KI_KEY_RIGHT, KI_RIGHT}, {KI_KEY_ESCAPE, KI_ESCAPE},
    {KI_KEY_TAB, KI_TAB},
};
constexpr int axisThreshold = 500;
} // namespace

KilnInput::KilnInput() {
    klWrite("<KilnInput::KilnInput>\n");
    kimPlayBuf.push_back(0);
}

KilnInput::~KilnInput() {
    klWrite("<KilnInput::~KilnInput>\n");
}

void KilnInput::kiPollLive() {
    kimOld = kimNow;
    kimNow = 0;
    if (PlatformInput* devices = gPlatform.input) {
        KPadState pad;
        if (devices->readPad(pad)) {
            for (int i = 0; i < 8; ++i)
                if (pad.buttons[i]) kimNow |= 1u << i;
            // Stick and d-pad each add their own directions, as keyboard and pad do.
            if (pad.x >= axisThreshold || pad.dpadX > 0) kimNow |= KI_RIGHT;
            if (pad.x <= -axisThreshold || pad.dpadX < 0) kimNow |= KI_LEFT;
            if (pad.y >= axisThreshold || pad.dpadY > 0) kimNow |= KI_DOWN;
            if (pad.y <= -axisThreshold || pad.dpadY < 0) kimNow |= KI_UP;
        }
        uint8_t keys[256];
        if (devices->readKeys(keys))
            for (const KeyBit& k : keyTable)
                if (keys[k.scan] & 0x80) kimNow |= k.bit;
    }
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
