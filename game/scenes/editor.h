#pragma once
// What the map and set editors share: three modes (working on the field, picking what to put
// down, the menu), the menu's cursor, and saving under the editor's own file name.
#include <cstddef>
#include <cstdint>

#include "creator.h"

class ZTEditor : public ZTEngine {
public:
    enum Mode : int32_t { Work = 0, Pick = 1, Menu = 2 };

    // Runs the frame's mode, then every object.
    void keMove() override;

    // The editor's file under the game root, e.g. "dat/m01.ztm".
    virtual void fileName(char* out, size_t size) const = 0;

    int32_t mode = Work;
    int32_t menuIndex = 0;

protected:
    explicit ZTEditor(int32_t lastEntry) : lastEntry(lastEntry) {}

    virtual void moveWork() = 0;
    virtual void movePick() = 0;
    // The menu line under the cursor was chosen.
    virtual void carryOut() = 0;
    virtual bool saveAs(const char* path) = 0;
    // Nothing is shown either way; a failed save at least leaves a trace for the modder.
    void save(const char* failure);

private:
    void moveMenu();
    const int32_t lastEntry; // the menu's last line
};
