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

// Field by field, so that a failure names the field.
inline void expectSameConfig(const ZTConfig& got, const ZTConfig& want) {
    EXPECT_EQ(got.windowMode, want.windowMode);
    EXPECT_EQ(got.refreshRate, want.refreshRate);
    EXPECT_EQ(got.drawInterval, want.drawInterval);
    EXPECT_EQ(got.spriteOffset, want.spriteOffset);
    EXPECT_EQ(got.bgmEnabled, want.bgmEnabled);
    EXPECT_EQ(got.stage, want.stage);
    EXPECT_EQ(got.tailCount, want.tailCount);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.scale, want.scale);
    EXPECT_EQ(got.focusPause, want.focusPause);
    EXPECT_EQ(got.vsync, want.vsync);
    EXPECT_EQ(got.seVolume, want.seVolume);
    EXPECT_EQ(got.bgmVolume, want.bgmVolume);
    EXPECT_EQ(got.bindings, want.bindings);
    EXPECT_EQ(got.language, want.language);
}

// The defaults' values themselves are pinned by the file a first start writes.
inline void expectDefaults(const ZTConfig& c) {
    expectSameConfig(c, ZTConfig{});
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
