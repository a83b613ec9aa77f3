#pragma once
// The text window: a framed box that types out a Shift-JIS text and either waits for a push to
// close (a message) or offers its lines as choices (a menu). Windows stack; only the newest one
// takes input, and a choice is published in one global selection value for its owner to poll.
// The drifting background pattern of the quiet scenes lives here too.
#include <cstdint>
#include <string>

#include "behave.h"
#include "kmath.h"

class ZTWindow : public KilnBehave {
public:
    // A window whose frame sits at cell (leftCell, topCell); choices 0 makes a message window.
    // speed is frames per byte, 0 shows the whole text at once.
    ZTWindow(int leftCell, int topCell, int choices, const std::string& text, int speed);
    ~ZTWindow() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    // True while the window is in the window list.
    static bool alive(const ZTWindow* window);
    // Asks a listed window to end at its next move.
    static void close(ZTWindow* window);

    // The newest window still alive, null when none.
    static ZTWindow* top;
    // -1 while nothing is chosen, else the chosen line (0 for a closed message window).
    static int32_t selection;

    KVector position;
    KVector home;
    int choices;
    int width = 1, height = 1;           // inner size in 32-pixel cells; grows as the text is typed
    int frameWidth = 1, frameHeight = 1; // the size the frame is drawn at: the last frame's
    std::string text;
    int speed;
    int shown;
    int cursor = 0;
    KVector cursorPos;
    bool closing = false;
    int state = 0;
    int brightness = 64;
    int phase = 0;
    int counter = 0;
    int typeTimer = 0;
    float shakeAngle = 0.0f, shakeSize = 0.0f;
    ZTWindow* newer = nullptr;
    ZTWindow* older = nullptr;

private:
    void moveMessage();
    void moveMenu();
    void layoutText();
    void drawFrame() const;
    void drawText() const;
};

// The window's frame around an inner area of width x height cells, its corner at (x, y), in one
// of its four pictures (0..3); the window's own drawing and the pause menu's.
void ztDrawWindowFrame(float x, float y, int width, int height, int picture);
// One line of window text (no codes) from (x, y), each glyph at `scale` times its size (the
// window's is 2); returns the width drawn in pixels.
float ztDrawWindowLine(float x, float y, const char* text, float scale = 2.0f,
                       uint32_t colour = 0xFFFFFFFF);
// The width that line would take.
float ztWindowLineWidth(const char* text, float scale = 2.0f);

// The translucent tile pattern that drifts up and to the left, repeating every 256 frames.
class ZTWpMoyo : public KilnBehave {
public:
    ZTWpMoyo();

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position{0.0f, 0.0f, 0.0f};
    int cell = 133;
    int counter = 0;
};
