#include "texts.h"

#include <map>
#include <vector>

#include "data/bytes.h"
#include "data/catalogue.h"
#include "log.h"
#include "platform/files.h"

const ZTTextSource ztTextSources[ztTextCount] = {
    {"title menu", "New Game"},          {"title menu", "Continue"},
    {"title menu", "Watch a Replay"},    {"title menu", "Rankings"},
    {"title menu", "Back to the Title"},
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
