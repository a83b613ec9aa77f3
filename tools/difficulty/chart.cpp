#include <algorithm>
#include <cstdio>
#include <fstream>

#include "fields.h"
#include "report.h"

namespace {

bool isBoss(int field) {
    return ztFieldKind(field) != ZTFieldKind::Set;
}
const char* colours[3] = {"#c05030", "#3070c0", "#309050"};
} // namespace

bool writeChart(const std::string& path, const std::vector<Player>& players) {
    // One line per player: the share of tries cleared with the first tank, field by field.
    const int w = 880, h = 440, left = 60, right = 150, top = 50, bottom = 60;
    const double plotW = w - left - right, plotH = h - top - bottom;
    const size_t n = players.empty() ? 1 : std::max<size_t>(players[0].rows.size(), 1);
    const double slot = plotW / static_cast<double>(n);
    std::string s;
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "font-family=\"sans-serif\" font-size=\"12\">\n"
                  "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n"
                  "<text x=\"%d\" y=\"24\" font-size=\"16\">Model players: share of tries "
                  "cleared without a miss, field by field</text>\n",
                  w, h, left);
    s += buf;
    for (int i = 0; i <= 4; ++i) {
        const double y = top + plotH - plotH * i / 4.0;
        std::snprintf(buf, sizeof buf,
                      "<line x1=\"%d\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#ccc\"/>\n"
                      "<text x=\"%d\" y=\"%.1f\" text-anchor=\"end\">%d%%</text>\n",
                      left, y, left + plotW, y, left - 6, y + 4, i * 25);
        s += buf;
    }
    if (!players.empty())
        for (size_t i = 0; i < players[0].rows.size(); ++i) {
            const Row& r = players[0].rows[i];
            const double x = left + slot * static_cast<double>(i);
            if (isBoss(r.field)) {
                std::snprintf(buf, sizeof buf,
                              "<rect x=\"%.1f\" y=\"%d\" width=\"%.1f\" height=\"%.1f\" "
                              "fill=\"#f3e2c8\"/>\n",
                              x, top, slot, plotH);
                s += buf;
            }
            std::snprintf(buf, sizeof buf,
                          "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%d</text>\n",
                          x + slot * 0.5, top + plotH + 16, r.field);
            s += buf;
        }
    for (size_t k = 0; k < players.size(); ++k) {
        const char* colour = colours[k % 3];
        std::string line;
        for (size_t i = 0; i < players[k].rows.size(); ++i) {
            const Row& r = players[k].rows[i];
            const double x = left + slot * (static_cast<double>(i) + 0.5);
            const double y = top + plotH - plotH * r.share();
            // A boss breaks the line: the rounds are curves of their own.
            const bool breakHere =
                i > 0 && (isBoss(players[k].rows[i - 1].field) || isBoss(r.field));
            std::snprintf(buf, sizeof buf, "%s%.1f,%.1f", line.empty() ? "" : " ", x, y);
            if (breakHere && !line.empty()) {
                s += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
                     "\" stroke-width=\"2\" points=\"" + line + "\"/>\n";
                line.clear();
                std::snprintf(buf, sizeof buf, "%.1f,%.1f", x, y);
            }
            line += buf;
            std::snprintf(buf, sizeof buf,
                          "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"%s\"/>\n", x, y,
                          colour);
            s += buf;
        }
        s += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
             "\" stroke-width=\"2\" points=\"" + line + "\"/>\n";
        std::snprintf(buf, sizeof buf,
                      "<line x1=\"%.1f\" y1=\"%zu\" x2=\"%.1f\" y2=\"%zu\" stroke=\"%s\" "
                      "stroke-width=\"3\"/>\n<text x=\"%.1f\" y=\"%zu\">%s</text>\n",
                      left + plotW + 14, top + 10 + 20 * k, left + plotW + 34, top + 10 + 20 * k,
                      colour, left + plotW + 40, top + 14 + 20 * k, players[k].name.c_str());
        s += buf;
    }
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">field (shaded: the "
                  "bosses)</text>\n</svg>\n",
                  left + plotW / 2, h - 16);
    s += buf;
    return static_cast<bool>(std::ofstream(path) << s);
}
