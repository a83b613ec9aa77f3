#pragma once
// The shared object field set up as a fresh play would leave the work: no tail yet, no ground
// enemies counted, and the random generator at a fixed seed.
#include "hit.h"
#include "object_field.h"
#include "random.h"

class ObjectWorld : public ObjectField {
public:
    ObjectWorld() {
        work->tail = 0;
        work->tailMax = 0;
        work->groundCount = 0;
        kuSeed(920);
    }
};
