#pragma once
// The desktop's language as the environment tells it, for a backend whose own query finds none.
#include <string>
#include <vector>

// Locale names from the values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null when unset), most
// wanted first, in the order the C library asks them: LANGUAGE's colon-separated list, then the
// first of the other three that is set. "C" and "POSIX" name no language and are left out.
std::vector<std::string> pfLocalesFrom(const char* language, const char* lcAll,
                                       const char* lcMessages, const char* lang);
// The same from this process's environment.
std::vector<std::string> pfEnvironmentLocales();
