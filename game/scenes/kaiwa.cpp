#include "kaiwa.h"

#include <cstdio>

#include "behave.h"
#include "engine.h"
#include "file.h"
#include "input.h"
#include "language.h"
#include "log.h"
#include "objects/layers.h"
#include "sound.h"
#include "sprite.h"
#include "window.h"
#include "work.h"

namespace {
constexpr int left = 0, right = 1, keep = -1;

// One page of a script: new portrait cells (keep leaves one as it is), the speaker, one line.
struct Page {
    int leftCell, rightCell, speaker;
};

constexpr Page opening[] = {{135, keep, keep}, {136, keep, keep}, {137, keep, keep}};
constexpr Page boss[] = {
    {135, keep, keep},  {keep, 139, right}, {137, keep, left},
    {keep, 143, right}, {keep, 139, right}, {keep, 142, right},
    {137, keep, left},  {keep, 142, right}, {keep, keep, keep},
};
constexpr Page ending[] = {
    {keep, 143, right}, {keep, 140, right}, {135, keep, left},  {137, keep, left},
    {keep, 141, right}, {137, keep, left},  {keep, 139, right}, {138, keep, left},
    {keep, 142, right}, {140, keep, left},  {keep, 142, right}, {136, keep, left},
};
const Page* const scripts[3] = {opening, boss, ending};

// Files larger than this, or lines longer than this, are damaged: no conversation needs them.
constexpr uint32_t largestFile = 64 * 1024;
constexpr size_t longestLine = 1024;
} // namespace

bool ztLoadKaiwaLines(const char* path, std::vector<std::string>& out) {
    out.clear();
    KFFile file(path, KFFile::Read);
    if (!file.isOpen()) return false;
    const uint32_t size = file.size();
    if (size == 0 || size > largestFile) return false;
    std::string data(size, '\0');
    if (file.read(data.data(), size) != size) return false;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.size() > longestLine) line.resize(longestLine);
        out.push_back(line);
    }
    return true;
}

EngineKaiwa::EngineKaiwa() {
    switch (gWork->field) {
    case 1:
        conversation = 0;
        break;
    case 12:
        conversation = 1;
        break;
    case 13:
        conversation = 2;
        break;
    default:
        conversation = 3;
        break;
    }
    portraits[0].home = portraits[0].position = KVector{112.0f, 160.0f, 0.0f};
    portraits[1].home = portraits[1].position = KVector{528.0f, 160.0f, 0.0f};
    for (int i = 0; i < 3; ++i) portraits[i].index = i;
    if (conversation < 3) {
        // The play's own language: a replay turns its pages when its own lines are typed out.
        char file[16];
        std::snprintf(file, sizeof file, "kaiwa%d.txt", conversation);
        const std::string path = ztTextPath(gWork->language, file);
        if (path.empty() || !ztLoadKaiwaLines(path.c_str(), lines))
            klWrite("<EngineKaiwa> no lines: " + ztLanguageName(gWork->language) + " " + file +
                    "\n");
        // A short file still lets the play go on: missing pages show only the page mark.
        lines.resize(ztKaiwaLineCount[conversation], "|p");
    }
    new ZTWpMoyo();
    gWork->clearColor = 0xFFC100;
    voxFadeOut(1000);
}

EngineKaiwa::~EngineKaiwa() {
    gWork->clearColor = 0;
}

void EngineKaiwa::keMove() {
    if (conversation != previousConversation) {
        previousConversation = conversation;
        step = 0;
    }
    if (conversation < 3) runStep();
    updatePicture();
    updatePortraits();
    if (gWork->replay) {
        // A replay turns the pages with the recorded buttons.
        gInput->kimUsePlay = true;
        kbMoveAll();
        gInput->kimUsePlay = false;
    } else {
        kbMoveAll();
    }
}

void EngineKaiwa::runStep() {
    const int count = ztKaiwaLineCount[conversation];
    if (step > count + 1) return; // the scene is on its way out
    if (step == 0) {
        if (conversation == 0) {
            voxStop();
            voxPlay("snd/MU03.ogg", true);
        }
        picture.cell = 134;
        timer = 64;
        step = 1;
        return;
    }
    if (step == 1) {
        if (timer-- >= 0) return;
    } else if (ZTWindow::alive(window)) {
        return;
    }
    if (step <= count) {
        if (step == 1 && conversation != 0) {
            voxStop();
            voxPlay(conversation == 1 ? "snd/MU04.ogg" : "snd/MU05.ogg", true);
        }
        const Page& page = scripts[conversation][step - 1];
        if (page.leftCell != keep) portraits[left].cell = page.leftCell;
        if (page.rightCell != keep) portraits[right].cell = page.rightCell;
        if (page.speaker != keep) speaker = page.speaker;
        say(step - 1);
        step += 1;
        return;
    }
    finish();
    step += 1;
}

void EngineKaiwa::say(int line) {
    text = lines[line];
    window = new ZTWindow(1, 9, 0, text, 1);
}

void EngineKaiwa::finish() {
    voxStop();
    if (conversation == 0) {
        voxPlay("snd/MU00.ogg", true);
        keNextScene = ZT_SCENE_GAME;
        return;
    }
    if (conversation == 1) {
        voxPlay("snd/MU02.ogg", true);
        keNextScene = ZT_SCENE_GAME;
        return;
    }
    // The end of the play: the next continue starts from the beginning.
    gWork->lastField = 1;
    gWork->lastTail = 1;
    keNextScene = gWork->finishPlay(gInput->kimRecording);
    gInput->kimRecording = false;
}

void EngineKaiwa::updatePicture() {
    if (picture.state == 0) {
        if (picture.cell >= 0) picture.state = 1;
    } else if (picture.state == 1) {
        picture.alpha += 0.0078125f;
        if (picture.alpha > 1.0f) {
            picture.alpha = 1.0f;
            picture.state = 2;
        }
    }
}

void EngineKaiwa::updatePortraits() {
    for (Portrait& p : portraits) {
        if (p.state == 0) {
            if (p.cell != p.previousCell) {
                p.previousCell = p.cell;
                // The new face slides in from outside.
                p.position.x += p.home.x < 320.0f ? -64.0f : 64.0f;
                p.alpha = 0.0f;
                p.state = 1;
            }
        } else {
            p.alpha += 0.03125f;
            if (p.alpha > 1.0f) {
                p.alpha = 1.0f;
                p.state = 0;
            }
        }
        p.position += 0.125f * (p.home - p.position);
        const float target = p.index == speaker ? 1.0f : 0.6f;
        p.scale += (target - p.scale) * 0.25f;
    }
}

void EngineKaiwa::keDraw() {
    kbDrawLayer(ZT_LAYER_FLOOR);
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
    if (picture.cell >= 0) {
        const uint32_t a = static_cast<uint32_t>(picture.alpha * 255.0f);
        gSprite->kspPut(picture.cell, 320.0f, 160.0f, 0.0f, 1.0f, 1.0f, (a << 24) | 0xFFFFFF);
    }
    for (const Portrait& p : portraits) {
        if (p.cell < 0) continue;
        const uint32_t a = static_cast<uint32_t>(p.alpha * 255.0f);
        gSprite->kspPut(p.cell, p.position.x, p.position.y, 0.0f, p.scale, p.scale,
                        (a << 24) | 0xFFFFFF);
    }
    kbDrawLayer(ZT_LAYER_WINDOW);
    gSprite->kspSetStates();
    gSprite->kspFlush();
    gSprite->kspClear();
}
