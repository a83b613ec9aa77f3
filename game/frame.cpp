#include "frame.h"

#include "creator.h"
#include "engine.h"
#include "graphics.h"
#include "input.h"
#include "sound.h"
#include "work.h"

namespace {
bool inPlayScene() {
    if (!(keFlags & KE_LIVE)) return false;
    switch (keSceneNumber) {
    case ZT_SCENE_GAME:
    case ZT_SCENE_KAIWA:
    case ZT_SCENE_RESTART:
    case ZT_SCENE_NEXTER:
        return true;
    default:
        return false;
    }
}
// The scenes that are menus read the keys as menus do; the plays and the editors as bound.
bool inMenuScene() {
    switch (keSceneNumber) {
    case ZT_SCENE_POWERON:
    case ZT_SCENE_TITLE:
    case ZT_SCENE_REPSAVE:
    case ZT_SCENE_REPSELECT:
    case ZT_SCENE_RANKING:
    case ZT_SCENE_NAMING:
        return true;
    default:
        return false;
    }
}
} // namespace

bool ztPlayRunning() {
    return inPlayScene() && gWork && !gWork->replay;
}

bool ztReplayWatched() {
    return inPlayScene() && gWork && gWork->replay;
}

bool ztPlayMayEnterTable() {
    return ztPlayRunning() && gInput && gInput->kimRecording;
}

void ztLeaveForTitle() {
    voxStop();
    if (gInput) {
        gInput->kimRecording = false;
        gInput->kimUsePlay = false;
    }
    keNextScene = ZT_SCENE_TITLE;
    if (keFlags & KE_LIVE) keEndScene();
}

ZTFrameResult ztFrameStep(bool drawn, bool escapeToMenu, void (*overlay)()) {
    ZTFrameResult result;
    if (!keStartFrame()) {
        result.sceneMissing = true;
        return result;
    }
    gInput->kimMenuKeys = inMenuScene() && !gInput->kimRecording;
    gInput->kiUpdate();
    keScene->keMove();
    keScene->keHit();
    keScene->kePostHit();
    if (drawn) {
        kxClear(gWork ? gWork->clearColor : 0);
        keScene->keDraw();
        if (overlay) overlay();
        kxPresent();
    }
    keCheckScene();
    const bool escape = gInput->kiIsHeld(KI_ESCAPE);
    result.menu = escape && escapeToMenu && ztPlayMayEnterTable();
    result.quit = escape && !result.menu;
    result.skipWait =
        keNextScene == ZT_SCENE_GAME && gWork && gWork->replay && gInput->kiIsHeld(KI_TAB);
    if (!(keFlags & KE_KEEP) || result.quit) keEndScene();
    return result;
}
