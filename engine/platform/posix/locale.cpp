#include "../locale.h"

#include <cstdlib>

namespace {
bool namesLanguage(const std::string& locale) {
    const std::string base = locale.substr(0, locale.find_first_of(".@"));
    return !base.empty() && base != "C" && base != "POSIX";
}

void add(std::vector<std::string>& out, const std::string& locale) {
    if (!namesLanguage(locale)) return;
    for (const std::string& o : out)
        if (o == locale) return;
    out.push_back(locale);
}
} // namespace

std::vector<std::string> pfLocalesFrom(const char* language, const char* lcAll,
                                       const char* lcMessages, const char* lang) {
    std::vector<std::string> out;
    if (language) {
        std::string list = language;
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(':', start);
            if (end == std::string::npos) end = list.size();
            add(out, list.substr(start, end - start));
            start = end + 1;
        }
    }
    for (const char* v : {lcAll, lcMessages, lang}) {
        if (!v || !*v) continue;
        add(out, v);
        break;
    }
    return out;
}

std::vector<std::string> pfEnvironmentLocales() {
    return pfLocalesFrom(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                         std::getenv("LANG"));
}
