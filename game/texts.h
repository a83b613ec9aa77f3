#pragma once
// The texts a player reads in the language of their choice, other than the conversations (the
// title menu, the pause menu and its screens): each has a context and an English original, by
// which the language's catalogue
// (text/<folder>/zentaku.mo, compiled from data/text/<folder>/zentaku.po) finds its translation.
// The translations are in the window's encoding; a menu line holds no "|" codes.
#include <array>
#include <cstddef>
#include <string>

#include "language.h"
#include "menu_text.h"

enum class ZTText : int {
    TitleNewGame,
    TitleContinue,
    TitleReplay,
    TitleRanking,
    TitleBack,
    LanguageName, // the language's own name for itself, as the settings screen offers it
    MenuFirst,    // the menus' texts follow, in the order of ZTMenuText
    Count = MenuFirst + ZT_MENU_TEXT_COUNT
};
constexpr size_t ztTextCount = static_cast<size_t>(ZTText::Count);

struct ZTTextSource {
    const char* context;
    const char* original; // the English source, also what is shown when a catalogue lacks it
};
extern const ZTTextSource ztTextSources[ztTextCount];

struct ZTTexts {
    std::array<std::string, ztTextCount> lines;
    // How many came from the catalogue; the rest are the English originals.
    size_t translated = 0;
    const std::string& operator[](ZTText t) const { return lines[static_cast<size_t>(t)]; }
};

// Every text in that language, read from the game root's catalogue. A missing or damaged
// catalogue, or one that lacks a text, gives the English original there (and says so in the log).
ZTTexts ztLoadTexts(ZTLanguage language);
// One text in the player's language (gLanguage), from texts kept until the language or the game
// root changes: cheap enough to ask for on every frame a menu is drawn.
const std::string& ztText(ZTText text);
// A language's own name for itself, from its catalogue (its number when it has none).
std::string ztLanguageOwnName(ZTLanguage language);
