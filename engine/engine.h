#pragma once
// The scene runner: exactly one scene is live; a requested change takes effect at frame end.

class KilnEngine {
public:
    // Starts the scratch list and empties the layer and hit lists.
    KilnEngine();
    // Deletes every object left in the layers, then every scratch part left.
    virtual ~KilnEngine();
    KilnEngine(const KilnEngine&) = delete;
    KilnEngine& operator=(const KilnEngine&) = delete;

    virtual void keMove() = 0;
    virtual void kePostHit() = 0;
    virtual void keHit() = 0;
    virtual void keDraw() = 0;
};

class KECreator {
public:
    virtual ~KECreator() = default;
    // A new scene for the number, or null when there is none.
    virtual KilnEngine* keCreateScene(int number) = 0;
};

enum : unsigned { KE_LIVE = 1u, KE_KEEP = 2u };

extern unsigned keFlags;
extern int keNextScene;
extern int keSceneNumber;
extern KilnEngine* keScene;
extern KECreator* keCreator;

void keInitializeKilnEngine(KECreator* creator, int first);
void keDisposeKilnEngine();
// Creates the requested scene when none is live. False when the factory had none to give.
bool keStartFrame();
void keCheckScene();
void keEndScene();
