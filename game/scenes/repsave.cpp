#include "repsave.h"

#include "ascii.h"
#include "behave.h"
#include "engine.h"
#include "input.h"
#include "objects/layers.h"
#include "sound.h"
#include "sprite.h"
#include "window.h"
#include "work.h"

EngineRepSave::EngineRepSave() {
    new ZTWpMoyo();
    gWork->clearColor = 0xFFC100;
}

EngineRepSave::~EngineRepSave() {
    gWork->clearColor = 0;
}

void EngineRepSave::keMove() {
    switch (state) {
    case 0:
        // The name follows the clock while the question is up, so the file gets the name that
        // was on the screen when the choice was made.
        makeReplayName(fileName);
        if (cursor > 0 && gInput->kiIsPushed(KI_UP)) {
            kwPlay(9);
            cursor -= 1;
        }
        if (cursor < 1 && gInput->kiIsPushed(KI_DOWN)) {
            kwPlay(9);
            cursor += 1;
        }
        if (gInput->kiIsPushed(KI_BUTTON1)) {
            kwPlay(8);
            state = 1;
        }
        break;
    case 1:
        timer += 1;
        if (timer > 63) {
            if (cursor == 0) {
                // A taken name gets a suffix; the screen shows the one the file got.
                saved = writeReplay(fileName, &fileName) ? 1 : 0;
                timer = 0;
                state = 2;
            } else {
                keNextScene = ZT_SCENE_TITLE;
            }
        }
        break;
    case 2:
        timer += 1;
        if (timer > 47) keNextScene = ZT_SCENE_TITLE;
        break;
    default:
        break;
    }
    kbMoveAll();
}

void EngineRepSave::keDraw() {
    gAscii->scale = 2;
    gAscii->colour = 0xFFE080FF;
    gAscii->kaPrintAt(7, 6, fileName.c_str());
    gAscii->colour = 0xFFFFFFFF;
    gAscii->kaPrintAt(10, 8, "Save Replay Data ?");
    gAscii->kaPrintAt(16, cursor * 2 + 12, ">");
    if (state == 2) {
        gAscii->kaPrintAt(18, 12, saved ? "OK !" : "NG !");
    } else {
        // While the choice is confirmed, the chosen word blinks: four frames off, four on.
        const bool hideChosen = state == 1 && (timer & 4) == 0;
        if (!(hideChosen && cursor == 0)) gAscii->kaPrintAt(18, 12, "YES");
        if (!(hideChosen && cursor == 1)) gAscii->kaPrintAt(18, 14, "NO");
    }
    kbDrawLayer(ZT_LAYER_FLOOR);
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}
