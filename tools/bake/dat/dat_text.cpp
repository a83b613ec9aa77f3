#include "dat_text.h"

#include <sstream>

#include "data/map.h"
#include "data/set.h"
#include "objects/bounds.h"

namespace {

// A map source has a character a chip; a set source one a placement cell, from wall to wall.
constexpr int mapColumns = ZTMap::columns, mapRows = ZTMap::rows;
constexpr int setLeft = static_cast<int>(ztFieldLeft), setTop = static_cast<int>(ztFieldTop);
constexpr int setColumns = (static_cast<int>(ztFieldRight) - setLeft) / ztPlaceStep + 1;
constexpr int setRows = (static_cast<int>(ztFieldBottom) - setTop) / ztPlaceStep + 1;
static_assert(setColumns == 19 && setRows == 14, "the set sources are 19 x 14 characters");

// The grid lines of a source: comments and blank lines dropped, trailing blanks trimmed.
std::vector<std::string> gridLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        lines.push_back(line);
    }
    return lines;
}

int mapChip(char c) {
    switch (c) {
    case '.':
        return 7;
    case 'q':
        return 8;
    case 'g':
        return 9;
    case 'a':
        return 10;
    case 'b':
        return 11;
    case 'c':
        return 12;
    case 'd':
        return 13;
    case '/':
        return 14;
    case '-':
        return 15;
    case '\\':
        return 16;
    case '[':
        return 17;
    case ']':
        return 18;
    case 'L':
        return 19;
    case '_':
        return 20;
    case 'J':
        return 21;
    default:
        return -1;
    }
}

int setKind(char c) {
    switch (c) {
    case '.':
        return -1;
    case 's':
        return ZT_CHIP_SMALL;
    case 'm':
        return ZT_CHIP_MIDDLE;
    case 'L':
        return ZT_CHIP_LARGE;
    case '3':
        return ZT_CHIP_FLYERS_3;
    case '4':
        return ZT_CHIP_FLYERS_5;
    case '5':
        return ZT_CHIP_FLYERS_8;
    case '6':
        return ZT_CHIP_MARK_6;
    case '7':
        return ZT_CHIP_MARK_7;
    default:
        return -2;
    }
}

bool checkShape(const std::vector<std::string>& lines, int columns, int rows, std::string& error) {
    if (static_cast<int>(lines.size()) != rows) {
        error = "expected " + std::to_string(rows) + " grid lines, found " +
                std::to_string(lines.size());
        return false;
    }
    for (int r = 0; r < rows; ++r) {
        if (static_cast<int>(lines[r].size()) != columns) {
            error = "grid line " + std::to_string(r + 1) + " is not " + std::to_string(columns) +
                    " characters";
            return false;
        }
    }
    return true;
}

std::string badChar(int row, int column, char c) {
    return "unknown character '" + std::string(1, c) + "' at line " + std::to_string(row + 1) +
           ", column " + std::to_string(column + 1);
}

} // namespace

bool ztMapFromText(const std::string& text, std::vector<uint8_t>& out, std::string& error) {
    const std::vector<std::string> lines = gridLines(text);
    if (!checkShape(lines, mapColumns, mapRows, error)) return false;
    ZTMap map(nullptr, mapColumns, mapRows, 0);
    for (int r = 0; r < mapRows; ++r) {
        for (int c = 0; c < mapColumns; ++c) {
            const int chip = mapChip(lines[r][c]);
            if (chip < 0) {
                error = badChar(r, c, lines[r][c]);
                return false;
            }
            map.cells[r][c] = static_cast<uint16_t>(chip);
        }
    }
    out = map.image();
    return true;
}

bool ztSetFromText(const std::string& text, std::vector<uint8_t>& out, std::string& error) {
    const std::vector<std::string> lines = gridLines(text);
    if (!checkShape(lines, setColumns, setRows, error)) return false;
    ZTSet set;
    for (int r = 0; r < setRows; ++r) {
        for (int c = 0; c < setColumns; ++c) {
            const int kind = setKind(lines[r][c]);
            if (kind == -2) {
                error = badChar(r, c, lines[r][c]);
                return false;
            }
            if (kind >= 0) set.add(setLeft + ztPlaceStep * c, setTop + ztPlaceStep * r, kind);
        }
    }
    out = set.image();
    return true;
}
