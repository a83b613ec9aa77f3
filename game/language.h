#pragma once
// The languages the game speaks. Each has a number (what a replay file records), a name (what
// zent.ini and the settings show) and a folder of texts below text/ in the game root. The list is
// data, text/languages.txt, so a language is added without touching the code; without that file
// the game knows the two it ships with.
#include <cstdint>
#include <string>
#include <vector>

#include "data/language_id.h"

struct ZTLanguageInfo {
    ZTLanguage id = ZTLanguage::Japanese;
    std::string name;   // "Japanese"
    std::string folder; // "ja": its texts are in text/ja/
    // Desktop language codes that choose it on a first start ("ja").
    std::vector<std::string> locales;
};

// The player's setting: the language of the menus and of every new play. A replay is shown in
// the language it was recorded in, whatever this says.
extern ZTLanguage gLanguage;

// The game root's languages in their file's order, read afresh each time (the list is short
// and asked for rarely): text/languages.txt, or Japanese and English when it is missing or
// holds no usable line.
std::vector<ZTLanguageInfo> ztLanguages();
// Parses the list's text: "number name folder [desktop codes...]" a line, '#' starts a comment.
// Lines that do not parse, and numbers or names seen before, are left out.
std::vector<ZTLanguageInfo> ztParseLanguages(const std::string& text);

// The language of that name (any case); false when the root has none.
bool ztFindLanguage(const std::string& name, ZTLanguage& out);
// The language numbered so, when the root has it.
bool ztFindLanguage(ZTLanguage id, ZTLanguageInfo& out);
// Its name, or its number in decimal when the root lacks it.
std::string ztLanguageName(ZTLanguage id);
// A file of the language's texts: "text/<folder>/<file>"; empty when the root lacks it.
std::string ztTextPath(ZTLanguage id, const char* file);

// What a first start picks from the desktop's preferred locales, most wanted first ("ja_JP",
// "en-GB", "fr_FR.UTF-8"): the first language whose code one of them names, else English.
ZTLanguage ztLanguageForLocales(const std::vector<std::string>& locales,
                                const std::vector<ZTLanguageInfo>& languages);
