#include "pause_menu.h"

#include <cstring>
#include <vector>

#include "input.h"
#include "language.h"
#include "main_form.h"
#include "pause_menu_lines.h"
#include "sound.h"
#include "texts.h"

using namespace pausemenu;

namespace {
constexpr int volumeStep = 10;
constexpr int maxScale = 16; // the configuration's bound

// Menus never lose their way: see kiMapMenuWord.
uint32_t menuWord(const uint8_t keys[256], bool keysOk, const KPadState& pad, bool padOk) {
    if (!gInput) return 0;
    return gInput->kiMapMenuWord(keysOk ? keys : nullptr, padOk ? &pad : nullptr);
}
} // namespace

void ZTPauseMenu::open(bool running, bool watching, bool onQuitLine) {
    opened = true;
    armed = false;
    playRunning = running;
    replay = watching;
    screen = Screen::Main;
    cursor = onQuitLine ? MAIN_QUIT : MAIN_RESUME;
    confirming = ZTMenuExit::Stay;
    dirty = true;
}

void ZTPauseMenu::go(Screen to, int line) {
    screen = to;
    cursor = line;
    dirty = true;
}

int ZTPauseMenu::lineCount() const {
    switch (screen) {
    case Screen::Main:
        return mainCount;
    case Screen::Confirm:
        return 2;
    case Screen::Settings:
        return settingCount;
    default:
        return controlCount;
    }
}

bool ZTPauseMenu::needsDraw(uint32_t now) const {
    // Only the wait for a key moves by itself: its dots blink and its seconds count down.
    return dirty || (screen == Screen::Capture && now - lastDrawn >= 250);
}

ZTMenuExit ZTPauseMenu::turn(uint32_t now) {
    if (!opened) return ZTMenuExit::Resume;
    clock = now;
    uint8_t keys[256] = {};
    KPadState pad;
    PlatformInput* in = devices();
    const bool keysOk = in && in->readKeys(keys);
    const bool padOk = in && in->readPad(pad);
    if (!keysOk) std::memset(keys, 0, sizeof keys);
    const uint32_t word = menuWord(keys, keysOk, pad, padOk);
    const uint32_t pushed = armed ? word & ~heldWord : 0;
    const bool escape = armed && (keys[KI_KEY_ESCAPE] & 0x80) && !(heldKeys[KI_KEY_ESCAPE] & 0x80);
    ZTMenuExit exit = ZTMenuExit::Stay;
    if (armed && screen == Screen::Capture) {
        moveCapture(keys, pad, now);
    } else if (escape) {
        exit = ZTMenuExit::Quit; // Escape ends the program from the menu too
    } else if (pushed) {
        if (pushed & KI_UP) cursor = cursor > 0 ? cursor - 1 : lineCount() - 1;
        if (pushed & KI_DOWN) cursor = cursor < lineCount() - 1 ? cursor + 1 : 0;
        if (pushed & (KI_UP | KI_DOWN)) dirty = true;
        switch (screen) {
        case Screen::Main:
            exit = moveMain(pushed);
            break;
        case Screen::Confirm:
            exit = moveConfirm(pushed);
            break;
        case Screen::Settings:
            moveSettings(pushed);
            break;
        case Screen::Controls:
            moveControls(pushed, now);
            break;
        default:
            break;
        }
    }
    armed = true;
    // Taken again: a binding made in this turn already counts for what is held.
    heldWord = menuWord(keys, keysOk, pad, padOk);
    std::memcpy(heldKeys, keys, sizeof heldKeys);
    heldButtons = padOk ? pad.buttons : 0;
    if (exit != ZTMenuExit::Stay) opened = false;
    return exit;
}

ZTMenuExit ZTPauseMenu::moveMain(uint32_t pushed) {
    if (pushed & KI_BUTTON2) return ZTMenuExit::Resume;
    if (!(pushed & KI_BUTTON1)) return ZTMenuExit::Stay;
    switch (cursor) {
    case MAIN_RESUME:
        return ZTMenuExit::Resume;
    case MAIN_SETTINGS:
        go(Screen::Settings, 0);
        return ZTMenuExit::Stay;
    case MAIN_CONTROLS:
        go(Screen::Controls, 0);
        return ZTMenuExit::Stay;
    default: {
        const ZTMenuExit wanted = cursor == MAIN_TITLE ? ZTMenuExit::Title : ZTMenuExit::Quit;
        if (!playRunning) return wanted;
        // A play is left only when asked twice; "no" is where the cursor starts.
        confirming = wanted;
        go(Screen::Confirm, 1);
        return ZTMenuExit::Stay;
    }
    }
}

ZTMenuExit ZTPauseMenu::moveConfirm(uint32_t pushed) {
    const bool yes = (pushed & KI_BUTTON1) && cursor == 0;
    if (yes) return confirming;
    if (pushed & (KI_BUTTON1 | KI_BUTTON2))
        go(Screen::Main, confirming == ZTMenuExit::Title ? MAIN_TITLE : MAIN_QUIT);
    return ZTMenuExit::Stay;
}

void ZTPauseMenu::moveSettings(uint32_t pushed) {
    if ((pushed & KI_BUTTON2) || ((pushed & KI_BUTTON1) && cursor == settingCount - 1)) {
        go(Screen::Main, MAIN_SETTINGS);
        return;
    }
    if (cursor == settingCount - 1) return;
    if (pushed & (KI_RIGHT | KI_BUTTON1)) changeSetting(cursor, 1);
    if (pushed & KI_LEFT) changeSetting(cursor, -1);
}

// Each change is made at once and written to the configuration file.
void ZTPauseMenu::changeSetting(int line, int step) {
    TForm1* form = gForm;
    if (!form) return;
    PlatformWindow* window = gPlatform.window;
    auto bounded = [](int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); };
    switch (line) {
    case SET_SCREEN:
        form->windowMode = !form->windowMode;
        if (window) window->setWindowed(form->windowMode);
        break;
    case SET_SCALE: {
        const int wanted = bounded(form->scale + step, 1, maxScale);
        if (window) {
            window->setScale(wanted);
            form->scale = window->scale(); // what the display holds
        } else {
            form->scale = wanted;
        }
        break;
    }
    case SET_VSYNC:
        form->vsync = !form->vsync;
        if (window) window->setVsync(form->vsync);
        break;
    case SET_FOCUS:
        form->focusPause = !form->focusPause;
        break;
    case SET_MUSIC:
        form->bgmEnabled = !form->bgmEnabled;
        voxEnable(form->bgmEnabled);
        break;
    case SET_MUSIC_VOLUME:
    case SET_EFFECT_VOLUME: {
        int& level = line == SET_MUSIC_VOLUME ? form->bgmVolume : form->seVolume;
        level = bounded(level + step * volumeStep, 0, 100);
        if (gPlatform.audio) gPlatform.audio->setLevels(form->seVolume, form->bgmVolume);
        break;
    }
    case SET_LANGUAGE: {
        // Every language of the game root's list, in its order. The menus speak it at once;
        // a play already begun keeps its own to the end, and so does its replay.
        const std::vector<ZTLanguageInfo> list = ztLanguages();
        const int count = static_cast<int>(list.size());
        int at = 0;
        while (at < count && list[at].id != gLanguage) at += 1;
        gLanguage = list[((at + step) % count + count) % count].id;
        break;
    }
    default:
        return;
    }
    dirty = true;
    form->saveConfig();
}

void ZTPauseMenu::moveControls(uint32_t pushed, uint32_t now) {
    if ((pushed & KI_BUTTON2) || ((pushed & KI_BUTTON1) && cursor == controlCount - 1)) {
        go(Screen::Main, MAIN_CONTROLS);
        return;
    }
    if (!(pushed & KI_BUTTON1)) return;
    if (cursor == kiBindCount) {
        if (gInput) gInput->kimBindings = kiDefaultBindings();
        if (gForm) gForm->saveConfig();
        dirty = true;
        return;
    }
    captureLine = cursor;
    captureStart = now;
    refusedUntil = now;
    screen = Screen::Capture;
    dirty = true;
}

// The first key or pad button to go down is the binding's new one; the push that started the
// wait is held already and does not count.
void ZTPauseMenu::moveCapture(const uint8_t keys[256], const KPadState& pad, uint32_t now) {
    auto back = [this] { go(Screen::Controls, captureLine); };
    if (now - captureStart >= captureTimeout) {
        back();
        return;
    }
    for (int scan = 1; scan < 256; ++scan) {
        if (!(keys[scan] & 0x80) || (heldKeys[scan] & 0x80)) continue;
        if (scan == KI_KEY_ESCAPE) {
            back(); // Escape is never bound: it calls the wait off
            return;
        }
        if (gInput && kiBindKey(gInput->kimBindings, captureLine, scan)) {
            if (gForm) gForm->saveConfig();
            back();
            return;
        }
        refusedUntil = now + 1500;
        dirty = true;
    }
    const uint32_t down = pad.buttons & ~heldButtons;
    for (int b = 0; b < KP_BUTTON_COUNT; ++b) {
        if (!((down >> b) & 1)) continue;
        if (gInput && kiBindPadButton(gInput->kimBindings, captureLine, b)) {
            if (gForm) gForm->saveConfig();
            back();
            return;
        }
        refusedUntil = now + 1500;
        dirty = true;
    }
}
