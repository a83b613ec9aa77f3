#pragma once
#include "hash.h"
// Behaviours: every game object lives in one of 16 layers, each a doubly linked list in order of
// construction. Scratch parts are reference-counted sub-parts shared between objects.

constexpr int kbLayerCount = 16;

class KilnBehave {
public:
    explicit KilnBehave(int layer);
    virtual ~KilnBehave();
    KilnBehave(const KilnBehave&) = delete;
    KilnBehave& operator=(const KilnBehave&) = delete;

    // One frame of logic; false asks the runner to delete the object.
    virtual bool kbMove() = 0;
    virtual void kbDraw() = 0;
    virtual void kbDrawShadow(int pass) { (void)pass; }
    // Feeds the object's state (positions, angles, counters, flags, damage) into a state hash.
    virtual void kbHash(KUHash& hash) const { hash.add(layer); }

    int layer;
    KilnBehave* next = nullptr;
    KilnBehave* prev = nullptr;
};

// Engine-wide layer state.
extern KilnBehave* kbHead[kbLayerCount];
extern KilnBehave* kbTail[kbLayerCount];
extern KilnBehave* kbCursor;

void kbMoveLayer(int layer);
void kbMoveAll();
void kbDrawLayer(int layer);
void kbShadowLayer(int layer, int pass);
// Forgets every layer without deleting anything (a scene starts).
void kbResetLists();
// Deletes every object, layer 0 first, each layer from its head (a scene ends).
void kbDeleteAll();

class KilnScratch {
public:
    KilnScratch();
    virtual ~KilnScratch();
    KilnScratch(const KilnScratch&) = delete;
    KilnScratch& operator=(const KilnScratch&) = delete;

    int references = 1; // the creator's reference
    KilnScratch* next = nullptr;
    KilnScratch* prev = nullptr;
};

extern KilnScratch* ksmHead;
extern int ksmCount;

void ksInitializeScratch();
void ksDisposeScratch();

// The holder's side of the reference rule.
inline void ksAddRef(KilnScratch* part) {
    if (part) part->references += 1;
}
// Drops one reference and deletes the part when none is left.
void ksRelease(KilnScratch* part);
