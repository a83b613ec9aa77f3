#pragma once
// The pause menu and its two screens, settings and controls. It lives outside the scenes: while
// it is open no frame runs, so it reads the devices itself and never touches the button word,
// the record or any object of the scene; it draws over the last picture with the window's frames
// and font.
#include <cstdint>

#include "menu_text.h"
#include "platform/platform.h"

// What the menu asks of the form when a turn ends.
enum class ZTMenuExit { Stay, Resume, Title, Quit };

class ZTPauseMenu {
public:
    enum class Screen { Main, Confirm, Settings, Controls, Capture };

    // Opens on the first line, or on the quit line. A running play asks before it is left; a
    // watched replay offers to stop instead of going back to the title.
    void open(bool playRunning, bool replay, bool onQuitLine);
    bool isOpen() const { return opened; }
    // One look at the devices at time `now` (milliseconds).
    ZTMenuExit turn(uint32_t now);
    // Queues the menu's sprites (the caller flushes and presents).
    void draw() const;
    // While a key is being waited for, P and Start belong to the wait, not to the pause.
    bool capturing() const { return opened && screen == Screen::Capture; }
    // True when the picture changed since the last draw.
    bool needsDraw(uint32_t now) const;
    void drawn(uint32_t now) { lastDrawn = now, dirty = false; }

    Screen screen = Screen::Main;
    int cursor = 0;
    // How long "press a key" waits.
    static constexpr uint32_t captureTimeout = 5000;

private:
    ZTMenuExit moveMain(uint32_t pushed);
    ZTMenuExit moveConfirm(uint32_t pushed);
    void moveSettings(uint32_t pushed);
    void moveControls(uint32_t pushed, uint32_t now);
    void moveCapture(const uint8_t keys[256], const KPadState& pad, uint32_t now);
    void changeSetting(int line, int step);
    void go(Screen to, int line);
    void drawMain() const; // and the question over it
    void drawSettings() const;
    void drawControls() const; // and the wait for a key
    void drawHints() const;
    int lineCount() const;

    bool opened = false;
    bool armed = false; // the first turn only learns what is held already
    bool playRunning = false;
    bool replay = false;
    bool dirty = true;
    ZTMenuExit confirming = ZTMenuExit::Stay;
    uint32_t heldWord = 0;
    uint8_t heldKeys[256] = {};
    uint32_t heldButtons = 0;
    int captureLine = 0;
    uint32_t captureStart = 0;
    uint32_t refusedUntil = 0; // a reserved key was pressed: say so until then
    uint32_t clock = 0;        // the time of the last turn, for the blinking
    uint32_t lastDrawn = 0;
};
