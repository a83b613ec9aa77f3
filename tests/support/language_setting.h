#pragma once
#include "language.h"

// The player's language for one test; the one before comes back at its end.
class LanguageSetting {
public:
    explicit LanguageSetting(ZTLanguage language) : saved(gLanguage) { gLanguage = language; }
    ~LanguageSetting() { gLanguage = saved; }
    LanguageSetting(const LanguageSetting&) = delete;
    LanguageSetting& operator=(const LanguageSetting&) = delete;

private:
    ZTLanguage saved;
};
