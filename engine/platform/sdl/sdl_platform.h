#pragma once
// The SDL2 backend as one object: it starts SDL, installs its parts into gPlatform and takes
// them out again when it goes.
#include "../platform.h"
#include "sdl_audio.h"
#include "sdl_input.h"
#include "sdl_window.h"

class SdlTimer : public PlatformTimer {
public:
    uint32_t ticks() override;
    void sleep(uint32_t ms) override;
};

class SdlPlatform {
public:
    SdlPlatform();
    ~SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    bool ok() const { return started; }

    SdlTimer timer;
    SdlInput input;
    SdlAudio audio;
    SdlWindow window;

private:
    bool started = false;
};
