#pragma once
// The configuration file "./zent.ini": the game's nine keys and the player's comforts in five
// sections, and the controls in two more ("Keys" and "Pad", one key and one pad button per
// button, by the names the platform gives them). Read once at start-up; written at exit and
// whenever the settings or controls screens change something. A key missing from an older file
// keeps its default, so a file without the controls keeps the keys the game always had.
#include "input.h"
#include "language.h"

#include <string>

struct ZTConfig {
    bool windowMode = true;    // Screen/WindowMode
    int refreshRate = 60;      // Screen/RefleshRate (sic: the key has always been spelled so)
    int drawInterval = 1;      // Screen/Int
    double spriteOffset = 0.0; // Screen/SpriteOfs
    bool bgmEnabled = true;    // Sound/BGM
    int stage = 1;             // Debug/Stage
    int tailCount = 1;         // Debug/Tail
    int top = 0;               // Form/Top
    int left = 0;              // Form/Left
    int width = 0;             // Form/Width: the window's client size; 0 (or a size whose whole
    int height = 0;            // Form/Height  factor is not Scale): the picture times Scale
    int scale = 1;             // Screen/Scale: the window is this many times 640x480
    bool focusPause = true;    // Screen/FocusPause: losing the keyboard focus pauses
    bool vsync = true;         // Screen/VSync: present in step with the display
    int seVolume = 100;        // Sound/SEVolume: effects, 0..100
    int bgmVolume = 100;       // Sound/BGMVolume: music, 0..100
    KIBindings bindings = kiDefaultBindings(); // Keys/Fire.. and Pad/Fire..
    // Game/Language: the menus' and new plays' language, by its name ("Japanese", "English").
    // A file without the key is from before there was a choice: it keeps Japanese.
    ZTLanguage language = ZTLanguage::Japanese;
};

// Reads the keys of the file into config. A missing key leaves the field as it is; a value that
// does not parse or lies outside the key's bounds gives the field its default above ("Stage"
// 1..24, "Tail" 1..50, "Int" 1..60, "RefleshRate" 1..1000, "SpriteOfs" -1..1, "Language" a
// language of the game root). A binding that names no key (or pad button) the platform knows,
// or one that may not be bound, keeps its default. False when the file could not be read at all;
// then `unreadable`, when given, receives the reason if the file exists (it stays empty for a
// missing file, which is no fault).
bool ztReadConfig(const char* path, ZTConfig& config, std::string* unreadable = nullptr);
// Writes every key through a temporary file renamed into place.
bool ztWriteConfig(const char* path, const ZTConfig& config);
