#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "readback.h"
#include "root.h"

class KilnEngine;

// Scripted buttons and the program's own frame step over a private game root, with a look at the
// live scene and at what the last drawn frame put on the screen. Whoever derives from it brings
// the scene runner (a game world, or the main form).
class ProgramDriver : public HeadlessRoot {
public:
    // One program frame; a drawn one first forgets the draws recorded before it.
    void frame(bool drawn = false);
    void frames(int count, bool drawn = false) {
        for (int i = 0; i < count; ++i) frame(drawn);
    }
    void draw() { frame(true); }
    // Holds `word` for one frame, then releases everything for one frame; `times` over.
    void push(uint32_t word, int times = 1);
    // Runs frames until `done` holds or `limit` frames pass; the frames taken, or -1.
    template <class F> int runUntil(F done, int limit) {
        for (int i = 1; i <= limit; ++i) {
            frame();
            if (done()) return i;
        }
        return -1;
    }

    template <class T> T* scene() const { return dynamic_cast<T*>(live()); }
    // The live scene's number, -1 when none is live.
    int sceneNumber() const;

    std::vector<DrawnSprite> drawn() const;
    // Sprites of `cell` drawn last frame.
    std::vector<DrawnSprite> drawn(int cell) const;
    // The sprite drawn last (on top) centred at (x, y); cell -1 when none.
    DrawnSprite topAt(float x, float y) const;
    // Text printed at `scale` on one character row in the last drawn frame; gaps are spaces.
    std::string textRow(int row, int scale = 2) const;

    // Draws every frame, as the program does, for worlds that read the screen after each push.
    bool drawEveryFrame = false;

private:
    static KilnEngine* live();
};
