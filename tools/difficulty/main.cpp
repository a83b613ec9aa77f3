// zentaku-difficulty: how hard each field is for a person. A model player with a person's limits
// (model_player.h) plays every field from its start, as the developer menu starts one, many
// times over with different wanderings of its hands, and the tool tabulates what became of it.
// Each field starts with the tail a play of this model typically brings there: the median tail
// of the tries that cleared the field before.
//
//   zentaku-difficulty [options]
#include <cstdio>
#include <fstream>

#include "field_trial.h"
#include "options.h"
#include "report.h"

int main(int argc, char** argv) {
    Options o;
    o.dat = ZT_DAT_SOURCE;
    if (const int status = readOptions(argc, argv, o); status >= 0) return status;

    Margins margins;
    if (!o.marginsPath.empty() && !searchMargins(o.marginsPath, o.root, margins)) {
        std::fprintf(stderr, "zentaku-difficulty: %s: not a replay file, or no scratch folder\n",
                     o.marginsPath.c_str());
        return 3;
    }
    const std::map<int, FieldNote> notes = readNotes(o.dat);

    // The tries play in a scratch folder of freshly baked stock data.
    StockDatDir dir(o.dat);
    if (!dir.ok) {
        std::fprintf(stderr, "zentaku-difficulty: %s\n", dir.error.c_str());
        return 3;
    }
    bool bad = false;
    for (Player& player : o.players)
        bad = !playFields(player, o.first, o.last, o.startTail, o.tries, o.jobs, o.dat) || bad;

    const std::string table = reportText(o.players, notes, margins);
    if (o.tablePath.empty()) {
        std::fputs(table.c_str(), stdout);
    } else if (!(std::ofstream(o.tablePath) << table)) {
        std::fprintf(stderr, "zentaku-difficulty: %s: cannot write\n", o.tablePath.c_str());
        return 3;
    }
    if (!o.chartPath.empty() && !writeChart(o.chartPath, o.players)) {
        std::fprintf(stderr, "zentaku-difficulty: %s: cannot write\n", o.chartPath.c_str());
        return 3;
    }
    return bad ? 1 : 0;
}
