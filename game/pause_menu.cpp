#include "pause_menu.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "ascii.h"
#include "input.h"
#include "main_form.h"
#include "scenes/window.h"
#include "sound.h"
#include "sprite.h"

namespace {
constexpr ZTMenuText mainLines[] = {ZT_MENU_RESUME, ZT_MENU_SETTINGS, ZT_MENU_CONTROLS,
                                    ZT_MENU_TO_TITLE, ZT_MENU_QUIT};
constexpr int mainCount = 5;
enum { MAIN_RESUME, MAIN_SETTINGS, MAIN_CONTROLS, MAIN_TITLE, MAIN_QUIT };

constexpr ZTMenuText settingLines[] = {ZT_MENU_SCREEN,        ZT_MENU_SCALE, ZT_MENU_VSYNC,
                                       ZT_MENU_FOCUS_PAUSE,   ZT_MENU_MUSIC, ZT_MENU_MUSIC_VOLUME,
                                       ZT_MENU_EFFECT_VOLUME, ZT_MENU_BACK};
constexpr int settingCount = 8;
enum {
    SET_SCREEN,
    SET_SCALE,
    SET_VSYNC,
    SET_FOCUS,
    SET_MUSIC,
    SET_MUSIC_VOLUME,
    SET_EFFECT_VOLUME
};

constexpr ZTMenuText bindLines[kiBindCount] = {ZT_MENU_FIRE,  ZT_MENU_SECOND, ZT_MENU_EDIT1,
                                               ZT_MENU_EDIT2, ZT_MENU_UP,     ZT_MENU_DOWN,
                                               ZT_MENU_LEFT,  ZT_MENU_RIGHT};
constexpr int controlCount = kiBindCount + 2; // the bindings, the defaults, back
constexpr int volumeStep = 10;
constexpr int maxScale = 16; // the configuration's bound

constexpr float lineStep = 36.0f;
constexpr uint32_t shade = 0xFFFFFFFF;
constexpr uint32_t dim = 0xFFA0A0A0;

// Menus never lose their way: see kiMapMenuWord.
uint32_t menuWord(const uint8_t keys[256], bool keysOk, const KPadState& pad, bool padOk) {
    if (!gInput) return 0;
    return gInput->kiMapMenuWord(keysOk ? keys : nullptr, padOk ? &pad : nullptr);
}

// The window's inner size for lines of text `width` pixels wide.
int innerCells(float pixels) {
    return static_cast<int>((pixels + 31.0f) / 32.0f);
}

int innerRows(int lines) {
    return 1 + innerCells(lineStep * static_cast<float>(lines - 1));
}

void frame(float x, float y, float textWidth, int lines) {
    ztDrawWindowFrame(x, y, innerCells(textWidth) + 1, innerRows(lines), 0);
}

// The window's cursor, standing still: a paused game draws a new picture only when something
// in it changes.
void cursorAt(float x, float y) {
    gSprite->kspPut(177, x + 8.0f, y, 0.0f, 2.0f, 2.0f, 0xFFFFFFFF);
}

std::string clip(std::string name, size_t most) {
    if (name.size() > most) name.resize(most);
    return name;
}

PlatformInput* devices() {
    return gPlatform.input;
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

void ZTPauseMenu::draw() const {
    if (!opened || !gSprite) return;
    const float x = 48.0f, y = 48.0f;
    auto lineY = [y](int k) { return y + 32.0f + lineStep * static_cast<float>(k); };
    auto widest = [](const ZTMenuText* texts, int count) {
        float w = 0.0f;
        for (int i = 0; i < count; ++i) {
            const float t = ztWindowLineWidth(ztMenuText(texts[i]));
            if (t > w) w = t;
        }
        return w;
    };
    switch (screen) {
    case Screen::Main:
    case Screen::Confirm: {
        ZTMenuText lines[mainCount];
        for (int i = 0; i < mainCount; ++i) lines[i] = mainLines[i];
        if (replay) lines[MAIN_TITLE] = ZT_MENU_STOP_REPLAY;
        const float w = widest(lines, mainCount);
        frame(x, y, w, mainCount);
        for (int i = 0; i < mainCount; ++i)
            ztDrawWindowLine(x + 32.0f, lineY(i), ztMenuText(lines[i]), 2.0f,
                             screen == Screen::Main ? shade : dim);
        if (screen == Screen::Main) {
            cursorAt(x, lineY(cursor));
            break;
        }
        // The question over the menu, and yes or no under it.
        const float qx = 80.0f, qy = 240.0f;
        const ZTMenuText question =
            confirming == ZTMenuExit::Title ? ZT_MENU_CONFIRM_TITLE : ZT_MENU_CONFIRM_QUIT;
        const ZTMenuText ask[] = {question, ZT_MENU_LOST, ZT_MENU_YES, ZT_MENU_NO};
        frame(qx, qy, widest(ask, 4), 4);
        auto askY = [qy](int k) { return qy + 32.0f + lineStep * static_cast<float>(k); };
        ztDrawWindowLine(qx + 32.0f, askY(0), ztMenuText(question));
        ztDrawWindowLine(qx + 32.0f, askY(1), ztMenuText(ZT_MENU_LOST), 2.0f, dim);
        ztDrawWindowLine(qx + 64.0f, askY(2), ztMenuText(ZT_MENU_YES));
        ztDrawWindowLine(qx + 64.0f, askY(3), ztMenuText(ZT_MENU_NO));
        cursorAt(qx + 32.0f, askY(2 + cursor));
        break;
    }
    case Screen::Settings: {
        const TForm1* form = gForm;
        const float labels = widest(settingLines, settingCount) + 32.0f;
        const ZTMenuText values[] = {ZT_MENU_FULL_SCREEN, ZT_MENU_WINDOW, ZT_MENU_OFF};
        const float valueWidth = widest(values, 3);
        const float sx = 16.0f;
        frame(sx, y, labels + valueWidth, settingCount);
        char number[16];
        for (int i = 0; i < settingCount; ++i) {
            ztDrawWindowLine(sx + 32.0f, lineY(i), ztMenuText(settingLines[i]));
            if (!form || i == settingCount - 1) continue;
            const char* value = "";
            auto onOff = [](bool on) { return ztMenuText(on ? ZT_MENU_ON : ZT_MENU_OFF); };
            switch (i) {
            case SET_SCREEN:
                value = ztMenuText(form->windowMode ? ZT_MENU_WINDOW : ZT_MENU_FULL_SCREEN);
                break;
            case SET_SCALE:
                std::snprintf(number, sizeof number, "x%d", form->scale);
                value = number;
                break;
            case SET_VSYNC:
                value = onOff(form->vsync);
                break;
            case SET_FOCUS:
                value = onOff(form->focusPause);
                break;
            case SET_MUSIC:
                value = onOff(form->bgmEnabled);
                break;
            default:
                std::snprintf(number, sizeof number, "%d",
                              i == SET_MUSIC_VOLUME ? form->bgmVolume : form->seVolume);
                value = number;
                break;
            }
            ztDrawWindowLine(sx + 32.0f + labels, lineY(i), value);
        }
        cursorAt(sx, lineY(cursor));
        break;
    }
    case Screen::Controls:
    case Screen::Capture: {
        // The widest screen: it takes the whole picture but for the hints' row.
        const float cx = 16.0f, cy = 16.0f, keyColumn = 144.0f, padColumn = 320.0f;
        auto rowY = [cy](int k) { return cy + 32.0f + lineStep * static_cast<float>(k); };
        frame(cx, cy, 512.0f, controlCount);
        const PlatformInput* in = devices();
        const bool waiting = screen == Screen::Capture;
        for (int i = 0; i < controlCount; ++i) {
            const float ly = rowY(i);
            const uint32_t colour = waiting && i != captureLine ? dim : shade;
            if (i == kiBindCount) {
                ztDrawWindowLine(cx + 32.0f, ly, ztMenuText(ZT_MENU_DEFAULTS), 2.0f, colour);
                continue;
            }
            if (i == kiBindCount + 1) {
                ztDrawWindowLine(cx + 32.0f, ly, ztMenuText(ZT_MENU_BACK), 2.0f, colour);
                continue;
            }
            ztDrawWindowLine(cx + 32.0f, ly, ztMenuText(bindLines[i]), 2.0f, colour);
            if (waiting && i == captureLine) {
                if ((clock / 256) & 1) ztDrawWindowLine(cx + 32.0f + keyColumn, ly, "...");
                continue;
            }
            if (!in || !gInput) continue;
            const KIBindings& b = gInput->kimBindings;
            ztDrawWindowLine(cx + 32.0f + keyColumn, ly, clip(in->keyName(b.key[i]), 10).c_str(),
                             2.0f, colour);
            ztDrawWindowLine(cx + 32.0f + padColumn, ly,
                             clip(in->padButtonName(b.pad[i]), 12).c_str(), 2.0f, colour);
        }
        if (!waiting) {
            cursorAt(cx, rowY(cursor));
            break;
        }
        // The wait, with the seconds it has left.
        // Just under the line it is for, or just over it near the bottom.
        const float wx = 32.0f;
        const float wy = captureLine < 6 ? rowY(captureLine) + 48.0f : rowY(captureLine) - 112.0f;
        const bool refused = static_cast<int32_t>(refusedUntil - clock) > 0;
        const char* text = ztMenuText(refused ? ZT_MENU_RESERVED : ZT_MENU_PRESS_KEY);
        char left[16];
        const uint32_t gone = clock - captureStart;
        std::snprintf(left, sizeof left, "%u",
                      gone >= captureTimeout ? 0u : (captureTimeout - gone + 999) / 1000);
        frame(wx, wy, ztWindowLineWidth(text) + 48.0f, 1);
        ztDrawWindowLine(wx + 32.0f, wy + 32.0f, text);
        ztDrawWindowLine(wx + 48.0f + ztWindowLineWidth(text), wy + 32.0f, left);
        break;
    }
    }
    // How to drive the menu, in the font of the game's own counters, on a band of the window's
    // own fill over the bottom row.
    for (int k = 0; k < 20; ++k)
        gSprite->kspPut(176, 16.0f + 32.0f * static_cast<float>(k), 464.0f, 0.0f, 2.0f, 2.0f,
                        0xFFFFFFFF);
    if (gAscii) {
        gAscii->scale = 2;
        gAscii->colour = 0xFFFFFFFF;
        gAscii->kaPrintAt(2, 29,
                          screen == Screen::Capture    ? "ESC: CANCEL"
                          : screen == Screen::Settings ? "Z/X: OK/BACK   LEFT/RIGHT: CHANGE"
                                                       : "Z: OK   X: BACK   ESC: QUIT");
    }
}
