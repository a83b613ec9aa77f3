#include "scene_world.h"

#include "engine.h"

SceneWorld::SceneWorld(int firstScene) {
    keInitializeKilnEngine(&creator, firstScene);
}

SceneWorld::~SceneWorld() {
    keDisposeKilnEngine();
}
