#include "title.h"

#include "ascii.h"
#include "engine.h"
#include "input.h"
#include "main_form.h"
#include "menu_text.h"
#include "objects/layers.h"
#include "sprite.h"
#include "texts.h"
#include "window.h"
#include "work.h"

std::string ztTitleMenuText(ZTLanguage language) {
    const ZTTexts t = ztLoadTexts(language);
    return t[ZTText::TitleNewGame] + "|n" + t[ZTText::TitleContinue] + "|n" +
           t[ZTText::TitleReplay] + "|n" + t[ZTText::TitleRanking] + "|n" + t[ZTText::TitleBack];
}

namespace {
constexpr uint32_t titleClear = 0xE2CE9F;
constexpr int developerLines = 6;
} // namespace

EngineTitle::EngineTitle() {
    if (gForm) {
        number = gForm->stage;
        tailNumber = gForm->tailCount;
    }
    new ZTTitle();
    if (gWork) gWork->clearColor = titleClear;
}

EngineTitle::~EngineTitle() {
    if (gForm) {
        gForm->stage = number;
        gForm->tailCount = tailNumber;
    }
    if (gWork) gWork->clearColor = 0;
}

void EngineTitle::keMove() {
    if (state != previousState) {
        previousState = state;
        step = 0;
    }
    switch (state) {
    case 0:
        movePress();
        break;
    case 1:
        moveMenu();
        break;
    case 2:
        moveDeveloper();
        break;
    default:
        break;
    }
    counter += 1;
    kbMoveAll();
}

void EngineTitle::movePress() {
    if (step == 0) step = 1;
    if (step != 1 || !gInput->kiIsPushed(KI_BUTTON1)) return;
    // The developer menu wants C and V held while Z goes down: no play starts that way by chance.
    const bool chord = gInput->kiIsHeld(KI_BUTTON3) && gInput->kiIsHeld(KI_BUTTON4);
    state = chord ? 2 : 1;
}

void EngineTitle::moveMenu() {
    switch (step) {
    case 0:
        window = new ZTWindow(3, 1, 5, ztTitleMenuText(gLanguage), 0);
        step = 1;
        break;
    case 1:
        switch (ZTWindow::selection) {
        case 0:
            gWork->startGame({.mode = ZTPlayMode::Recorded});
            keNextScene = ZT_SCENE_KAIWA;
            break;
        case 1:
            gWork->startGame({.field = gWork->lastField, .tail = gWork->lastTail});
            keNextScene = ZT_SCENE_GAME;
            break;
        case 2:
            keNextScene = ZT_SCENE_REPSELECT;
            break;
        case 3:
            keNextScene = ZT_SCENE_RANKING;
            break;
        case 4:
            ZTWindow::close(window);
            step = 3;
            break;
        default:
            break;
        }
        break;
    case 3:
        if (!ZTWindow::alive(window)) {
            window = nullptr;
            state = 0;
        }
        break;
    default:
        break;
    }
}

void EngineTitle::moveDeveloper() {
    if (step == 0) {
        step = 1; // the push that opened the menu is not read again
        return;
    }
    if (gInput->kiIsPushed(KI_UP) && cursor > 0) cursor -= 1;
    if (gInput->kiIsPushed(KI_DOWN) && cursor < developerLines - 1) cursor += 1;
    if (cursor <= 3) {
        if (gInput->kiIsPushed(KI_LEFT) && number >= 2) number -= 1;
        if (gInput->kiIsPushed(KI_RIGHT) && number < 24) number += 1;
    }
    if (cursor == 4) {
        if (gInput->kiIsPushed(KI_RIGHT)) tailNumber = tailNumber + 5 > 50 ? 50 : tailNumber + 5;
        if (gInput->kiIsPushed(KI_LEFT)) tailNumber = tailNumber - 5 < 1 ? 1 : tailNumber - 5;
    }
    if (!gInput->kiIsPushed(KI_BUTTON1)) return;
    switch (cursor) {
    case 0:
        keNextScene = ZT_SCENE_SET;
        break;
    case 1:
        gWork->startGame({.field = number, .tail = tailNumber});
        keNextScene = ZT_SCENE_GAME;
        break;
    case 2:
        keNextScene = ZT_SCENE_EDIT;
        break;
    case 3:
        gWork->startGame({.field = number, .tail = tailNumber});
        keNextScene = ZT_SCENE_KAIWA;
        break;
    case 5:
        state = 0;
        break;
    default:
        break;
    }
}

void EngineTitle::keDraw() {
    if (state == 0 && (counter & 16) != 0) {
        gAscii->column = 14;
        gAscii->row = 20;
        gAscii->scale = 2;
        gAscii->colour = 0xFFFFFFFF;
        gAscii->kaPrint("PRESS BUTTON");
    }
    if (state == 2) {
        gAscii->scale = 2;
        gAscii->colour = 0xFFFFFF40;
        gAscii->column = 2;
        gAscii->row = 6;
        gAscii->kaPrintValue(number, "SET ENEMY %2d");
        gAscii->kaPrintValue(number, "PLAY GAME %2d");
        gAscii->kaPrintValue(number & 3, "EDIT MAP  %2d");
        gAscii->kaPrintValue(number, "KAIWA     %2d");
        gAscii->kaPrintValue(tailNumber, "TAIL NUM  %3d");
        gAscii->kaPrint("EXIT");
        gAscii->column = 0;
        gAscii->row = 6 + cursor;
        gAscii->kaPrint(">");
    }
    kbDrawLayer(ZT_LAYER_GROUND);
    kbDrawLayer(ZT_LAYER_FLOOR);
    kbDrawLayer(ZT_LAYER_WINDOW);
    // How to reach the pause menu and its settings, small in a corner.
    if (state != 2) ztDrawWindowLine(16.0f, 12.0f, ztMenuText(ZT_MENU_TITLE_HINT), 1.0f);
    gSprite->kspDrawOut();
}

ZTTitle::ZTTitle() : KilnBehave(ZT_LAYER_FLOOR) {}

bool ZTTitle::kbMove() {
    if (state != previousState) {
        previousState = state;
        step = 0;
    }
    if (state == 0) {
        if (step == 0) {
            new ZTTitleTank();
            timer = 64;
            step = 1;
        } else if (timer-- < 0) {
            state = 1;
        }
        return true;
    }
    if (step == 0) {
        showLogo = true;
        step = 1;
    }
    if (step == 1) {
        alpha += 0.00390625f;
        if (alpha > 1.0f) {
            alpha = 1.0f;
            second = true;
            timer = 64;
            step = 2;
        }
    } else if (step == 2) {
        if (timer-- < 0) {
            third = true;
            step = 3;
        }
    }
    scale += (1.0f - scale) * 0.0078125f;
    return true;
}

void ZTTitle::kbDraw() {
    if (showLogo) {
        const uint32_t a = static_cast<uint32_t>(alpha * 255.0f);
        gSprite->kspPut(25, 320.0f, 160.0f, 0.0f, scale, scale, (a << 24) | 0xFFFFFF);
    }
    if (second) gSprite->kspPut(26, 480.0f, 240.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    if (third) gSprite->kspPut(27, 320.0f, 448.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTTitle::kbHash(KUHash& hash) const {
    hash.add(layer);
    hash.add(static_cast<int32_t>(state));
    hash.add(static_cast<int32_t>(step));
    hash.add(timer);
    hash.add(alpha);
    hash.add(scale);
}

ZTTitleTank::ZTTitleTank() : KilnBehave(ZT_LAYER_GROUND) {}

bool ZTTitleTank::kbMove() {
    if (!stopped) {
        target.x -= 0.5f;
        if (target.x < 64.0f) stopped = true;
    }
    position += 0.125f * (target - position);
    const float bob = kmSin(bobAngle) * 3.0f;
    bobAngle += 0.5235988f;
    counter += 1;
    // Entry k (from 1) keeps the bob of k - 1 frames ago, so the tail ripples behind the tank.
    history[0] = bob;
    for (int k = historySize - 1; k >= 1; --k) history[k] = history[k - 1];
    return true;
}

void ZTTitleTank::kbDraw() {
    const int tread = (counter & 4) != 0 ? 31 : 30;
    const float x = position.x, y = position.y;
    for (int i = 0; i < 10; ++i) {
        const float b = history[16 * i];
        const float sx = x + 62.0f * i;
        gSprite->kspPut(i == 0 ? 28 : 29, sx, y + b / 2.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
        gSprite->kspPut(tread, sx, y + b + 18.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
        if (i == 0)
            gSprite->kspPut(32 + ((counter >> 3) & 3), x + 8.0f, y + b / 3.0f - 22.0f, 0.0f, 1.0f,
                            1.0f, 0xFFFFFFFF);
    }
}

void ZTTitleTank::kbHash(KUHash& hash) const {
    hash.add(layer);
    hash.add(position);
    hash.add(target);
    hash.add(bobAngle);
    hash.add(static_cast<int32_t>(counter));
}
