#include "platform.h"

#include <cstdlib>

#include "../log.h"

Platform gPlatform;

void kpLog(const std::string& text) {
    klWrite(text);
}

void kpLogValue(const char* label, long long value) {
    klValue(label, value);
}

const uint8_t kpReservedKeys[] = {
    KI_KEY_ESCAPE,    KI_KEY_P,         KI_KEY_TAB,    KI_KEY_F11,   KI_KEY_ENTER,
    KI_KEY_PAD_ENTER, KI_KEY_MINUS,     KI_KEY_EQUALS, KI_KEY_SPACE, KI_KEY_PERIOD,
    KI_KEY_PAGE_UP,   KI_KEY_PAGE_DOWN, KI_KEY_HOME,
};
const int kpReservedKeyCount = static_cast<int>(sizeof kpReservedKeys);
const int kpReservedPadButtons[] = {KP_START, KP_GUIDE, KP_LEFT_STICK, KP_RIGHT_STICK};
const int kpReservedPadButtonCount =
    static_cast<int>(sizeof kpReservedPadButtons / sizeof kpReservedPadButtons[0]);

bool kpKeyReserved(int scan) {
    for (int i = 0; i < kpReservedKeyCount; ++i)
        if (kpReservedKeys[i] == scan) return true;
    return false;
}

bool kpPadButtonReserved(int button) {
    for (int i = 0; i < kpReservedPadButtonCount; ++i)
        if (kpReservedPadButtons[i] == button) return true;
    return false;
}

// Without a machine to name them, codes go by number: "#44".
namespace {
std::string numbered(int code, int limit) {
    if (code < 0 || code >= limit) return "";
    return "#" + std::to_string(code);
}

int fromNumbered(const std::string& name, int limit) {
    if (name.size() < 2 || name[0] != '#') return -1;
    char* end = nullptr;
    const long v = std::strtol(name.c_str() + 1, &end, 10);
    if (*end != '\0' || v < 0 || v >= limit) return -1;
    return static_cast<int>(v);
}
} // namespace

std::string PlatformInput::keyName(int scan) const {
    return numbered(scan, 256);
}

int PlatformInput::keyFromName(const std::string& name) const {
    return fromNumbered(name, 256);
}

std::string PlatformInput::padButtonName(int button) const {
    return numbered(button, KP_BUTTON_COUNT);
}

int PlatformInput::padButtonFromName(const std::string& name) const {
    return fromNumbered(name, KP_BUTTON_COUNT);
}
