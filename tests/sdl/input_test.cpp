// The keyboard and pad as the button word sees them through the SDL backend.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config.h"
#include "files.h"
#include "input.h"
#include "platform/files.h"
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
    sdl[sdlScancodeFromName("F13")] = 1; // keys no binding can name
    sdl[sdlScancodeFromName("AC Back")] = 1;
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
    const SdlPadButton order[7] = {
        SDL_PAD_A,   SDL_PAD_B, SDL_PAD_X, SDL_PAD_Y, SDL_PAD_LEFT_SHOULDER, SDL_PAD_RIGHT_SHOULDER,
        SDL_PAD_BACK};
    for (int i = 0; i < 7; ++i) {
        sdlVirtualPadButton(order[i], true);
        EXPECT_EQ(poll() & 0xFFu, 1u << i) << "button " << i + 1;
        sdlVirtualPadButton(order[i], false);
    }
    // Start pauses: it is no button of the word, so resuming with it records nothing.
    sdlVirtualPadButton(SDL_PAD_START, true);
    EXPECT_EQ(poll(), 0u);
    sdlVirtualPadButton(SDL_PAD_START, false);
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

TEST_F(Pad, EveryPadFeedsTheWordAndEachCanGo) {
    ASSERT_TRUE(sdlAttachVirtualPad(0));
    ASSERT_TRUE(sdlAttachVirtualPad(1));
    devices.openDevices();
    EXPECT_EQ(devices.padCount(), 2);
    sdlVirtualPadButton(SDL_PAD_A, true, 0);
    sdlVirtualPadButton(SDL_PAD_B, true, 1);
    sdlVirtualPadAxis(SDL_PAD_LEFT_X, -32768, 1);
    EXPECT_EQ(poll(), KI_BUTTON1 | KI_BUTTON2 | KI_LEFT);
    sdlDetachVirtualPad(0);
    EXPECT_EQ(poll(), KI_BUTTON2 | KI_LEFT);
    EXPECT_EQ(devices.padCount(), 1);
    ASSERT_TRUE(sdlAttachVirtualPad(0)); // plugged in again while the game runs
    sdlVirtualPadButton(SDL_PAD_Y, true, 0);
    poll();
    EXPECT_EQ(devices.padCount(), 2);
    EXPECT_EQ(poll(), KI_BUTTON2 | KI_BUTTON4 | KI_LEFT);
}

// A press let go before the next poll still counts once, for the next frame only.
TEST_F(Pad, TapsBetweenTwoPollsAreSeenOnce) {
    ASSERT_TRUE(sdlAttachVirtualPad());
    devices.openDevices();
    EXPECT_EQ(poll(), 0u);
    gInput->kimRecording = true;
    sdlVirtualPadButton(SDL_PAD_X, true);
    sdlPumpPads(); // SDL sees it go down...
    sdlVirtualPadButton(SDL_PAD_X, false);
    sdlPumpPads(); // ...and up again, both before the frame
    poll();
    poll();
    sdlPushKeyEvent("W", true); // the same with a key
    sdlPushKeyEvent("W", false);
    gInput->kimBindings.key[0] = 0x11; // fire on W
    poll();
    poll();
    EXPECT_EQ(gInput->kimRecordBuf, (std::vector<uint32_t>{KI_BUTTON3, 0, KI_BUTTON1, 0}));
}

TEST_F(Pad, MappingsFromTheDataFolderTheRootAndTheEnvironment) {
    // The virtual pad's own layout puts raw button i on controller button i; a mapping that
    // swaps the first two shows which was read. Later sources win over earlier ones.
    const std::string home = pfCurrentDir();
    const std::filesystem::path dir = std::filesystem::path(home) / "pad_mappings";
    std::filesystem::create_directories(dir / "data");
    ASSERT_TRUE(pfChangeDir(dir.c_str()));
    ASSERT_TRUE(sdlAttachVirtualPad());
    const std::string guid = sdlVirtualPadGuid();
    ASSERT_FALSE(guid.empty());
    // A file's lines count only for the platform they name.
    const std::string swapped = guid + ",Swapped pad,a:b1,b:b0,platform:Linux,";
    const std::string plain = guid + ",Plain pad,a:b0,b:b1,platform:Linux,";
    sdlDetachVirtualPad();
    struct Case {
        const char* what;
        std::string data, root, env;
        uint32_t rawButton1; // what the pad's second raw button gives
    };
    const Case cases[] = {
        {"none", "", "", "", KI_BUTTON2},
        {"data folder", swapped, "", "", KI_BUTTON1},
        {"game root", "", swapped, "", KI_BUTTON1},
        {"game root over the data folder", swapped, plain, "", KI_BUTTON2},
        {"environment over the root", "", plain, swapped, KI_BUTTON1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "data/gamecontrollerdb.txt");
        std::filesystem::remove(dir / "gamecontrollerdb.txt");
        if (!c.data.empty()) writeText((dir / "data/gamecontrollerdb.txt").string(), c.data + "\n");
        if (!c.root.empty()) writeText((dir / "gamecontrollerdb.txt").string(), c.root + "\n");
        if (c.env.empty())
            unsetenv("SDL_GAMECONTROLLERCONFIG");
        else
            setenv("SDL_GAMECONTROLLERCONFIG", c.env.c_str(), 1);
        pfSetDataDir((dir / "data").string());
        ASSERT_TRUE(sdlAttachVirtualPad());
        devices.openDevices();
        sdlVirtualPadButton(SDL_PAD_B, true); // raw button 1
        poll();
        EXPECT_EQ(poll() & 0xFu, c.rawButton1) << c.what;
        devices.closeDevices();
        sdlDetachVirtualPad();
    }
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    pfSetDataDir("");
    pfChangeDir(home.c_str());
    std::filesystem::remove_all(dir);
}

TEST(Names, EveryKeyAndPadButtonRoundTripsThroughZentIni) {
    SdlInput names;
    int keys = 0;
    for (int scan = 1; scan < 256; ++scan) {
        const std::string name = names.keyName(scan);
        if (name.empty()) continue;
        keys += 1;
        EXPECT_EQ(names.keyFromName(name), scan) << name;
    }
    EXPECT_GE(keys, 100);
    for (int b = 0; b < KP_BUTTON_COUNT; ++b)
        EXPECT_EQ(names.padButtonFromName(names.padButtonName(b)), b) << b;
    EXPECT_EQ(names.keyFromName("no such key"), -1);
    EXPECT_EQ(names.padButtonFromName("no such button"), -1);

    gPlatform.input = &names;
    ZTConfig out;
    ASSERT_TRUE(kiBindKey(out.bindings, 0, names.keyFromName("Left Shift")));
    ASSERT_TRUE(kiBindKey(out.bindings, 4, names.keyFromName("W")));
    ASSERT_TRUE(kiBindPadButton(out.bindings, 0, KP_RIGHT_SHOULDER));
    const char* path = "names_round_trip.ini";
    ASSERT_TRUE(ztWriteConfig(path, out));
    const std::string text = readText(path);
    for (const char* line : {"[Keys]\nFire=Left Shift\nSecond=X\n", "Up=W\nDown=Down\n",
                             "[Pad]\nFire=rightshoulder\nSecond=b\n", "Right=dpright\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    ZTConfig in;
    ASSERT_TRUE(ztReadConfig(path, in));
    EXPECT_EQ(in.bindings, out.bindings);
    std::remove(path);
    gPlatform.input = nullptr;
}
