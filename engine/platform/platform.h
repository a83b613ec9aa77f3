#pragma once
// The platform contract: everything the engine needs from the machine beyond plain files.
// The SDL backend drives a real window; the headless backend runs tests and batch tools.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A pre-transformed vertex: screen position, z, reciprocal w, ARGB colour, texture coordinates.
struct KVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(KVertex) == 28, "vertices are 28 bytes");

enum class KBlend { Alpha, None, Additive };

class PlatformTimer {
public:
    virtual ~PlatformTimer() = default;
    virtual uint32_t ticks() = 0; // milliseconds, wrapping at 2^32
    virtual void sleep(uint32_t ms) = 0;
};

class PlatformRenderer {
public:
    virtual ~PlatformRenderer() = default;
    // Decodes an image file held in memory into a texture slot; pixels exactly equal to the ARGB
    // colour key become fully transparent. False when the image cannot be decoded.
    virtual bool createTexture(int slot, const uint8_t* data, size_t size, uint32_t colourKey) = 0;
    virtual void releaseTexture(int slot) = 0;
    // -1 binds no texture: the vertices then show their colour alone.
    virtual void bindTexture(int slot) = 0;
    virtual void setBlend(KBlend blend) = 0;
    virtual void drawTriangles(const KVertex* vertices, int count) = 0;
    // Clears the picture; a window shows black around it wherever the picture does not reach.
    virtual void clear(uint32_t rgb) = 0;
    virtual void present() = 0;
    // Puts the last presented picture back, covered by `shade` (ARGB); what is drawn next goes
    // over it until the next present(). The running frames leave that picture untouched.
    virtual void showLastPicture(uint32_t shade) { (void)shade; }
};

// Scan codes of the key states (readKeys) that have a job of their own: the default keys of the
// button word, the reserved keys below and the menus' keys. Every backend delivers its keys
// under these numbers.
enum : uint8_t {
    KI_KEY_ESCAPE = 0x01,
    KI_KEY_MINUS = 0x0C,
    KI_KEY_EQUALS = 0x0D,
    KI_KEY_TAB = 0x0F,
    KI_KEY_P = 0x19,
    KI_KEY_ENTER = 0x1C,
    KI_KEY_Z = 0x2C,
    KI_KEY_X = 0x2D,
    KI_KEY_C = 0x2E,
    KI_KEY_V = 0x2F,
    KI_KEY_PERIOD = 0x34,
    KI_KEY_SPACE = 0x39,
    KI_KEY_F11 = 0x57,
    KI_KEY_PAD_ENTER = 0x9C,
    KI_KEY_HOME = 0xC7,
    KI_KEY_UP = 0xC8,
    KI_KEY_PAGE_UP = 0xC9,
    KI_KEY_LEFT = 0xCB,
    KI_KEY_RIGHT = 0xCD,
    KI_KEY_DOWN = 0xD0,
    KI_KEY_PAGE_DOWN = 0xD1,
};

// The backends name their steps in the engine's debug log through this; nothing is written while
// no log is open.
void kpLog(const std::string& text);
// The label, the value in decimal and a line end.
void kpLogValue(const char* label, long long value);

// Pad buttons in the standard controller layout, as bits of KPadState::buttons.
enum KPadButton : int {
    KP_A = 0,
    KP_B,
    KP_X,
    KP_Y,
    KP_BACK,
    KP_GUIDE,
    KP_START,
    KP_LEFT_STICK,
    KP_RIGHT_STICK,
    KP_LEFT_SHOULDER,
    KP_RIGHT_SHOULDER,
    KP_DPAD_UP,
    KP_DPAD_DOWN,
    KP_DPAD_LEFT,
    KP_DPAD_RIGHT,
    KP_MISC1,
    KP_PADDLE1,
    KP_PADDLE2,
    KP_PADDLE3,
    KP_PADDLE4,
    KP_TOUCHPAD,
    KP_BUTTON_COUNT
};

// Every pad as the input module reads them together: the buttons held on any pad (one bit per
// KPadButton), and the left sticks' axes scaled to -1000..+1000 (the one pushed furthest).
struct KPadState {
    int x = 0, y = 0;
    uint32_t buttons = 0;
    bool held(int button) const { return button >= 0 && button < 32 && (buttons >> button) & 1; }
};

// The replay viewer's controls, outside the button word: never recorded, never bound to a
// button. Bits of the word readViewerKeys() returns, set while held.
enum : uint32_t {
    KV_SLOWER = 0x01,      // keyboard -, pad left trigger
    KV_FASTER = 0x02,      // keyboard =, pad right trigger
    KV_PAUSE = 0x04,       // Space, right-stick click
    KV_STEP = 0x08,        // ., left-stick click: one frame forward
    KV_BACK = 0x10,        // Page Up, right stick left: 10 s back
    KV_FORWARD = 0x20,     // Page Down, right stick right: 10 s forward
    KV_FIELD_START = 0x40, // Home, right stick up: the current field's start
};

// Keys and pad buttons that keep jobs of their own and can never be bound to a button of the
// word: Escape, P (pause), Tab (fast-forward), F11 and Enter (Alt+Enter: full screen), and the
// replay viewer's keys (- = Space . PageUp PageDown Home). On the pad: Start (pause), the guide
// button and both stick clicks (the viewer's pause and step). Keys are the scan codes of the key
// states below.
extern const uint8_t kpReservedKeys[];
extern const int kpReservedKeyCount;
extern const int kpReservedPadButtons[];
extern const int kpReservedPadButtonCount;
bool kpKeyReserved(int scan);
bool kpPadButtonReserved(int button);

class PlatformInput {
public:
    virtual ~PlatformInput() = default;
    // The viewer's controls now held, KV_ bits; 0 where the backend has none.
    virtual uint32_t readViewerKeys() { return 0; }
    // Finds the keyboard and the pads at start-up and logs the steps; pads may also come later.
    virtual void openDevices() {}
    // 256 key states indexed by scan code, bit 7 set while down or when the key went down since
    // the last read (a tap between two reads is not lost). False when they cannot be read.
    virtual bool readKeys(uint8_t keys[256]) = 0;
    // Every attached pad together; a button that went down since the last read counts as held.
    // False when no pad is attached or none can be read.
    virtual bool readPad(KPadState& pad) = 0;
    // The names zent.ini gives keys and pad buttons, and back; the name of an unknown code is
    // empty, the code of an unknown name -1.
    virtual std::string keyName(int scan) const;
    virtual int keyFromName(const std::string& name) const;
    virtual std::string padButtonName(int button) const;
    virtual int padButtonFromName(const std::string& name) const;
};

class PlatformAudio {
public:
    virtual ~PlatformAudio() = default;
    // Opens are counted: the device stays open until every successful open is closed.
    virtual bool open() = 0; // false: no device, the game runs silent
    virtual void close() = 0;
    virtual bool loadEffect(int slot, const char* path) = 0;
    virtual void playEffect(int slot) = 0; // restarts the slot if it is still sounding
    virtual void stopEffects() = 0;
    virtual bool loadMusic(const char* path) = 0;
    virtual void playMusic(bool loop) = 0;
    virtual void stopMusic() = 0;
    virtual void setMusicVolume(float volume) = 0; // 1.0 = full
    virtual float musicVolume() = 0;
    virtual void fadeOutMusic(int milliseconds) = 0;
    // The player's levels, 0..100 each; the game's own volumes and fades are scaled by them.
    virtual void setLevels(int effects, int music) = 0;
    // Paused, the music holds its place and every effect stops; unpaused, the music goes on.
    virtual void pause(bool paused) = 0;
};

// How the program's window is to be made; the configuration supplies every field.
struct KWindowSettings {
    int left = 0, top = 0; // the window's top-left corner on the desktop
    bool windowed = true;
    int scale = 1; // the picture's whole factor in a window, clamped to what the display holds
    // The window's client size; 0 makes it the picture times the scale. At least the picture,
    // at most what the display holds.
    int width = 0, height = 0;
    bool vsync = true; // present in step with the display's refresh where it allows
};

// What happened at the window since the last look.
struct KWindowEvents {
    bool close = false;        // the close box, or the desktop asked the program to end
    bool pause = false;        // P or the pad's Start went down
    bool switchScreen = false; // Alt+Enter or F11: between the window and full screen
    bool focusLost = false;    // the keyboard focus went to another window
    bool exposed = false;      // what is on screen was lost or changed size: show it again
};

// The program's one window. Tests and batch tools run without it (gPlatform.window is null).
class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;
    // Creates the window, still hidden and resizable, for a picture of width x height shown by
    // the largest whole factor its client area holds, centred on black; a full-screen window
    // covers the desktop from the start.
    virtual bool create(const char* caption, int width, int height,
                        const KWindowSettings& settings) = 0;
    // Creates the drawing device for the window and makes it gPlatform.renderer. Full screen is
    // the desktop's own mode with the picture scaled by a whole factor. Logs its steps.
    virtual bool createDevice(bool windowed) = 0;
    virtual void destroyDevice() = 0;
    virtual void show() = 0;
    // Switches between the window and desktop full screen while the program runs.
    virtual void setWindowed(bool windowed) = 0;
    // True when presenting waits for the display's refresh.
    virtual bool vsync() const = 0;
    // The refresh rate of the display the window is on, in Hz; 0 when unknown.
    virtual double refreshRate() const { return 0.0; }
    // While the game runs: the window's whole scale (clamped to what the display holds, and
    // kept for the window while in full screen), and presenting in step with the display.
    virtual void setScale(int scale) { (void)scale; }
    // The whole scale the window has now.
    virtual int scale() const { return 1; }
    virtual void setVsync(bool on) { (void)on; }
    // The window's top-left corner, in the terms create() takes it.
    virtual void position(int& left, int& top) = 0;
    // The window's client size (the one it comes back to from full screen).
    virtual void size(int& width, int& height) { width = height = 0; }
    // Handles the pending window events.
    virtual KWindowEvents handleEvents() = 0;
    // Keeps the window responsive for a while without running a frame.
    virtual void idle(uint32_t ms) { (void)ms; }
    // The desktop's preferred locales, most wanted first ("ja_JP", "en-GB"); empty when it
    // names none.
    virtual std::vector<std::string> preferredLocales() { return {}; }
};

// The backend in use; set up by the program (or a test) before the engine modules are created.
struct Platform {
    PlatformTimer* timer = nullptr;
    PlatformRenderer* renderer = nullptr;
    PlatformInput* input = nullptr;
    PlatformAudio* audio = nullptr;
    PlatformWindow* window = nullptr;
};

extern Platform gPlatform;
