#pragma once
// A headless program for the editors: the main form in a private game root, started straight
// into one editor with a chosen stage number, and what each drawn frame put on the screen.
#include <cstdint>
#include <string>
#include <vector>

#include "main_form.h"
#include "platform/headless/headless.h"

// One quad of the last drawn frame, read back from the renderer.
struct DrawnSprite {
    int cell = -1; // -1 when no cell has this texture rectangle
    float x = 0, y = 0;
    float scale = 0;
    uint32_t colour = 0;
    KBlend blend = KBlend::Alpha;
};

class EditorWorld {
public:
    EditorWorld();
    ~EditorWorld();

    // Starts the main form; its first frame builds `scene` with the main form's stage = `stage`.
    void start(int scene, int stage);
    // Holds exactly the buttons of `word` on the keyboard.
    void hold(uint32_t word);
    void frame(bool drawn = false);
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // Holds `word` for one frame, then releases everything for one frame.
    void push(uint32_t word, int times = 1);
    void draw() { frame(true); }

    template <class T> T* scene() const { return dynamic_cast<T*>(live()); }
    int sceneNumber() const;

    std::vector<DrawnSprite> drawn() const;
    // Sprites of `cell` drawn last frame.
    std::vector<DrawnSprite> drawn(int cell) const;
    // The sprite drawn last (on top) centred at (x, y); cell -1 when none.
    DrawnSprite topAt(float x, float y) const;
    // Text printed on one character row at scale 2 in the last drawn frame; gaps are spaces.
    std::string textRow(int row) const;

    std::string root;
    HeadlessPlatform platform;
    TForm1* form = nullptr;

private:
    static KilnEngine* live();
    std::string home;
};

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string readText(const std::string& path);
