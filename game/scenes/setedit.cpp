#include "setedit.h"

#include <cstdio>

#include "ascii.h"
#include "behave.h"
#include "data/map.h"
#include "data/set.h"
#include "engine.h"
#include "fields.h"
#include "file.h"
#include "input.h"
#include "log.h"
#include "main_form.h"
#include "objects/layers.h"
#include "objects/wall.h"
#include "scenes/map_view.h"
#include "sprite.h"

namespace {
constexpr uint32_t white = 0xFFFFFFFF;
constexpr uint32_t yellow = 0xFFFFFF00;
constexpr uint32_t ghost = 0x80FFFFFF;
constexpr int cursorCell = 22;
constexpr int32_t lastMenuEntry = 2;

void put(int cell, float x, float y, float scale, uint32_t colour) {
    gSprite->kspPut(cell, x, y, 0.0f, scale, scale, colour);
}

} // namespace

void ztDrawKindIcon(int32_t kind, float x, float y, uint32_t colour) {
    switch (kind) {
    case ZT_CHIP_SMALL:
        put(93, x, y, 1.0f, colour);
        put(92, x, y, 1.0f, colour);
        break;
    case ZT_CHIP_MIDDLE:
        put(94, x, y, 1.0f, colour);
        break;
    case ZT_CHIP_LARGE:
        put(97, x, y, 1.0f, colour);
        break;
    case ZT_CHIP_FLYERS_3:
    case ZT_CHIP_FLYERS_5:
    case ZT_CHIP_FLYERS_8:
        // A spit generator, with the digit of its size class in the lower right.
        put(99, x, y, 1.0f, colour);
        put(204 + (kind - ZT_CHIP_FLYERS_3), x + 16.0f, y + 16.0f, 2.0f, colour);
        break;
    default:
        put(188, x, y, 3.0f, colour);
        break;
    }
}

EngineSet::EngineSet() : ZTEditor(lastMenuEntry) {
    klWrite("<EngineSet::EngineSet>\n");
    new ZTWall();
    setNumber = gForm ? gForm->stage : 1;
    set = std::make_unique<ZTSet>();
    char path[32];
    fileName(path, sizeof path);
    if (kfExist(path)) set->load(path);
    // Set n is field n's: shown on that field's map, which is a real map for any stage.
    std::snprintf(path, sizeof path, "dat/m%02d.ztm", ztFieldMap(setNumber));
    map = std::make_unique<ZTMap>(kfExist(path) ? path : nullptr, ZTMap::columns, ZTMap::rows, 7);
}

EngineSet::~EngineSet() {
    klWrite("<EngineSet::~EngineSet>\n");
    map.reset();
    set.reset();
}

void EngineSet::fileName(char* out, size_t size) const {
    std::snprintf(out, size, "dat/s%02d.zts", setNumber);
}

void EngineSet::moveWork() {
    if (gInput->kiIsPushed(KI_UP)) cursorY = cursorY - step < top ? bottom : cursorY - step;
    if (gInput->kiIsPushed(KI_DOWN)) cursorY = cursorY + step > bottom ? top : cursorY + step;
    if (gInput->kiIsPushed(KI_LEFT)) cursorX = cursorX - step < left ? right : cursorX - step;
    if (gInput->kiIsPushed(KI_RIGHT)) cursorX = cursorX + step > right ? left : cursorX + step;
    if (gInput->kiIsPushed(KI_BUTTON1)) {
        if (set->contains(cursorX, cursorY))
            set->remove(cursorX, cursorY);
        else
            set->add(cursorX, cursorY, kind);
    }
    if (gInput->kiIsPushed(KI_BUTTON2)) mode = Select;
    if (gInput->kiIsPushed(KI_BUTTON4)) mode = Menu;
}

void EngineSet::movePick() {
    if (gInput->kiIsPushed(KI_LEFT) && kind >= 1) kind -= 1;
    if (gInput->kiIsPushed(KI_RIGHT) && kind < lastKind) kind += 1;
    if (gInput->kiIsPushed(KI_BUTTON1) || gInput->kiIsPushed(KI_BUTTON2)) mode = PutDelete;
}

bool EngineSet::saveAs(const char* path) {
    return set->save(path);
}

void EngineSet::carryOut() {
    switch (menuIndex) {
    case 0:
        save("<EngineSet::save> could not write the set\n");
        break;
    case 1:
        set->clear();
        break;
    case 2:
        keNextScene = ZT_SCENE_TITLE;
        break;
    default:
        break;
    }
}

void EngineSet::keDraw() {
    gAscii->scale = 2;
    gAscii->colour = white;
    switch (mode) {
    case PutDelete: {
        ztDrawMap(*map);
        gSprite->kspDrawOut(true);
        for (const ZTsetChip& c : set->chips)
            ztDrawKindIcon(c.kind, static_cast<float>(c.x), static_cast<float>(c.y), white);
        kbDrawLayer(ZT_LAYER_WALL);
        const float x = static_cast<float>(cursorX), y = static_cast<float>(cursorY);
        ztDrawKindIcon(kind, x, y, ghost);
        put(cursorCell, x, y, 2.0f, set->contains(cursorX, cursorY) ? yellow : white);
        // Keep the help clear of the top rows when the cursor works there.
        gAscii->kaPrintAt(0, cursorY <= 96 ? 25 : 0, "[1] Put / Delete");
        gAscii->kaPrint("[2] Select");
        gAscii->kaPrint("[4] Menu");
        break;
    }
    case Select:
        gAscii->kaPrintAt(0, 0, "[1] Return");
        gAscii->kaPrint("[2] Return");
        for (int32_t k = 0; k <= lastKind; ++k)
            ztDrawKindIcon(k, static_cast<float>(k * 64 + 32), 240.0f, white);
        put(cursorCell, static_cast<float>(kind * 64 + 32), 240.0f, 2.0f, white);
        break;
    case Menu:
        gAscii->kaPrintAt(0, 0, "[1] Decide");
        gAscii->kaPrint("[4] Close Menu");
        gAscii->kaPrintAt(2, 4, "Save");
        gAscii->kaPrint("All Clear");
        gAscii->kaPrint("Exit");
        gAscii->kaPrintAt(0, 4 + menuIndex, ">");
        break;
    default:
        break;
    }
    gSprite->kspDrawOut();
}
