#pragma once
#include "module_set.h"

// The tools' engine modules with the effect slots and the voice on the headless audio, which
// the tests listen to.
class EngineModules : public ZTModules {
public:
    EngineModules() : ZTModules({.sound = true}) {}
};
