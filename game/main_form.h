#pragma once
// The main form: owns the configuration, creates the engine-wide modules in order, runs one frame
// per idle call and tears everything down in reverse.
#include "clock.h"
#include "creator.h"
#include "work.h"

class TForm1 {
public:
    TForm1();
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // One frame; false once the program is ending.
    bool AppIdle();

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
    // 0 after a normal end; 1 when a scene number had no scene; 2 when there was no window or
    // graphics device to run on.
    int exitCode = 0;
    ZTCreator creator;
    KUClocker clock;
    ZTWork work;
};

extern TForm1* gForm; // defined in globals.cpp
