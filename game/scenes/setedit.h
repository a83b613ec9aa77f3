#pragma once
// The enemy-set editor: places and removes enemy placements on a 32-pixel grid over the
// field's ground map, with the border walls drawn for orientation.
#include <cstdint>
#include <memory>

#include "data/set.h"
#include "editor.h"
#include "objects/bounds.h"

class ZTMap;

class EngineSet : public ZTEditor {
public:
    enum : int32_t { PutDelete = Work, Select = Pick };

    // The cursor's grid: the play area inside the walls, in placement steps.
    static constexpr int32_t step = ztPlaceStep;
    static constexpr int32_t left = static_cast<int32_t>(ztFieldLeft);
    static constexpr int32_t right = static_cast<int32_t>(ztFieldRight);
    static constexpr int32_t top = static_cast<int32_t>(ztFieldTop);
    static constexpr int32_t bottom = static_cast<int32_t>(ztFieldBottom);
    static constexpr int32_t lastKind = ZT_CHIP_MARK_7;

    EngineSet();
    ~EngineSet() override;

    void keDraw() override;

    // "dat/s%02d.zts" of the set being edited.
    void fileName(char* out, size_t size) const override;

    int32_t cursorX = 320;
    int32_t cursorY = 224;
    int32_t kind = 0;
    int32_t setNumber = 1;
    std::unique_ptr<ZTSet> set;
    std::unique_ptr<ZTMap> map;

private:
    void moveWork() override;
    void movePick() override;
    void carryOut() override;
    bool saveAs(const char* path) override;
};

// The picture of an enemy kind centred on (x, y); kinds without an enemy show a mark.
void ztDrawKindIcon(int32_t kind, float x, float y, uint32_t colour);
