#pragma once
// The texts of the pause menu and of the settings and controls screens: a Japanese line (kana
// and punctuation, the glyphs the window has) and an English line each.
enum ZTMenuText : int {
    ZT_MENU_RESUME,
    ZT_MENU_SETTINGS,
    ZT_MENU_CONTROLS,
    ZT_MENU_TO_TITLE,
    ZT_MENU_QUIT,
    ZT_MENU_STOP_REPLAY,
    ZT_MENU_CONFIRM_TITLE,
    ZT_MENU_CONFIRM_QUIT,
    ZT_MENU_LOST,
    ZT_MENU_YES,
    ZT_MENU_NO,
    ZT_MENU_SCREEN,
    ZT_MENU_WINDOW,
    ZT_MENU_FULL_SCREEN,
    ZT_MENU_SCALE,
    ZT_MENU_VSYNC,
    ZT_MENU_FOCUS_PAUSE,
    ZT_MENU_MUSIC,
    ZT_MENU_MUSIC_VOLUME,
    ZT_MENU_EFFECT_VOLUME,
    ZT_MENU_ON,
    ZT_MENU_OFF,
    ZT_MENU_BACK,
    ZT_MENU_FIRE,
    ZT_MENU_SECOND,
    ZT_MENU_EDIT1,
    ZT_MENU_EDIT2,
    ZT_MENU_UP,
    ZT_MENU_DOWN,
    ZT_MENU_LEFT,
    ZT_MENU_RIGHT,
    ZT_MENU_DEFAULTS,
    ZT_MENU_PRESS_KEY,
    ZT_MENU_RESERVED,
    ZT_MENU_TITLE_HINT,
    ZT_MENU_TEXT_COUNT
};

// Whether the menus speak English; Japanese until the game has a language setting, which will
// decide it here. Until then only tests switch it.
bool ztMenuEnglish();
void ztSetMenuEnglish(bool english);
// The text in the window's encoding (Shift-JIS; the English lines are plain ASCII).
const char* ztMenuText(ZTMenuText text);
