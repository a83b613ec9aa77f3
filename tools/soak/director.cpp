#include "director.h"

#include <cstdio>
#include <filesystem>

#include "creator.h"
#include "data/bytes.h"
#include "data/map.h"
#include "data/replay_file.h"
#include "data/score_file.h"
#include "data/set.h"
#include "engine.h"
#include "input.h"
#include "scenes/edit.h"
#include "scenes/naming.h"
#include "scenes/repsave.h"
#include "scenes/repselect.h"
#include "scenes/setedit.h"
#include "scenes/title.h"
#include "scenes/window.h"
#include "work.h"

namespace fs = std::filesystem;

namespace {
constexpr uint32_t arrows[] = {KI_UP, KI_DOWN, KI_LEFT, KI_RIGHT};
// Each field played from the developer menu is one of these; the bosses' fields come round too.
constexpr int kaiwaFields[] = {12, 13, 1};

bool sameTable(const ZTscoreTable& a, const ZTscoreTable& b) {
    if (a.size() != b.size()) return false;
    auto j = b.begin();
    for (const ZThiScore& e : a) {
        if (e.name != j->name || e.score != j->score || e.field != j->field || e.tail != j->tail)
            return false;
        ++j;
    }
    return true;
}
} // namespace

void ZTSoakDirector::chooseMission() {
    // The first round visits everything once; after that the choice is random, with the fields
    // of the developer menu taken in turn so that all 24 come round.
    static constexpr Mission firstRound[] = {NewGame, Replay,   Ranking,  DevEdit,
                                             DevSet,  Continue, DevKaiwa, DevKaiwa,
                                             Back,    DevKaiwa, NewGame,  Replay};
    constexpr int firstCount = static_cast<int>(sizeof firstRound / sizeof firstRound[0]);
    if (missionCount < firstCount) {
        mission = firstRound[missionCount];
    } else {
        static constexpr Mission any[] = {NewGame, Replay,  Ranking,  Continue, Back,  DevPlay,
                                          DevPlay, DevPlay, DevKaiwa, DevEdit,  DevSet};
        mission = any[roll(static_cast<int>(sizeof any / sizeof any[0]))];
    }
    missionCount += 1;
    if (mission == DevPlay) {
        devField = devField % 24 + 1;
        devNumber = devField;
    } else if (mission == DevKaiwa) {
        devNumber = kaiwaFields[devKaiwa++ % 3];
    } else if (mission == DevEdit || mission == DevSet) {
        devNumber = 1 + roll(24);
    }
    if (mission == NewGame) {
        pilot = ZTPilot();
        pilot.giveUpField = 3; // two fields cleared, then three tanks lost on the third
        // The editors may have made a field it cannot finish: then it gives up in time.
        pilot.giveUpFrame = 15000;
    }
}

uint32_t ZTSoakDirector::next() {
    // No live scene: the one asked for is made at the start of the coming frame.
    if (!keScene) {
        scene = keNextScene;
        inScene = 0;
        editStep = 0;
        saveChecked = false;
        sawMenu = false;
        patience = 300 + roll(1500);
        if (scene == ZT_SCENE_TITLE) chooseMission();
        if (trace)
            std::fprintf(stderr, "frame %lld: scene %d, mission %d, field %d\n", frame + 1, scene,
                         static_cast<int>(mission), gWork ? gWork->field : 0);
    }
    inScene += 1;
    frame += 1;
    uint32_t word = 0;
    switch (scene) {
    case ZT_SCENE_POWERON:
        word = inScene > 60 + roll(200) ? push(KI_BUTTON1) : noise();
        break;
    case ZT_SCENE_TITLE:
        word = title();
        break;
    case ZT_SCENE_GAME:
    case ZT_SCENE_RESTART:
    case ZT_SCENE_NEXTER:
    case ZT_SCENE_KAIWA:
        word = game();
        break;
    case ZT_SCENE_EDIT:
        word = edit();
        break;
    case ZT_SCENE_SET:
        word = setEdit();
        break;
    case ZT_SCENE_REPSAVE:
        word = repSave();
        break;
    case ZT_SCENE_REPSELECT:
        word = repSelect();
        break;
    case ZT_SCENE_RANKING:
        word = inScene > 150 ? push(KI_BUTTON1) : noise();
        break;
    case ZT_SCENE_NAMING:
        word = naming();
        break;
    default:
        break;
    }
    if (inScene > 40000) fail("stuck in scene " + std::to_string(scene));
    // The game scene counts its fields when it has been made.
    if (inScene == 2 && scene == ZT_SCENE_GAME && gWork && gWork->field >= 1 && gWork->field <= 24)
        fieldsEntered[gWork->field] += 1;
    if (inScene == 2 && scene == ZT_SCENE_KAIWA && gWork)
        conversations[gWork->field == 1    ? 0
                      : gWork->field == 12 ? 1
                      : gWork->field == 13 ? 2
                                           : 3] += 1;
    last = word;
    return word;
}

uint32_t ZTSoakDirector::noise() {
    // A hand on the pad: mostly nothing, now and then a button or a direction.
    const int r = roll(16);
    if (r < 10) return 0;
    if (r < 14) return arrows[roll(4)];
    return r == 14 ? KI_BUTTON2 : KI_BUTTON4;
}

uint32_t ZTSoakDirector::title() {
    auto* t = dynamic_cast<EngineTitle*>(keScene);
    if (!t || inScene < 20) return 0;
    const bool developer = mission >= DevPlay;
    if (t->state == 0) {
        // Back from the menu's last line: that was the whole of it.
        if (mission == Back && sawMenu) {
            sawMenu = false;
            chooseMission();
            return 0;
        }
        if (!developer) return push(KI_BUTTON1);
        // C and V held, then Z.
        if ((last & (KI_BUTTON3 | KI_BUTTON4)) != (KI_BUTTON3 | KI_BUTTON4))
            return KI_BUTTON3 | KI_BUTTON4;
        return KI_BUTTON3 | KI_BUTTON4 | push(KI_BUTTON1);
    }
    if (t->state == 1) {
        sawMenu = true;
        const ZTWindow* w = ZTWindow::top;
        if (!w || w->choices == 0 || w->state != 1) return 0;
        const int line = mission == NewGame    ? 0
                         : mission == Continue ? 1
                         : mission == Replay   ? 2
                         : mission == Ranking  ? 3
                                               : 4;
        if (w->cursor != line) return push(KI_DOWN);
        return push(KI_BUTTON1);
    }
    // The developer menu: the line, the number, then Z.
    const int line = mission == DevSet ? 0 : mission == DevPlay ? 1 : mission == DevEdit ? 2 : 3;
    if (t->cursor < line) return push(KI_DOWN);
    if (t->cursor > line) return push(KI_UP);
    if (t->number < devNumber) return push(KI_RIGHT);
    if (t->number > devNumber) return push(KI_LEFT);
    return push(KI_BUTTON1);
}

uint32_t ZTSoakDirector::game() {
    if (gWork && gWork->replay) {
        // Watching a replay: the live first button ends it in the game scene after a while.
        return scene == ZT_SCENE_GAME && inScene > 1200 ? push(KI_BUTTON1) : 0;
    }
    if (mission == NewGame) return pilot.next();
    if (scene == ZT_SCENE_KAIWA) return inScene % 8 == 0 ? push(KI_BUTTON1) : noise();
    if (scene != ZT_SCENE_GAME) return noise();
    if (inScene > patience) return push(KI_BUTTON3); // gives the field up
    // Fire most of the time and drive about.
    uint32_t word = roll(4) != 0 ? uint32_t{KI_BUTTON1} : 0u;
    word |= arrows[(inScene / 20 + roll(2)) % 4];
    if (roll(64) == 0) word |= KI_BUTTON2;
    return word;
}

uint32_t ZTSoakDirector::edit() {
    auto* e = dynamic_cast<EngineEdit*>(keScene);
    if (!e) return 0;
    if (inScene < patience / 2) {
        // Painting: walk, paint, now and then pick another chip.
        if (e->mode == EngineEdit::Menu) return push(KI_BUTTON4);
        if (e->mode == EngineEdit::ChipSelect)
            return roll(3) == 0 ? push(KI_BUTTON1) : push(arrows[roll(4)]);
        const int r = roll(8);
        if (r < 4) return push(arrows[roll(4)]);
        if (r < 7) return push(KI_BUTTON1);
        return push(KI_BUTTON2);
    }
    if (e->mode != EngineEdit::Menu)
        return e->mode == EngineEdit::Put ? push(KI_BUTTON4) : push(KI_BUTTON1);
    // The menu: save (0), then leave (3).
    const int want = editStep == 0 ? 0 : 3;
    if (e->menuIndex > want) return push(KI_UP);
    if (e->menuIndex < want) return push(KI_DOWN);
    const uint32_t word = push(KI_BUTTON1);
    if (word && editStep == 0) editStep = 1; // the save happens in this frame; checked after it
    return word;
}

uint32_t ZTSoakDirector::setEdit() {
    auto* s = dynamic_cast<EngineSet*>(keScene);
    if (!s) return 0;
    if (inScene < patience / 2) {
        if (s->mode == EngineSet::Menu) return push(KI_BUTTON4);
        if (s->mode == EngineSet::Select)
            return roll(3) == 0 ? push(KI_BUTTON1)
                                : push(roll(2) ? uint32_t{KI_LEFT} : uint32_t{KI_RIGHT});
        const int r = roll(8);
        if (r < 4) return push(arrows[roll(4)]);
        if (r < 7) return push(KI_BUTTON1);
        return push(KI_BUTTON2);
    }
    if (s->mode != EngineSet::Menu)
        return s->mode == EngineSet::PutDelete ? push(KI_BUTTON4) : push(KI_BUTTON1);
    const int want = editStep == 0 ? 0 : 2;
    if (s->menuIndex > want) return push(KI_UP);
    if (s->menuIndex < want) return push(KI_DOWN);
    const uint32_t word = push(KI_BUTTON1);
    if (word && editStep == 0) editStep = 1;
    return word;
}

uint32_t ZTSoakDirector::naming() {
    auto* n = dynamic_cast<EngineNaming*>(keScene);
    if (!n || n->state != 0) return 0;
    if (inScene < 120) {
        const int r = roll(6);
        return r < 3 ? push(r == 0 ? KI_LEFT : KI_RIGHT) : r == 3 ? push(KI_BUTTON1) : 0u;
    }
    if (n->letter != EngineNaming::endMark) return push(KI_RIGHT);
    return push(KI_BUTTON1);
}

uint32_t ZTSoakDirector::repSave() {
    auto* r = dynamic_cast<EngineRepSave*>(keScene);
    if (!r || r->state != 0 || inScene < 30) return 0;
    // Mostly YES; now and then NO.
    const int want = roll(6) == 0 && inScene > 40 ? 1 : 0;
    if (r->cursor < want) return push(KI_DOWN);
    if (r->cursor > want) return push(KI_UP);
    return push(KI_BUTTON1);
}

uint32_t ZTSoakDirector::repSelect() {
    auto* r = dynamic_cast<EngineRepSelect*>(keScene);
    if (!r || r->state != 1) return 0;
    // The newest replay saved by the soak, else any that is valid, else back out.
    int target = -1;
    for (int i = 0; i < static_cast<int>(r->infos.size()); ++i) {
        if (!r->infos[i].valid) continue;
        if (target < 0) target = i;
        for (const Saved& s : replays)
            if (s.name == r->fileNames[i]) target = i;
    }
    if (target < 0 || inScene > 3000) return push(KI_BUTTON2);
    const int page = target / EngineRepSelect::perPage;
    const int cursor = target % EngineRepSelect::perPage;
    if (r->page < page) return push(KI_RIGHT);
    if (r->page > page) return push(KI_LEFT);
    if (r->cursor != cursor) return push(KI_DOWN);
    return push(KI_BUTTON1);
}

void ZTSoakDirector::check() {
    if (!keScene) return;
    // An editor's save happened in the frame just run: its file must read back as it was saved.
    if (auto* e = dynamic_cast<EngineEdit*>(keScene); e && editStep == 1) {
        editStep = 2;
        char path[32];
        e->fileName(path, sizeof path);
        const ZTMap back(path, 1, 1, 0);
        if (back.cells != e->map->cells)
            fail(std::string(path) + " does not load back as the editor saved it");
        mapsSaved += 1;
    }
    if (auto* s = dynamic_cast<EngineSet*>(keScene); s && editStep == 1) {
        editStep = 2;
        char path[32];
        s->fileName(path, sizeof path);
        ZTSet back;
        if (!back.load(path) || back.image() != s->set->image())
            fail(std::string(path) + " does not load back as the editor saved it");
        setsSaved += 1;
    }
    if (auto* n = dynamic_cast<EngineNaming*>(keScene); n && n->state == 1 && !saveChecked) {
        saveChecked = true;
        std::vector<uint8_t> bytes;
        if (!ztReadWholeFile("score.dat", ztScoreFileSize, bytes) ||
            !sameTable(ztDecodeScores(bytes.data(), bytes.size()), gWork->scoreTable))
            fail("score.dat does not load back as the name entry saved it");
        scoresSaved += 1;
    }
    if (auto* r = dynamic_cast<EngineRepSave*>(keScene); r && r->state == 2 && !saveChecked) {
        saveChecked = true;
        if (!r->saved) {
            fail("the replay " + r->fileName + " was not saved");
            return;
        }
        ZTReplayHeader header;
        std::vector<uint32_t> words;
        if (!ztReadReplayFile(("rep/" + r->fileName).c_str(), header, words) ||
            words != gInput->kimRecordBuf || header.score != gWork->score ||
            header.field != static_cast<uint32_t>(gWork->field) ||
            header.tail != static_cast<uint32_t>(gWork->tailMax)) {
            fail("rep/" + r->fileName + " does not load back as it was saved");
            return;
        }
        // The data it was played on, kept for the verification at the end.
        const fs::path copy = fs::path(snapshotRoot) / std::to_string(replays.size()) / "dat";
        std::error_code ec;
        fs::create_directories(copy, ec);
        fs::copy("dat", copy, fs::copy_options::recursive, ec);
        // The texts never change in the game: the root's own are linked.
        if (!ec && fs::exists("text"))
            fs::create_directory_symlink(fs::absolute("text"), copy.parent_path() / "text", ec);
        if (ec) fail("cannot keep the data of " + r->fileName + ": " + ec.message());
        replays.push_back({r->fileName, copy.parent_path().string()});
    }
}
