#pragma once
// The main form's tests' fixtures: a folder of each test's own as the game root, the headless
// platform, and the form started and stopped in it; the windowed one adds the headless window.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "files.h"
#include "main_form.h"
#include "platform/files.h"
#include "platform/headless/headless.h"

inline void writeText(const char* path, const std::string& text) {
    ASSERT_TRUE(pfWriteAtomic(path, text.data(), text.size()));
}

// Each tag must appear, and after the one before it.
inline void expectInOrder(const std::string& log, std::initializer_list<const char*> tags) {
    size_t at = 0;
    for (const char* tag : tags) {
        const size_t found = log.find(tag, at);
        ASSERT_NE(found, std::string::npos) << tag << " missing or out of order";
        at = found + 1;
    }
}

class Form : public ::testing::Test {
protected:
    void SetUp() override {
        home = pfCurrentDir();
        // One folder per test, so that tests run side by side never share one.
        root = std::filesystem::path(home) /
               (std::string("form_") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        ASSERT_TRUE(pfChangeDir(root.c_str()));
    }
    void TearDown() override {
        delete form;
        pfChangeDir(home.c_str());
        std::filesystem::remove_all(root);
    }
    void start() { form = new TForm1(); }
    void stop() {
        delete form;
        form = nullptr;
    }

    HeadlessPlatform platform;
    TForm1* form = nullptr;
    std::string home;
    std::filesystem::path root;
};

// The pause, its ways in and out, and presenting in step with displays of any refresh rate;
// the window is the headless one, whose events the tests queue.
class WindowedForm : public Form {
protected:
    void SetUp() override {
        Form::SetUp();
        gPlatform.window = &platform.window;
    }
    void pauseEvent() { platform.window.next.pause = true; }
};
