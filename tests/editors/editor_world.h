#pragma once
// A headless program for the editors: the main form in a private game root, started straight
// into one editor with a chosen stage number.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "engine.h"
#include "files.h"
#include "main_form.h"

class EditorWorld : public ProgramDriver {
public:
    EditorWorld() = default;
    ~EditorWorld() { delete form; }
    EditorWorld(const EditorWorld&) = delete;
    EditorWorld& operator=(const EditorWorld&) = delete;

    // Starts the main form; its first frame builds `scene` with the main form's stage = `stage`.
    void start(int scene, int stage) {
        form = new TForm1();
        form->stage = stage;
        keNextScene = scene;
        frame();
    }

    TForm1* form = nullptr;
};

// A fixture for one editor: `start` opens scene `number` on a stage and finds the editor in it.
template <class Editor, int number> class EditorTest : public ::testing::Test {
protected:
    void start(int stage = 1) {
        world.start(number, stage);
        edit = world.scene<Editor>();
        ASSERT_NE(edit, nullptr);
    }

    // One step of a walk: the key pushed and what `now` must read after it.
    template <class Value> struct Step {
        uint32_t key;
        Value value;
        const char* why = "";
    };
    // Pushes each step's key in turn and checks what it led to.
    template <class Value, class Now> void walk(const std::vector<Step<Value>>& steps, Now now) {
        for (size_t i = 0; i < steps.size(); ++i) {
            world.push(steps[i].key);
            EXPECT_EQ(now(), steps[i].value) << "step " << i << " " << steps[i].why;
        }
    }

    // What the given text rows of the last drawing say.
    void expectRows(const std::vector<std::pair<int, std::string>>& rows) {
        for (const auto& [row, text] : rows) EXPECT_EQ(world.textRow(row), text) << "row " << row;
    }

    EditorWorld world;
    Editor* edit = nullptr;
};
