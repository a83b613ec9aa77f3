#include "naming.h"

#include "ascii.h"
#include "behave.h"
#include "engine.h"
#include "input.h"
#include "objects/layers.h"
#include "ranking.h"
#include "sound.h"
#include "sprite.h"
#include "window.h"
#include "work.h"

EngineNaming::EngineNaming() {
    const auto entry = gWork->findNewEntry();
    edited = entry != gWork->scoreTable.end() ? &entry->name : &spare;
    edited->clear();
    letter = 0;
    edited->push_back(letters[letter]);
    new ZTWpMoyo();
    gWork->clearColor = 0xFFC100;
}

EngineNaming::~EngineNaming() {
    gWork->clearNewMarks();
    gWork->clearColor = 0;
}

void EngineNaming::offer() {
    edited->back() = letters[letter];
}

void EngineNaming::keMove() {
    std::string& n = *edited;
    if (state == 0) {
        if (gInput->kiIsPushed(KI_LEFT)) {
            letter = letter > 0 ? letter - 1 : endMark;
            offer();
        }
        if (gInput->kiIsPushed(KI_RIGHT)) {
            letter = letter < endMark ? letter + 1 : 0;
            offer();
        }
        if (gInput->kiIsPushed(KI_BUTTON1)) {
            kwPlay(8);
            if (letter != endMark && n.size() > longestName) {
                // Ten letters are confirmed: the end mark is all that may follow, however the
                // cursor was moved off it. Else names would grow past what the table file keeps.
                letter = endMark;
                offer();
            } else if (letter != endMark) {
                if (n.size() == longestName) letter = endMark;
                n.push_back(letters[letter]);
            } else {
                n.pop_back();
                leaveTimer = 48;
                state = 1;
                // The table is safe on disk from here, whatever becomes of the program before
                // its normal end; the play is over, so its random sequence is left untouched.
                gWork->saveScores(true);
            }
        }
        // A finished name keeps its letters even when the second button came down with the first.
        if (state == 0 && gInput->kiIsPushed(KI_BUTTON2) && n.size() > 1) {
            kwPlay(6);
            n.pop_back();
            for (int i = 0; i < letterCount; ++i)
                if (letters[i] == n.back()) {
                    letter = i;
                    break;
                }
        }
    } else {
        leaveTimer -= 1;
        if (leaveTimer < 0) keNextScene = ZT_SCENE_REPSAVE;
    }
    counter += 1;
    kbMoveAll();
}

void EngineNaming::keDraw() {
    gAscii->scale = 2;
    gAscii->colour = ztHeadingColour(counter);
    gAscii->column = 11;
    gAscii->row = 2;
    gAscii->kaPrint("You got a HiScore!");
    ztPrintScoreTable(true);
    kbDrawLayer(ZT_LAYER_FLOOR);
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}
