#include "texts.h"

#include <map>
#include <vector>

#include "data/bytes.h"
#include "data/catalogue.h"
#include "log.h"
#include "platform/files.h"

const ZTTextSource ztTextSources[ztTextCount] = {
    {"title menu", "New Game"},
    {"title menu", "Continue"},
    {"title menu", "Watch a Replay"},
    {"title menu", "Rankings"},
    {"title menu", "Back to the Title"},
    {"this language's own name", "ENGLISH"},
    {"menu", "RESUME"},                        // ZT_MENU_RESUME
    {"menu", "SETTINGS"},                      // ZT_MENU_SETTINGS
    {"menu", "CONTROLS"},                      // ZT_MENU_CONTROLS
    {"menu", "BACK TO THE TITLE"},             // ZT_MENU_TO_TITLE
    {"menu", "QUIT THE GAME"},                 // ZT_MENU_QUIT
    {"menu", "STOP THE REPLAY"},               // ZT_MENU_STOP_REPLAY
    {"menu", "LEAVE THE PLAY FOR THE TITLE?"}, // ZT_MENU_CONFIRM_TITLE
    {"menu", "LEAVE THE PLAY AND QUIT?"},      // ZT_MENU_CONFIRM_QUIT
    {"menu", "THIS PLAY IS NOT KEPT."},        // ZT_MENU_LOST
    {"menu", "YES"},                           // ZT_MENU_YES
    {"menu", "NO"},                            // ZT_MENU_NO
    {"menu", "SCREEN"},                        // ZT_MENU_SCREEN
    {"menu", "WINDOW"},                        // ZT_MENU_WINDOW
    {"menu", "FULL SCREEN"},                   // ZT_MENU_FULL_SCREEN
    {"menu", "SCALE"},                         // ZT_MENU_SCALE
    {"menu", "VSYNC"},                         // ZT_MENU_VSYNC
    {"menu", "FOCUS PAUSE"},                   // ZT_MENU_FOCUS_PAUSE
    {"menu", "MUSIC"},                         // ZT_MENU_MUSIC
    {"menu", "MUSIC VOLUME"},                  // ZT_MENU_MUSIC_VOLUME
    {"menu", "EFFECT VOLUME"},                 // ZT_MENU_EFFECT_VOLUME
    {"menu", "ON"},                            // ZT_MENU_ON
    {"menu", "OFF"},                           // ZT_MENU_OFF
    {"menu", "BACK"},                          // ZT_MENU_BACK
    {"menu", "FIRE"},                          // ZT_MENU_FIRE
    {"menu", "BUTTON 2"},                      // ZT_MENU_SECOND
    {"menu", "BUTTON 3"},                      // ZT_MENU_EDIT1
    {"menu", "BUTTON 4"},                      // ZT_MENU_EDIT2
    {"menu", "UP"},                            // ZT_MENU_UP
    {"menu", "DOWN"},                          // ZT_MENU_DOWN
    {"menu", "LEFT"},                          // ZT_MENU_LEFT
    {"menu", "RIGHT"},                         // ZT_MENU_RIGHT
    {"menu", "DEFAULTS"},                      // ZT_MENU_DEFAULTS
    {"menu", "PRESS A KEY OR A PAD BUTTON"},   // ZT_MENU_PRESS_KEY
    {"menu", "THAT ONE HAS ITS OWN JOB"},      // ZT_MENU_RESERVED
    {"menu", "P: PAUSE, SETTINGS, CONTROLS"},  // ZT_MENU_TITLE_HINT
    {"menu", "LANGUAGE"},                      // ZT_MENU_LANGUAGE
};

const std::string& ztText(ZTText text) {
    static ZTTexts kept;
    static ZTLanguage keptLanguage = ZTLanguage::Japanese;
    static std::string keptRoot;
    static bool loaded = false;
    const std::string root = pfCurrentDir();
    if (!loaded || keptLanguage != gLanguage || keptRoot != root) {
        kept = ztLoadTexts(gLanguage);
        keptLanguage = gLanguage;
        keptRoot = root;
        loaded = true;
    }
    return kept[text];
}

std::string ztLanguageOwnName(ZTLanguage language) {
    if (language == gLanguage) return ztText(ZTText::LanguageName);
    const ZTTexts t = ztLoadTexts(language);
    return t.translated > 0 ? t[ZTText::LanguageName] : ztLanguageName(language);
}

ZTTexts ztLoadTexts(ZTLanguage language) {
    ZTTexts out;
    std::map<std::string, std::string> catalogue;
    const std::string path = ztTextPath(language, "zentaku.mo");
    std::vector<uint8_t> bytes;
    if (path.empty() || !ztReadWholeFile(path.c_str(), ztCatalogueMaxSize + 1, bytes) ||
        !ztParseCatalogue(bytes.data(), bytes.size(), catalogue))
        klWrite("<ztLoadTexts> no catalogue for " + ztLanguageName(language) + "\n");
    for (size_t i = 0; i < ztTextCount; ++i) {
        const ZTTextSource& s = ztTextSources[i];
        const auto found = catalogue.find(std::string(s.context) + '\x04' + s.original);
        if (found != catalogue.end() && !found->second.empty()) {
            out.lines[i] = found->second;
            out.translated += 1;
        } else {
            out.lines[i] = s.original;
        }
    }
    if (!catalogue.empty() && out.translated < ztTextCount)
        klWrite("<ztLoadTexts> " + std::to_string(ztTextCount - out.translated) +
                " texts untranslated in " + ztLanguageName(language) + "\n");
    return out;
}
