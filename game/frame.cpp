#include "frame.h"

#include "engine.h"
#include "graphics.h"
#include "input.h"
#include "work.h"

ZTFrameResult ztFrameStep(bool drawn, void (*overlay)()) {
    ZTFrameResult result;
    if (!keStartFrame()) {
        result.sceneMissing = true;
        return result;
    }
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
    result.quit = gInput->kiIsHeld(KI_ESCAPE);
    result.skipWait = keNextScene == 2 && gWork && gWork->replay && gInput->kiIsHeld(KI_TAB);
    if (!(keFlags & KE_KEEP) || result.quit) keEndScene();
    return result;
}
