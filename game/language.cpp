#include "language.h"

#include <strings.h>

#include <cctype>
#include <sstream>

#include "data/bytes.h"

ZTLanguage gLanguage = ZTLanguage::Japanese;

namespace {
constexpr const char* listPath = "text/languages.txt";
constexpr size_t listLimit = 16 * 1024;

std::vector<ZTLanguageInfo> shipped() {
    return {{ZTLanguage::Japanese, "Japanese", "ja", {"ja"}},
            {ZTLanguage::English, "English", "en", {"en"}}};
}

// Names and folders become zent.ini values and paths: letters, digits, '_' and '-' only.
bool plainWord(const std::string& w) {
    if (w.empty() || w.size() > 32) return false;
    for (char c : w)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') return false;
    return true;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// "en_GB.UTF-8" and "en-GB" both name the language "en".
std::string languageCode(const std::string& locale) {
    const size_t end = locale.find_first_of("_-.@");
    return lower(locale.substr(0, end));
}
} // namespace

std::vector<ZTLanguageInfo> ztParseLanguages(const std::string& text) {
    std::vector<ZTLanguageInfo> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::string number, name, folder, code;
        if (!(words >> number >> name >> folder)) continue;
        if (number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const int n = std::stoi(number);
        if (n > 255 || !plainWord(name) || !plainWord(folder)) continue;
        ZTLanguageInfo info{static_cast<ZTLanguage>(n), name, folder, {}};
        while (words >> code)
            if (plainWord(code)) info.locales.push_back(lower(code));
        bool seen = false;
        for (const ZTLanguageInfo& o : out)
            seen = seen || o.id == info.id || strcasecmp(o.name.c_str(), name.c_str()) == 0;
        if (!seen) out.push_back(std::move(info));
    }
    return out;
}

std::vector<ZTLanguageInfo> ztLanguages() {
    std::vector<uint8_t> bytes;
    if (ztReadWholeFile(listPath, listLimit, bytes)) {
        std::vector<ZTLanguageInfo> list =
            ztParseLanguages(std::string(bytes.begin(), bytes.end()));
        if (!list.empty()) return list;
    }
    return shipped();
}

bool ztFindLanguage(const std::string& name, ZTLanguage& out) {
    for (const ZTLanguageInfo& l : ztLanguages()) {
        if (strcasecmp(l.name.c_str(), name.c_str()) != 0) continue;
        out = l.id;
        return true;
    }
    return false;
}

bool ztFindLanguage(ZTLanguage id, ZTLanguageInfo& out) {
    for (ZTLanguageInfo& l : ztLanguages()) {
        if (l.id != id) continue;
        out = std::move(l);
        return true;
    }
    return false;
}

std::string ztLanguageName(ZTLanguage id) {
    ZTLanguageInfo info;
    return ztFindLanguage(id, info) ? info.name : std::to_string(static_cast<int>(id));
}

std::string ztTextPath(ZTLanguage id, const char* file) {
    ZTLanguageInfo info;
    if (!ztFindLanguage(id, info)) return {};
    return "text/" + info.folder + "/" + file;
}

ZTLanguage ztLanguageForLocales(const std::vector<std::string>& locales,
                                const std::vector<ZTLanguageInfo>& languages) {
    for (const std::string& locale : locales) {
        const std::string code = languageCode(locale);
        for (const ZTLanguageInfo& l : languages)
            for (const std::string& c : l.locales)
                if (c == code) return l.id;
    }
    return ZTLanguage::English;
}
