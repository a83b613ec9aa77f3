#include "driver.h"

#include "engine.h"
#include "frame.h"

void ProgramDriver::frame(bool drawn) {
    drawn = drawn || drawEveryFrame;
    if (drawn) platform.renderer.draws.clear();
    ztFrameStep(drawn);
}

void ProgramDriver::push(uint32_t word, int times) {
    for (int i = 0; i < times; ++i) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
}

KilnEngine* ProgramDriver::live() {
    return keScene;
}

int ProgramDriver::sceneNumber() const {
    return keScene ? keSceneNumber : -1;
}

std::vector<DrawnSprite> ProgramDriver::drawn() const {
    return readDrawn(*gSprite, platform.renderer);
}

std::vector<DrawnSprite> ProgramDriver::drawn(int cell) const {
    std::vector<DrawnSprite> out;
    for (const DrawnSprite& s : drawn())
        if (s.cell == cell) out.push_back(s);
    return out;
}

DrawnSprite ProgramDriver::topAt(float x, float y) const {
    DrawnSprite top;
    for (const DrawnSprite& s : drawn())
        if (s.x == x && s.y == y) top = s;
    return top;
}

std::string ProgramDriver::textRow(int row, int scale) const {
    return printedText(readPrinted(drawn(), row, scale));
}
