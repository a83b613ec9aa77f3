#include "sheets.h"

#include "celltable.h"
#include "glyphs.h"
#include "layout.h"
#include "png_io.h"
#include "sprite.h"
#include "svg_render.h"

const PxSlotInfo kPxSlotInfo[kPxSlots] = {
    {"pwn.dat", 256, 0xFF000000},  {"bg01.dat", 512, 0xFF00FF00},  {"dbg01.dat", 512, 0xFF00FF00},
    {"chr.dat", 512, 0xFF00FF00},  {"bos01.dat", 256, 0xFF00FF00}, {"tit00.dat", 512, 0xFF00FF00},
    {"gov.dat", 512, 0xFF00FF00},  {"fwmi.dat", 512, 0xFF00FF00},  {"fwma.dat", 512, 0xFF00FF00},
    {"fwri.dat", 512, 0xFF00FF00}, {"sys.dat", 512, 0xFF00FF00},
};

namespace {

std::string where(const PxLayoutEntry& e) {
    return "layout line " + std::to_string(e.line);
}

bool placeSvg(const PxLayoutEntry& e, PxSheets& sheets, std::string& err) {
    KCellRect first = kCellRect(e.first);
    for (int c = e.first; c <= e.last; ++c) {
        KCellRect r = kCellRect(c);
        if (r.w != first.w || r.h != first.h || r.slot != first.slot || r.w == 0) {
            err = where(e) + ": cells " + std::to_string(e.first) + "-" + std::to_string(e.last) +
                  " differ in size or slot";
            return false;
        }
    }
    int frames = e.last - e.first + 1;
    PxImage strip;
    if (!pxRenderSvg(e.source, first.w * frames, first.h, strip, err)) return false;
    for (int k = 0; k < frames; ++k) {
        KCellRect r = kCellRect(e.first + k);
        pxCopyRect(strip, k * r.w, 0, r.w, r.h, sheets[size_t(r.slot)], r.x, r.y);
    }
    return true;
}

} // namespace

bool pxBuildSheets(const std::string& layoutPath, PxSheets& sheets, std::string& err) {
    std::vector<PxLayoutEntry> entries;
    if (!pxReadLayout(layoutPath, entries, err)) return false;
    for (int s = 0; s < kPxSlots; ++s)
        sheets[size_t(s)] = PxImage(kPxSlotInfo[s].size, kPxSlotInfo[s].size);
    for (const PxLayoutEntry& e : entries) {
        if (e.first < 0 || e.last >= kCellCount) {
            err = where(e) + ": cell out of range";
            return false;
        }
        KCellRect r = kCellRect(e.first);
        bool ok = true;
        if (e.kind == "svg") {
            ok = placeSvg(e, sheets, err);
        } else if (e.kind == "font8") {
            ok = e.first == kFontFirstCell && e.last == kChipFirstCell - 1;
            if (!ok)
                err = where(e) + ": the font fills cells 187-282";
            else
                ok = pxDrawConsoleFont(e.source, sheets[size_t(r.slot)], r.x, r.y, err);
        } else {
            ok = e.first == kChipFirstCell;
            if (!ok) err = where(e) + ": glyphs start at cell 283";
            // A glyph cell's number is its Shift-JIS code minus 32805.
            else
                ok = pxDrawUnifontGlyphs(e.source, e.first + 32805, e.last - e.first + 1,
                                         sheets[size_t(r.slot)], r.x, r.y, err);
        }
        if (!ok) return false;
    }
    for (int s = 0; s < kPxSlots; ++s) pxApplyKeyFill(sheets[size_t(s)], kPxSlotInfo[s].key);
    return true;
}

void pxApplyKeyFill(PxImage& sheet, uint32_t key) {
    uint8_t kr = uint8_t(key >> 16), kg = uint8_t(key >> 8), kb = uint8_t(key);
    for (size_t i = 0; i < sheet.rgba.size(); i += 4) {
        uint8_t* p = &sheet.rgba[i];
        if (p[3] == 0) {
            p[0] = kr, p[1] = kg, p[2] = kb, p[3] = 0xFF;
        } else if (p[3] == 0xFF && p[0] == kr && p[1] == kg && p[2] == kb) {
            p[1] = uint8_t(kg ? kg - 1 : 1);
        }
    }
}

void pxApplyColourKey(PxImage& sheet, uint32_t key) {
    uint8_t kr = uint8_t(key >> 16), kg = uint8_t(key >> 8), kb = uint8_t(key);
    uint8_t ka = uint8_t(key >> 24);
    for (size_t i = 0; i < sheet.rgba.size(); i += 4) {
        uint8_t* p = &sheet.rgba[i];
        if (p[0] == kr && p[1] == kg && p[2] == kb && p[3] == ka) p[0] = p[1] = p[2] = p[3] = 0;
    }
}

bool pxEncodeTexture(const PxImage& sheet, std::vector<uint8_t>& out) {
    if (!pngEncode(sheet, out)) return false;
    pxScramble(out);
    return true;
}

bool pxDecodeTexture(std::vector<uint8_t> bytes, PxImage& sheet) {
    pxScramble(bytes);
    return pngDecode(bytes.data(), bytes.size(), sheet);
}
