#pragma once
// The sheet layout: which source fills which cells. One entry a line:
//   svg <file relative to the layout> <cell> | <first>-<last>
//   font8 <psf1.gz path> <first>-<last>
//   glyphs <unifont.hex path> <first>-<last>
// An SVG for a range is a strip of frames side by side, each the size of the range's cells;
// frame k goes into cell first + k. '#' starts a comment.
#include <string>
#include <vector>

struct PxLayoutEntry {
    std::string kind, source;
    int first = 0, last = 0;
    int line = 0;
};

bool pxReadLayout(const std::string& path, std::vector<PxLayoutEntry>& out, std::string& err);
