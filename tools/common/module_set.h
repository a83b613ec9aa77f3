#pragma once
// The engine modules a headless game reaches, installed into the globals for their owner's
// lifetime: every sprite cell, the text, the input, the scene creator and a game work. The one
// set every tool, test and benchmark builds its plays on.
#include <memory>

#include "ascii.h"
#include "creator.h"
#include "input.h"
#include "sprite.h"
#include "work.h"

struct ZTModuleOptions {
    // The effect slots and the voice, on whatever audio the platform has. Plays that only look
    // at the state leave them out: the scenes run silent without them.
    bool sound = false;
};

class ZTModules {
public:
    // Construct after the game root is current and the platform installed: the work reads its
    // maps, sets and conversations, and later writes its score file, below the current folder.
    explicit ZTModules(ZTModuleOptions options = {});
    // Ends any live scene first, while the work it may reach still stands.
    ~ZTModules();
    ZTModules(const ZTModules&) = delete;
    ZTModules& operator=(const ZTModules&) = delete;

    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTCreator creator;
    std::unique_ptr<ZTWork> work;

private:
    bool sound;
};
