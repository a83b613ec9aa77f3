#pragma once
#include <gtest/gtest.h>

#include "object_world.h"

// A test on a fresh object world.
class ObjectTest : public ::testing::Test {
protected:
    ObjectWorld world;
};
