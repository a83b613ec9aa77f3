#pragma once
// The configuration tests' fixture: a file of each test's own, written and read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config.h"
#include "files.h"
#include "language.h"
#include "platform/files.h"

// Named after the test, so that tests run side by side never share a file.
inline std::string pathName() {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini";
}

inline void expectDefaults(const ZTConfig& c) {
    EXPECT_TRUE(c.windowMode);
    EXPECT_EQ(c.refreshRate, 60);
    EXPECT_EQ(c.drawInterval, 1);
    EXPECT_EQ(c.spriteOffset, 0.0);
    EXPECT_TRUE(c.bgmEnabled);
    EXPECT_EQ(c.stage, 1);
    EXPECT_EQ(c.tailCount, 1);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.scale, 1);
    EXPECT_TRUE(c.focusPause);
    EXPECT_TRUE(c.vsync);
    EXPECT_EQ(c.seVolume, 100);
    EXPECT_EQ(c.bgmVolume, 100);
    EXPECT_EQ(c.language, ZTLanguage::Japanese);
}

class Config : public ::testing::Test {
protected:
    void TearDown() override { std::remove(kPath); }
    const std::string path = pathName();
    const char* kPath = path.c_str();
    void writeText(const std::string& text) {
        ASSERT_TRUE(pfWriteAtomic(kPath, text.data(), text.size()));
    }
};
