#pragma once
// Bitmap glyph sources: the 8x8 console font (PSF1, gzip) and unifont's 16x16 glyphs, drawn
// white with a dark drop shadow so text reads on any background and takes its colour from the
// sprite colour.
#include <string>

#include "image.h"

// Draws the characters 32..127 of a PSF1 font into the cells 8x8 at (x0 + 8c, y0 + 8r),
// sixteen to a row.
bool pxDrawConsoleFont(const std::string& psfGzPath, PxImage& sheet, int x0, int y0,
                       std::string& err);

// Draws the window glyphs: cell n of count holds the two-byte Shift-JIS character whose code
// is firstCode + n, at (x0 + 16 (n % 32), y0 + 16 (n / 32)). Codes without a character stay
// empty.
bool pxDrawUnifontGlyphs(const std::string& hexPath, int firstCode, int count, PxImage& sheet,
                         int x0, int y0, std::string& err);

// The Unicode code point of a two-byte Shift-JIS (Windows code page 932) character, or 0.
unsigned pxSjisToUnicode(int lead, int trail);
