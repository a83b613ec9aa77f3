#pragma once
// Headless worlds for the scenes around play: a game root holding the converted conversations,
// the scene world built for a chosen first scene, and a bare object field for the text window.
#include <cstdint>
#include <string>
#include <vector>

#include "language_setting.h"
#include "object_world.h"
#include "scene_world.h"
#include "scratch_dir.h"

// UTF-8 to the window's encoding, as the text bake does it.
std::string toShiftJis(const std::string& utf8);
// The source lines of conversation n in a language's folder (comments and blank lines skipped),
// still UTF-8.
std::vector<std::string> sourceLines(int n, const char* folder = "ja");
// Puts the baked texts (every language's catalogue and conversations) into text/.
void writeConversations();

// A private game root with the texts in place.
class MetaDir : public ScratchDir {
public:
    MetaDir() { writeConversations(); }
};

class MetaWorld : public SceneWorld {
public:
    // The runner will build `firstScene` on the first frame, after the conversations are written.
    explicit MetaWorld(int firstScene) : SceneWorld(firstScene) { writeConversations(); }
};

// The behaviour lists and the modules windows need: for testing objects without a scene.
class ObjectBench : public ObjectWorld {
public:
    // Input poll, every layer's move and, if asked, the draw of every layer.
    void frame(bool drawn = true) {
        ObjectWorld::frame();
        if (drawn) lastCells = drawLayers();
    }
    void frames(int count, bool drawn = true) {
        for (int i = 0; i < count; ++i) frame(drawn);
    }
    void push(uint32_t word) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
    // How often `cell` was queued by the last drawn frame.
    int queued(int cell) const;

    std::vector<int> lastCells;
};
