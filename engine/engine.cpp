#include "engine.h"

#include "behave.h"
#include "hit.h"
#include "log.h"

unsigned keFlags = 0;
int keNextScene = 0;
int keSceneNumber = -1;
KilnEngine* keScene = nullptr;
KECreator* keCreator = nullptr;

KilnEngine::KilnEngine() {
    ksInitializeScratch();
    kbResetLists();
    knResetLists();
}

KilnEngine::~KilnEngine() {
    kbDeleteAll();
    ksDisposeScratch();
}

void keInitializeKilnEngine(KECreator* creator, int first) {
    klWrite("<KilnEngine::keInitializeKilnEngine>\n");
    keFlags = 0;
    keNextScene = first;
    keSceneNumber = -1;
    keScene = nullptr;
    keCreator = creator;
}

void keDisposeKilnEngine() {
    klWrite("<KilnEngine::keDisposeKilnEngine>\n");
    keEndScene();
}

bool keStartFrame() {
    if (keFlags & KE_LIVE) return true;
    // The number is taken before the scene is made: a constructor that asks for another scene
    // must see its request honoured at the end of this first frame, not swallowed.
    keSceneNumber = keNextScene;
    keScene = keCreator ? keCreator->keCreateScene(keSceneNumber) : nullptr;
    if (!keScene) return false;
    keFlags = KE_LIVE | KE_KEEP;
    return true;
}

void keCheckScene() {
    if (keNextScene != keSceneNumber) keFlags &= ~KE_KEEP;
}

void keEndScene() {
    delete keScene;
    keFlags = 0;
    keScene = nullptr;
}
