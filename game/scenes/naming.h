#pragma once
// Name entry for a new hi-score: arrows pick a letter, the first button confirms it, the second
// takes the last one back; "^" ends the name.
#include <string>

#include "creator.h"

class EngineNaming : public ZTEngine {
public:
    EngineNaming();
    ~EngineNaming() override;

    void keMove() override;
    void keDraw() override;

    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,. ^";
    static constexpr int letterCount = sizeof(letters) - 1;
    static constexpr int endMark = letterCount - 1;
    static constexpr size_t longestName = 10;

    // The name being edited: the new entry's own name; its last character is the offered letter.
    std::string& name() { return *edited; }

    int state = 0; // 0 editing, 1 leaving
    int leaveTimer = 0;
    int counter = 0;
    int letter = 0; // index into letters

private:
    void offer();

    std::string* edited;
    std::string spare; // edited instead when no entry is marked new
};
