#pragma once
// The title: the logo and a tank driving in with its tail, "PRESS BUTTON", then the five-line
// menu. A hidden developer menu starts any field, a conversation or the two editors.
#include <cstdint>
#include <string>

#include "behave.h"
#include "creator.h"
#include "kmath.h"
#include "language.h"

class ZTWindow;

class EngineTitle : public ZTEngine {
public:
    EngineTitle();
    ~EngineTitle() override;

    void keMove() override;
    void keDraw() override;

    int state = 0; // 0 "PRESS BUTTON", 1 menu window, 2 developer menu
    int previousState = -1;
    int step = 0;
    int cursor = 0;
    int counter = 0;
    ZTWindow* window = nullptr;
    int number = 1;     // field / set number of the developer menu, 1..24
    int tailNumber = 1; // 1..50

private:
    void movePress();
    void moveMenu();
    void moveDeveloper();
};

// The five menu lines in the window's encoding, in that language.
std::string ztTitleMenuText(ZTLanguage language);

class ZTTitle : public KilnBehave {
public:
    ZTTitle();

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    int state = 0;
    int previousState = 0;
    int step = 0;
    int32_t timer = 0;
    bool showLogo = false;
    float alpha = 0.0f;
    float scale = 3.0f;
    bool second = false, third = false;
};

class ZTTitleTank : public KilnBehave {
public:
    ZTTitleTank();

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    static constexpr int historySize = 161;

    KVector position{672.0f, 400.0f, 0.0f};
    KVector target{672.0f, 400.0f, 0.0f};
    bool stopped = false;
    float bobAngle = 0.0f;
    int counter = 0;
    float history[historySize] = {};
};
