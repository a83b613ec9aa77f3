#pragma once
// The stock sheets are rendered once for all tests of a program: rendering every SVG is the
// slow part of the bake.
#include <gtest/gtest.h>

#include "sheets.h"

inline const PxSheets& stockSheets() {
    static PxSheets sheets;
    static bool built = [] {
        std::string err;
        bool ok = pxBuildSheets(PX_LAYOUT, sheets, err);
        EXPECT_TRUE(ok) << err;
        return ok;
    }();
    (void)built;
    return sheets;
}
