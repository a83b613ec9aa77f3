#pragma once
// The main form: owns the configuration, creates the engine-wide modules in order, runs one frame
// per idle call and tears everything down in reverse.
#include <string>

#include "clock.h"
#include "creator.h"
#include "pacer.h"
#include "pause_menu.h"
#include "viewer.h"
#include "work.h"

class TForm1 {
public:
    TForm1();
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // One frame, or one turn of the pause; false once the program is ending.
    bool AppIdle();
    // While paused no frame runs: nothing is polled or recorded and the clock stands still. The
    // pause menu is open all the while, on its quit line when asked.
    void setPaused(bool on, bool onQuitLine = false);
    // Writes the configuration as it stands now (the settings and controls screens change it).
    bool saveConfig();

    // Declared first, so torn down last: the log stays open while the members below go, and the
    // score table's save at exit (and its failure) lands in it, as the configuration's does.
    struct LogCloser {
        ~LogCloser();
    } logCloser;

    bool windowMode = true;
    int refreshRate = 60;
    int drawInterval = 1;
    double spriteOffset = 0.0;
    bool bgmEnabled = true;
    int stage = 1;
    int tailCount = 1;
    int frameCount = 0;
    bool running = false;
    bool skipWait = false;
    // The window's top-left corner: read from and written back to the configuration.
    int formTop = 0;
    int formLeft = 0;
    // The window's client size, likewise; 0 while the scale alone sets it.
    int formWidth = 0;
    int formHeight = 0;
    // The player's comforts, from the configuration.
    int scale = 1;
    bool focusPause = true;
    bool vsync = true;
    int seVolume = 100;
    int bgmVolume = 100;
    bool paused = false;
    // 0 after a normal end; 1 when a scene number had no scene; 2 when there was no window or
    // graphics device to run on.
    int exitCode = 0;
    // Why "zent.ini" could not be read at start, when it exists; empty when it was read or was
    // missing. A file that could not be read is not written at exit.
    std::string configError;
    ZTCreator creator;
    KUClocker clock;
    KUPacer pacer; // in place of the clock's wait while presenting waits for the display
    ZTWork work;
    ZTPauseMenu menu;
    ZTReplayViewer viewer;

private:
    bool pausedIdle(bool redraw);
    void drawPause(uint32_t now);
    bool wasPaced = false;     // the pacer ran the last frame
    uint32_t lastDrawTick = 0; // when the last frame was drawn during a fast-forward
};

extern TForm1* gForm; // defined in globals.cpp
