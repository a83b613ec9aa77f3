#pragma once
// The shared object field set up as a fresh play would leave the work: no tail yet, no ground
// enemies counted, and the random generator at a fixed seed.
#include <gtest/gtest.h>

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

// A test on a fresh object field.
class ObjectTest : public ::testing::Test {
protected:
    ObjectWorld world;
};
