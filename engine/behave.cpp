#include "behave.h"

#include "log.h"

KilnBehave* kbHead[kbLayerCount];
KilnBehave* kbTail[kbLayerCount];
KilnBehave* kbCursor = nullptr;

KilnBehave::KilnBehave(int layer_) : layer(layer_) {
    prev = kbTail[layer];
    if (prev)
        prev->next = this;
    else
        kbHead[layer] = this;
    kbTail[layer] = this;
}

KilnBehave::~KilnBehave() {
    // A runner that was about to visit this object goes on with the one after it.
    if (kbCursor == this) kbCursor = next;
    if (prev)
        prev->next = next;
    else
        kbHead[layer] = next;
    if (next)
        next->prev = prev;
    else
        kbTail[layer] = prev;
}

void kbMoveLayer(int layer) {
    KilnBehave* object = kbHead[layer];
    while (object) {
        kbCursor = object->next;
        const bool keep = object->kbMove();
        // An object appended behind the last one during its move is still visited in this pass.
        if (!kbCursor) kbCursor = object->next;
        if (!keep) delete object;
        object = kbCursor;
    }
}

void kbMoveAll() {
    for (int layer = 0; layer < kbLayerCount; ++layer) kbMoveLayer(layer);
}

void kbDrawLayer(int layer) {
    KilnBehave* object = kbHead[layer];
    while (object) {
        kbCursor = object->next;
        object->kbDraw();
        object = kbCursor;
    }
}

void kbShadowLayer(int layer, int pass) {
    KilnBehave* object = kbHead[layer];
    while (object) {
        kbCursor = object->next;
        object->kbDrawShadow(pass);
        object = kbCursor;
    }
}

void kbResetLists() {
    for (int i = 0; i < kbLayerCount; ++i) kbHead[i] = kbTail[i] = nullptr;
    kbCursor = nullptr;
}

void kbDeleteAll() {
    kbCursor = nullptr;
    for (int layer = 0; layer < kbLayerCount; ++layer)
        while (kbHead[layer]) delete kbHead[layer];
}

KilnScratch* ksmHead = nullptr;
int ksmCount = 0;

KilnScratch::KilnScratch() {
    next = ksmHead;
    if (ksmHead) ksmHead->prev = this;
    ksmHead = this;
    ksmCount += 1;
}

KilnScratch::~KilnScratch() {
    if (prev)
        prev->next = next;
    else if (ksmHead == this)
        ksmHead = next;
    if (next) next->prev = prev;
    ksmCount -= 1;
}

void ksInitializeScratch() {
    klWrite("<KilnScratch::ksInitializeScratch>\n");
    ksmHead = nullptr;
    ksmCount = 0;
}

void ksDisposeScratch() {
    klWrite("<KilnScratch::ksDisposeScratch>\n");
    klValue(" ksmCount = ", ksmCount);
    // Whatever is left is deleted regardless of its references: the scene is over.
    while (ksmHead) delete ksmHead;
}

void ksRelease(KilnScratch* part) {
    if (!part) return;
    part->references -= 1;
    if (part->references <= 0) delete part;
}
