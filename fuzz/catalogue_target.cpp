// Message catalogues and the list of languages: any bytes give either nothing or entries that lie
// inside the data, and a list of languages whose names and folders are plain words, each number
// and name once.
#include <strings.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::map<std::string, std::string> entries = {{"stale", "x"}};
    const bool ok = ztParseCatalogue(data, size, entries);
    if (!ok && !entries.empty()) __builtin_trap();
    size_t total = 0;
    for (const auto& [original, translation] : entries) {
        if (original.empty()) __builtin_trap(); // the header is not an entry
        total += original.size() + translation.size();
    }
    if (total > size) __builtin_trap();

    const std::vector<ZTLanguageInfo> list =
        ztParseLanguages(std::string(reinterpret_cast<const char*>(data), size));
    for (size_t i = 0; i < list.size(); ++i) {
        const ZTLanguageInfo& l = list[i];
        if (l.name.empty() || l.folder.empty() || l.folder.find('/') != std::string::npos ||
            l.folder.find('.') != std::string::npos)
            __builtin_trap(); // a folder never leaves text/
        for (size_t j = 0; j < i; ++j)
            if (list[j].id == l.id || strcasecmp(list[j].name.c_str(), l.name.c_str()) == 0)
                __builtin_trap();
    }
    return 0;
}
