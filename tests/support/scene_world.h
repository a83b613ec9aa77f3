#pragma once
#include "driver.h"
#include "modules.h"

// A headless game without its main form: the engine modules in a private game root and the
// scene runner, which builds `firstScene` on the first frame.
class SceneWorld : public ProgramDriver, public EngineModules {
public:
    explicit SceneWorld(int firstScene);
    ~SceneWorld();
};
