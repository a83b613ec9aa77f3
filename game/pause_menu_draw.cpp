// What the pause menu shows: its window over the last picture and the row of hints under it.
#include <algorithm>
#include <cstdio>
#include <string>

#include "ascii.h"
#include "language.h"
#include "main_form.h"
#include "pause_menu.h"
#include "pause_menu_lines.h"
#include "scenes/window.h"
#include "sprite.h"
#include "texts.h"

using namespace pausemenu;

namespace {
constexpr float lineStep = 36.0f;
constexpr uint32_t shade = 0xFFFFFFFF;
constexpr uint32_t dim = 0xFFA0A0A0;

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

// Line k of a window whose top edge is at y.
float lineAt(float y, int k) {
    return y + 32.0f + lineStep * static_cast<float>(k);
}

float widest(const ZTMenuText* texts, int count) {
    float w = 0.0f;
    for (int i = 0; i < count; ++i) w = std::max(w, ztWindowLineWidth(ztMenuText(texts[i])));
    return w;
}

constexpr float menuX = 48.0f, menuY = 48.0f;
} // namespace

void ZTPauseMenu::draw() const {
    if (!opened || !gSprite) return;
    switch (screen) {
    case Screen::Main:
    case Screen::Confirm:
        drawMain();
        break;
    case Screen::Settings:
        drawSettings();
        break;
    case Screen::Controls:
    case Screen::Capture:
        drawControls();
        break;
    }
    drawHints();
}

void ZTPauseMenu::drawMain() const {
    const float x = menuX, y = menuY;
    ZTMenuText lines[mainCount];
    for (int i = 0; i < mainCount; ++i) lines[i] = mainLines[i];
    if (replay) lines[MAIN_TITLE] = ZT_MENU_STOP_REPLAY;
    frame(x, y, widest(lines, mainCount), mainCount);
    for (int i = 0; i < mainCount; ++i)
        ztDrawWindowLine(x + 32.0f, lineAt(y, i), ztMenuText(lines[i]), 2.0f,
                         screen == Screen::Main ? shade : dim);
    if (screen == Screen::Main) {
        cursorAt(x, lineAt(y, cursor));
        return;
    }
    // The question over the menu, and yes or no under it.
    const float qx = 80.0f, qy = 240.0f;
    const ZTMenuText question =
        confirming == ZTMenuExit::Title ? ZT_MENU_CONFIRM_TITLE : ZT_MENU_CONFIRM_QUIT;
    const ZTMenuText ask[] = {question, ZT_MENU_LOST, ZT_MENU_YES, ZT_MENU_NO};
    frame(qx, qy, widest(ask, 4), 4);
    ztDrawWindowLine(qx + 32.0f, lineAt(qy, 0), ztMenuText(question));
    ztDrawWindowLine(qx + 32.0f, lineAt(qy, 1), ztMenuText(ZT_MENU_LOST), 2.0f, dim);
    ztDrawWindowLine(qx + 64.0f, lineAt(qy, 2), ztMenuText(ZT_MENU_YES));
    ztDrawWindowLine(qx + 64.0f, lineAt(qy, 3), ztMenuText(ZT_MENU_NO));
    cursorAt(qx + 32.0f, lineAt(qy, 2 + cursor));
}

void ZTPauseMenu::drawSettings() const {
    const TForm1* form = gForm;
    const float labels = widest(settingLines, settingCount) + 32.0f;
    const ZTMenuText values[] = {ZT_MENU_FULL_SCREEN, ZT_MENU_WINDOW, ZT_MENU_OFF};
    const std::string ownName = ztLanguageOwnName(gLanguage);
    const float nameWidth = ztWindowLineWidth(ownName.c_str());
    const float valueWidth = std::max(widest(values, 3), nameWidth);
    const float sx = 16.0f;
    frame(sx, menuY, labels + valueWidth, settingCount);
    char number[16];
    auto onOff = [](bool on) { return ztMenuText(on ? ZT_MENU_ON : ZT_MENU_OFF); };
    for (int i = 0; i < settingCount; ++i) {
        ztDrawWindowLine(sx + 32.0f, lineAt(menuY, i), ztMenuText(settingLines[i]));
        if (!form || i == settingCount - 1) continue;
        const char* value = "";
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
        case SET_LANGUAGE:
            value = ownName.c_str();
            break;
        default:
            std::snprintf(number, sizeof number, "%d",
                          i == SET_MUSIC_VOLUME ? form->bgmVolume : form->seVolume);
            value = number;
            break;
        }
        ztDrawWindowLine(sx + 32.0f + labels, lineAt(menuY, i), value);
    }
    cursorAt(sx, lineAt(menuY, cursor));
}

void ZTPauseMenu::drawControls() const {
    // The widest screen: it takes the whole picture but for the hints' row.
    const float cx = 16.0f, cy = 16.0f, keyColumn = 144.0f, padColumn = 320.0f;
    frame(cx, cy, 512.0f, controlCount);
    const PlatformInput* in = devices();
    const bool waiting = screen == Screen::Capture;
    for (int i = 0; i < controlCount; ++i) {
        const float ly = lineAt(cy, i);
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
        ztDrawWindowLine(cx + 32.0f + keyColumn, ly, clip(in->keyName(b.key[i]), 10).c_str(), 2.0f,
                         colour);
        ztDrawWindowLine(cx + 32.0f + padColumn, ly, clip(in->padButtonName(b.pad[i]), 12).c_str(),
                         2.0f, colour);
    }
    if (!waiting) {
        cursorAt(cx, lineAt(cy, cursor));
        return;
    }
    // The wait, with the seconds it has left, just under the line it is for, or just over it
    // near the bottom.
    const float wx = 32.0f;
    const float line = lineAt(cy, captureLine);
    const float wy = captureLine < 6 ? line + 48.0f : line - 112.0f;
    const bool refused = static_cast<int32_t>(refusedUntil - clock) > 0;
    const char* text = ztMenuText(refused ? ZT_MENU_RESERVED : ZT_MENU_PRESS_KEY);
    char left[16];
    const uint32_t gone = clock - captureStart;
    std::snprintf(left, sizeof left, "%u",
                  gone >= captureTimeout ? 0u : (captureTimeout - gone + 999) / 1000);
    frame(wx, wy, ztWindowLineWidth(text) + 48.0f, 1);
    ztDrawWindowLine(wx + 32.0f, wy + 32.0f, text);
    ztDrawWindowLine(wx + 48.0f + ztWindowLineWidth(text), wy + 32.0f, left);
}

// How to drive the menu, in the font of the game's own counters, on a band of the window's own
// fill over the bottom row.
void ZTPauseMenu::drawHints() const {
    for (int k = 0; k < 20; ++k)
        gSprite->kspPut(176, 16.0f + 32.0f * static_cast<float>(k), 464.0f, 0.0f, 2.0f, 2.0f,
                        0xFFFFFFFF);
    if (!gAscii) return;
    gAscii->scale = 2;
    gAscii->colour = 0xFFFFFFFF;
    gAscii->kaPrintAt(2, 29,
                      screen == Screen::Capture    ? "ESC: CANCEL"
                      : screen == Screen::Settings ? "Z/X: OK/BACK   LEFT/RIGHT: CHANGE"
                                                   : "Z: OK   X: BACK   ESC: QUIT");
}
