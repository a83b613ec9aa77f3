#include "web.h"

#include <emscripten.h>

#include "../../clock.h"
#include "../../engine.h"
#include "../../input.h"
#include "../files.h"

// The bodies are JavaScript, which the formatter would mangle.
// clang-format off
// The page's script (web/pre.js) provides Module.zentakuPersist and Module.zentakuFrameRate.
EM_ASYNC_JS(void, zt_web_await_frame, (), {
    if (typeof requestAnimationFrame !== 'function') return;
    await new Promise(function(resolve) { requestAnimationFrame(resolve); });
});

// 1 once the files are in IndexedDB, 0 when storing them failed.
EM_ASYNC_JS(int, zt_web_persist, (), {
    if (typeof Module.zentakuPersist !== 'function') return 1;
    return await Module.zentakuPersist();
});

EM_JS(double, zt_web_frame_rate, (), {
    return typeof Module.zentakuFrameRate === 'function' ? Module.zentakuFrameRate() : 0;
});
// clang-format on

namespace {
bool persist() {
    return zt_web_persist() != 0;
}
} // namespace

void webStart() {
    pfSetPersist(persist);
}

void webAwaitFrame() {
    zt_web_await_frame();
}

double webFrameRate() {
    return zt_web_frame_rate();
}

// What the page (and its test) may ask of the running game: the live scene's number, the logic
// frames of the last whole second as the game counts them, and the frames a play being recorded
// holds so far (one a logic frame).
extern "C" {
EMSCRIPTEN_KEEPALIVE int zt_web_scene() {
    return keSceneNumber;
}

EMSCRIPTEN_KEEPALIVE int zt_web_recorded() {
    return gInput ? static_cast<int>(gInput->kimRecordBuf.size()) : 0;
}

EMSCRIPTEN_KEEPALIVE int zt_web_fps() {
    return gFrameClock ? static_cast<int>(gFrameClock->fps) : 0;
}
}
