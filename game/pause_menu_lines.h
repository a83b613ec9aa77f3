#pragma once
// The pause menu's screens line by line, shared by its turns and its drawing.
#include "input.h"
#include "menu_text.h"
#include "platform/platform.h"

namespace pausemenu {

inline constexpr ZTMenuText mainLines[] = {ZT_MENU_RESUME, ZT_MENU_SETTINGS, ZT_MENU_CONTROLS,
                                           ZT_MENU_TO_TITLE, ZT_MENU_QUIT};
inline constexpr int mainCount = 5;
enum { MAIN_RESUME, MAIN_SETTINGS, MAIN_CONTROLS, MAIN_TITLE, MAIN_QUIT };

inline constexpr ZTMenuText settingLines[] = {
    ZT_MENU_SCREEN,        ZT_MENU_SCALE,    ZT_MENU_VSYNC,
    ZT_MENU_FOCUS_PAUSE,   ZT_MENU_MUSIC,    ZT_MENU_MUSIC_VOLUME,
    ZT_MENU_EFFECT_VOLUME, ZT_MENU_LANGUAGE, ZT_MENU_BACK};
inline constexpr int settingCount = 9;
enum {
    SET_SCREEN,
    SET_SCALE,
    SET_VSYNC,
    SET_FOCUS,
    SET_MUSIC,
    SET_MUSIC_VOLUME,
    SET_EFFECT_VOLUME,
    SET_LANGUAGE
};

inline constexpr ZTMenuText bindLines[kiBindCount] = {ZT_MENU_FIRE,  ZT_MENU_SECOND, ZT_MENU_EDIT1,
                                                      ZT_MENU_EDIT2, ZT_MENU_UP,     ZT_MENU_DOWN,
                                                      ZT_MENU_LEFT,  ZT_MENU_RIGHT};
inline constexpr int controlCount = kiBindCount + 2; // the bindings, the defaults, back

inline PlatformInput* devices() {
    return gPlatform.input;
}

} // namespace pausemenu
