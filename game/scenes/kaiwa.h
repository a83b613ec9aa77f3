#pragma once
// The conversations that frame a play: before field 1, before field 12 and the ending. Two
// portraits stand either side of a picture; each line types out in a message window and the
// player turns the page.
#include <cstdint>
#include <string>
#include <vector>

#include "creator.h"
#include "kmath.h"

class ZTWindow;

class EngineKaiwa : public ZTEngine {
public:
    struct Picture {
        int state = 0; // 0 waiting, 1 fading in, 2 shown
        int cell = -1;
        float alpha = 0.0f;
    };
    struct Portrait {
        int index = 0;
        KVector position{0.0f, 0.0f, 0.0f};
        KVector home{0.0f, 0.0f, 0.0f};
        float scale = 1.0f;
        int state = 0; // 0 still, 1 fading in
        int cell = -1;
        int previousCell = -1;
        float alpha = 0.0f;
    };

    EngineKaiwa();
    ~EngineKaiwa() override;

    void keMove() override;
    void keDraw() override;

    int conversation = 3; // 0, 1 or 2; 3 has no script
    int previousConversation = -1;
    int step = 0;
    int32_t timer = 0;
    std::string text;
    ZTWindow* window = nullptr;
    Picture picture;
    Portrait portraits[3];
    int speaker = 0;
    std::vector<std::string> lines; // the conversation's lines in the window's encoding

private:
    void runStep();
    void say(int line);
    void finish();
    void updatePicture();
    void updatePortraits();
};

// Lines of each conversation; the files hold fewer only when damaged.
constexpr int ztKaiwaLineCount[3] = {3, 9, 12};

// Reads a conversation file: one line per page, blank lines and lines starting with '#' skipped.
// False (and no lines) when the file cannot be read.
bool ztLoadKaiwaLines(const char* path, std::vector<std::string>& out);
