#include "scenes/map_view.h"

#include "data/map.h"
#include "sprite.h"

void ztDrawMap(const ZTMap& map) {
    // Only the chips that reach the 640 x 480 picture: an outsized map from a damaged file must not
    // fill the sprite queue and crowd out the field drawn over it.
    const int32_t rows = map.height < ZTMap::rows ? map.height : ZTMap::rows;
    const int32_t columns = map.width < ZTMap::columns ? map.width : ZTMap::columns;
    for (int32_t row = 0; row < rows; ++row)
        for (int32_t column = 0; column < columns; ++column) {
            const uint16_t chip = map.chipAt(row, column);
            if (chip >= gSprite->cellCount()) continue; // a damaged file's chip: leave a hole
            gSprite->kspPut(chip, static_cast<float>(column * 64 + 32),
                            static_cast<float>(row * 64 + 32), 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
        }
}
