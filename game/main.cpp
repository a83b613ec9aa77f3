// The program: the SDL platform, the main form, and one frame per turn until the form is done.
#include <cstdio>

#include "main_form.h"
#include "platform/sdl/sdl_platform.h"
#include "random.h"

int main() {
    SdlPlatform platform;
    if (!platform.ok()) {
        std::fprintf(stderr, "zentaku: SDL could not start\n");
        return 2;
    }
    kuSeed(1);
    auto* form = new TForm1();
    while (form->AppIdle()) {}
    const int code = form->exitCode;
    delete form;
    return code;
}
