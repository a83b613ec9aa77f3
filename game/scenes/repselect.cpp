#include "repselect.h"

#include <cctype>

#include "viewer.h"

#include "ascii.h"
#include "behave.h"
#include "engine.h"
#include "file.h"
#include "input.h"
#include "language.h"
#include "objects/layers.h"
#include "sound.h"
#include "sprite.h"
#include "window.h"
#include "work.h"

namespace {
constexpr uint32_t white = 0xFFFFFFFF;
} // namespace

EngineRepSelect::EngineRepSelect() {
    if (kfChangeDir("rep")) {
        fileCount = kfFileList("*.rep", fileNames);
        kfChangeDir("..");
    }
    lastPage = fileCount > 0 ? (fileCount - 1) / perPage : 0;
    infos.reserve(fileNames.size());
    new ZTWpMoyo();
    gWork->clearColor = 0xFFC100;
}

EngineRepSelect::~EngineRepSelect() {
    gWork->clearColor = 0;
}

void EngineRepSelect::keMove() {
    switch (state) {
    case 0:
        if (fileCount == 0) {
            counter = 64;
            state = 10;
            break;
        }
        // One header a frame, so a long list never stalls a frame.
        infos.emplace_back();
        readReplayInfo(fileNames[counter], infos.back());
        {
            // The play is shown in its own language, whatever the setting: the list says which.
            ZTLanguageInfo language;
            std::string tag;
            if (infos.back().valid && ztFindLanguage(infos.back().language, language))
                tag = language.folder.substr(0, 3);
            for (char& c : tag) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            languageTags.push_back(tag);
        }
        counter += 1;
        if (counter == fileCount) state = 1;
        break;
    case 1:
        moveChoosing();
        break;
    case 2:
        moveChosen();
        break;
    case 10:
        counter -= 1;
        if (counter < 0) keNextScene = ZT_SCENE_TITLE;
        break;
    default:
        break;
    }
    kbMoveAll();
}

void EngineRepSelect::moveChoosing() {
    int onPage = perPage;
    if (page == lastPage && fileCount % perPage != 0) onPage = fileCount % perPage;
    if (gInput->kiIsPushed(KI_UP)) {
        cursor = cursor > 0 ? cursor - 1 : onPage - 1;
        kwPlay(9);
    }
    if (gInput->kiIsPushed(KI_DOWN)) {
        cursor = cursor + 1 < onPage ? cursor + 1 : 0;
        kwPlay(9);
    }
    if (gInput->kiIsPushed(KI_LEFT) && page > 0) {
        page -= 1;
        cursor = 0;
        kwPlay(9);
    }
    if (gInput->kiIsPushed(KI_RIGHT) && page < lastPage) {
        page += 1;
        cursor = 0;
        kwPlay(9);
    }
    if (gInput->kiIsPushed(KI_BUTTON1)) {
        kwPlay(infos[chosen()].valid ? 8 : 5);
        counter = 0;
        state = 2;
    }
    if (gInput->kiIsPushed(KI_BUTTON2)) keNextScene = ZT_SCENE_TITLE;
}

void EngineRepSelect::moveChosen() {
    counter += 1;
    if (counter <= 48) return;
    RepFileInfo& info = infos[chosen()];
    // A file that was listed whole but can no longer be read whole is shown as an error from now.
    if (info.valid && !loadReplay(fileNames[chosen()])) info.valid = 0;
    if (!info.valid) {
        state = 1;
        return;
    }
    gWork->startGame({.mode = ZTPlayMode::Replay});
    keNextScene = ZT_SCENE_KAIWA;
    // Watched through the viewer: speeds, pause, steps and jumps.
    if (gViewer) gViewer->begin();
}

void EngineRepSelect::drawPage(int hidden) const {
    gAscii->colour = white;
    gAscii->kaPrintAt(14, 1, "Select File");
    gAscii->kaPrintValueAt(28, 28, page + 1, "Page %2d");
    gAscii->kaPrintValueAt(35, 28, lastPage + 1, "/%2d");
    for (int i = 0; i < perPage; ++i) {
        const int k = page * perPage + i;
        if (k >= fileCount) break;
        if (k == hidden) continue;
        const int row = i * 3 + 3;
        const RepFileInfo& info = infos[k];
        gAscii->colour = info.valid ? white : 0xFFFF0000;
        gAscii->kaPrintAt(3, row, fileNames[k].c_str());
        if (!info.valid) {
            gAscii->colour = 0xFFFFFF00;
            gAscii->kaPrintAt(5, row + 1, "Error File");
            continue;
        }
        gAscii->colour = 0xFF80FF80;
        gAscii->kaPrintValueAt(5, row + 1, static_cast<int>(info.score), "SC:%07d");
        gAscii->kaPrintValueAt(19, row + 1, static_cast<int>(info.field), "ST:%3d");
        gAscii->kaPrintValueAt(27, row + 1, static_cast<int>(info.tail), "TAIL:%3d");
        gAscii->kaPrintAt(36, row + 1, languageTags[k].c_str());
    }
}

void EngineRepSelect::keDraw() {
    gAscii->scale = 2;
    switch (state) {
    case 0:
        gAscii->colour = white;
        gAscii->kaPrintValueAt(12, 1, counter, "Reading Info %d");
        break;
    case 1:
        drawPage(-1);
        gAscii->colour = white;
        gAscii->kaPrintAt(2, cursor * 3 + 3, ">");
        break;
    case 2:
        // The chosen entry blinks: four frames off, four on.
        drawPage((counter & 4) == 0 ? chosen() : -1);
        break;
    case 10:
        gAscii->colour = white;
        gAscii->kaPrintAt(16, 12, "NO File");
        break;
    default:
        break;
    }
    kbDrawLayer(ZT_LAYER_FLOOR);
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}
