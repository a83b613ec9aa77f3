#include "web.h"

#include <emscripten.h>

#include "../files.h"

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
