#pragma once
// Vector art to pixels: one SVG file rendered onto a transparent picture of a given size.
#include <string>

#include "image.h"

// Renders the SVG's whole document scaled to w x h. Returns false with a message in err when
// the file is missing or not valid SVG.
bool pxRenderSvg(const std::string& path, int w, int h, PxImage& out, std::string& err);
