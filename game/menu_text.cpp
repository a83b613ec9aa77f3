#include "menu_text.h"

#include "texts.h"

const char* ztMenuText(ZTMenuText text) {
    if (text < 0 || text >= ZT_MENU_TEXT_COUNT) return "";
    return ztText(static_cast<ZTText>(static_cast<int>(ZTText::MenuFirst) + text)).c_str();
}
