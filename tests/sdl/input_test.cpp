// The keyboard and pad as the button word sees them through the SDL backend.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "input.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_virtual_pad.h"

namespace {
struct KeyCase {
    const char* name;
    uint8_t scan;
    uint32_t bit;
};
constexpr KeyCase keyCases[] = {
    {"Z", KI_KEY_Z, KI_BUTTON1},
    {"X", KI_KEY_X, KI_BUTTON2},
    {"C", KI_KEY_C, KI_BUTTON3},
    {"V", KI_KEY_V, KI_BUTTON4},
    {"Up", KI_KEY_UP, KI_UP},
    {"Down", KI_KEY_DOWN, KI_DOWN},
    {"Left", KI_KEY_LEFT, KI_LEFT},
    {"Right", KI_KEY_RIGHT, KI_RIGHT},
    {"Escape", KI_KEY_ESCAPE, KI_ESCAPE},
    {"Tab", KI_KEY_TAB, KI_TAB},
};
} // namespace

TEST(Keyboard, EachKeyReachesItsScanCodeAndNothingElse) {
    for (const KeyCase& k : keyCases) {
        const int code = sdlScancodeFromName(k.name);
        ASSERT_GT(code, 0) << k.name;
        uint8_t sdl[512] = {};
        sdl[code] = 1;
        uint8_t keys[256];
        std::memset(keys, 0xAA, sizeof keys); // stale contents must not survive
        sdlMapKeys(sdl, 512, keys);
        for (int scan = 0; scan < 256; ++scan)
            EXPECT_EQ(keys[scan], scan == k.scan ? 0x80 : 0) << k.name << " scan " << scan;
    }
}

TEST(Keyboard, OtherKeysAndShortStatesAreIgnored) {
    uint8_t sdl[512] = {};
    sdl[sdlScancodeFromName("A")] = 1;
    sdl[sdlScancodeFromName("Return")] = 1;
    uint8_t keys[256];
    sdlMapKeys(sdl, 512, keys);
    for (int scan = 0; scan < 256; ++scan) EXPECT_EQ(keys[scan], 0);
    // A state array too short to hold a key never reads past its end.
    sdl[sdlScancodeFromName("Up")] = 1;
    sdlMapKeys(sdl, sdlScancodeFromName("Up"), keys);
    EXPECT_EQ(keys[KI_KEY_UP], 0);
}

TEST(PadAxis, ScaledToThousandWithTheHalfwayThreshold) {
    EXPECT_EQ(sdlScaleAxis(32767), 1000);
    EXPECT_EQ(sdlScaleAxis(-32768), -1000);
    EXPECT_EQ(sdlScaleAxis(0), 0);
    EXPECT_EQ(sdlScaleAxis(16384), 500);
    EXPECT_EQ(sdlScaleAxis(16350), 498);
    EXPECT_EQ(sdlScaleAxis(-16384), -500);
}

class Pad : public ::testing::Test {
protected:
    void SetUp() override {
        gPlatform.input = &devices;
        kiInitializeInput();
    }
    void TearDown() override {
        kiDisposeInput();
        sdlDetachVirtualPad();
        gPlatform.input = nullptr;
    }
    uint32_t poll() {
        gInput->kiUpdate();
        return gInput->kimNow;
    }
    SdlInput devices;
};

TEST_F(Pad, ButtonsStickAndDpadMakeTheButtonWord) {
    ASSERT_TRUE(sdlAttachVirtualPad());
    devices.openDevices();
    ASSERT_TRUE(devices.hasPad());
    const SdlPadButton order[8] = {SDL_PAD_A,
                                   SDL_PAD_B,
                                   SDL_PAD_X,
                                   SDL_PAD_Y,
                                   SDL_PAD_LEFT_SHOULDER,
                                   SDL_PAD_RIGHT_SHOULDER,
                                   SDL_PAD_BACK,
                                   SDL_PAD_START};
    for (int i = 0; i < 8; ++i) {
        sdlVirtualPadButton(order[i], true);
        EXPECT_EQ(poll() & 0xFFu, 1u << i) << "button " << i + 1;
        sdlVirtualPadButton(order[i], false);
    }
    EXPECT_EQ(poll() & 0xFFFu, 0u);

    sdlVirtualPadAxis(SDL_PAD_LEFT_X, 16384); // +500 after scaling
    EXPECT_TRUE(poll() & KI_RIGHT);
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, 16350); // +498
    EXPECT_FALSE(poll() & (KI_RIGHT | KI_LEFT));
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, -32768);
    EXPECT_TRUE(poll() & KI_LEFT);
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, 0);
    sdlVirtualPadAxis(SDL_PAD_LEFT_Y, -20000);
    EXPECT_EQ(poll() & 0xF00u, static_cast<uint32_t>(KI_UP));
    sdlVirtualPadAxis(SDL_PAD_LEFT_Y, 0);

    sdlVirtualPadButton(SDL_PAD_DPAD_DOWN, true);
    EXPECT_EQ(poll() & 0xF00u, static_cast<uint32_t>(KI_DOWN));
    sdlVirtualPadButton(SDL_PAD_DPAD_DOWN, false);
    sdlVirtualPadButton(SDL_PAD_DPAD_RIGHT, true);
    EXPECT_EQ(poll() & 0xF00u, static_cast<uint32_t>(KI_RIGHT));
    // The stick one way and the d-pad the other give both, as keyboard and pad do.
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, -32768);
    sdlVirtualPadAxis(SDL_PAD_LEFT_Y, 32767);
    EXPECT_EQ(poll() & 0xF00u, static_cast<uint32_t>(KI_RIGHT | KI_LEFT | KI_DOWN));
    sdlVirtualPadButton(SDL_PAD_DPAD_RIGHT, false);
    sdlVirtualPadButton(SDL_PAD_DPAD_UP, true);
    EXPECT_EQ(poll() & 0xF00u, static_cast<uint32_t>(KI_LEFT | KI_DOWN | KI_UP));
    sdlVirtualPadButton(SDL_PAD_DPAD_UP, false);
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, 0);
    sdlVirtualPadAxis(SDL_PAD_LEFT_Y, 0);
    EXPECT_EQ(poll(), 0u);
}

TEST_F(Pad, PluggedInLaterIsPickedUpAndUnpluggedIsLetGo) {
    devices.openDevices();
    EXPECT_FALSE(devices.hasPad());
    EXPECT_EQ(poll(), 0u);
    ASSERT_TRUE(sdlAttachVirtualPad());
    sdlVirtualPadButton(SDL_PAD_B, true);
    poll(); // the pad is found in this poll; its state may arrive a poll later
    EXPECT_TRUE(devices.hasPad());
    EXPECT_TRUE(poll() & KI_BUTTON2);
    sdlDetachVirtualPad();
    EXPECT_EQ(poll(), 0u);
    EXPECT_FALSE(devices.hasPad());
}

TEST_F(Pad, TheViewersControlsAreTheirOwnAndNotInTheButtonWord) {
    ASSERT_TRUE(sdlAttachVirtualPad());
    devices.openDevices();
    ASSERT_TRUE(devices.hasPad());
    struct Control {
        const char* what;
        bool axis;
        int which, value;
        uint32_t bit;
    };
    const Control controls[] = {
        {"left trigger", true, SDL_PAD_LEFT_TRIGGER, 32767, KV_SLOWER},
        {"right trigger", true, SDL_PAD_RIGHT_TRIGGER, 32767, KV_FASTER},
        {"right-stick click", false, SDL_PAD_RIGHT_STICK, 1, KV_PAUSE},
        {"left-stick click", false, SDL_PAD_LEFT_STICK, 1, KV_STEP},
        {"right stick left", true, SDL_PAD_RIGHT_X, -32768, KV_BACK},
        {"right stick right", true, SDL_PAD_RIGHT_X, 32767, KV_FORWARD},
        {"right stick up", true, SDL_PAD_RIGHT_Y, -32768, KV_FIELD_START},
    };
    for (const Control& c : controls) {
        if (c.axis)
            sdlVirtualPadAxis(static_cast<SdlPadAxis>(c.which), c.value);
        else
            sdlVirtualPadButton(static_cast<SdlPadButton>(c.which), true);
        EXPECT_EQ(poll(), 0u) << c.what << " reaches the button word";
        EXPECT_EQ(devices.readViewerKeys(), c.bit) << c.what;
        if (c.axis)
            sdlVirtualPadAxis(static_cast<SdlPadAxis>(c.which),
                              c.which >= SDL_PAD_LEFT_TRIGGER ? -32768 : 0);
        else
            sdlVirtualPadButton(static_cast<SdlPadButton>(c.which), false);
        poll();
        EXPECT_EQ(devices.readViewerKeys(), 0u) << c.what << " let go";
    }
}

TEST(Keyboard, KeysNeverBoundAreKeysTheBackendKnows) {
    for (int i = 0; i < kNeverBoundKeyCount; ++i)
        EXPECT_NE(sdlScancodeFromName(kNeverBoundKeys[i]), 0) << kNeverBoundKeys[i];
}
