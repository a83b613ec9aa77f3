#include "layout.h"

#include <fstream>
#include <sstream>

bool pxReadLayout(const std::string& path, std::vector<PxLayoutEntry>& out, std::string& err) {
    std::ifstream in(path);
    if (!in) {
        err = "cannot read " + path;
        return false;
    }
    std::string dir = path.substr(0, path.find_last_of('/') + 1);
    std::string text;
    int lineNo = 0;
    while (std::getline(in, text)) {
        ++lineNo;
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        PxLayoutEntry e;
        std::string cells;
        if (!(words >> e.kind)) continue;
        if (!(words >> e.source >> cells)) {
            err = path + ":" + std::to_string(lineNo) + ": expected <kind> <source> <cells>";
            return false;
        }
        char dash = 0;
        std::istringstream range(cells);
        bool ok = bool(range >> e.first);
        e.last = e.first;
        if (ok && range >> dash) ok = dash == '-' && range >> e.last && range.eof();
        if (!ok || e.last < e.first) {
            err = path + ":" + std::to_string(lineNo) + ": bad cell range " + cells;
            return false;
        }
        if (e.kind == "svg")
            e.source = dir + e.source;
        else if (e.kind != "font8" && e.kind != "glyphs") {
            err = path + ":" + std::to_string(lineNo) + ": unknown kind " + e.kind;
            return false;
        }
        e.line = lineNo;
        out.push_back(e);
    }
    return true;
}
