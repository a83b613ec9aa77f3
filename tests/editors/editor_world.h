#pragma once
// A headless program for the editors: the main form in a private game root, started straight
// into one editor with a chosen stage number.
#include <gtest/gtest.h>

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

    EditorWorld world;
    Editor* edit = nullptr;
};
