// The desktop's preferred languages: SDL's answer, or the environment's when SDL has none.
#include <SDL.h>

#include "../locale.h"
#include "sdl_window.h"

std::vector<std::string> SdlWindow::preferredLocales() {
    std::vector<std::string> out;
    if (SDL_Locale* list = SDL_GetPreferredLocales()) {
        for (const SDL_Locale* l = list; l->language; ++l) {
            std::string name = l->language;
            if (l->country) name += std::string("_") + l->country;
            out.push_back(name);
        }
        SDL_free(list);
    }
    return out.empty() ? pfEnvironmentLocales() : out;
}
