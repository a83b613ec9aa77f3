#pragma once
// The replay list: every "*.rep" file in "rep", eight to a page, with the score, field and highest
// tail of each; the chosen file is played from the opening conversation on.
#include <string>
#include <vector>

#include "creator.h"

class EngineRepSelect : public ZTEngine {
public:
    EngineRepSelect();
    ~EngineRepSelect() override;

    void keMove() override;
    void keDraw() override;

    static constexpr int perPage = 8;

    std::vector<std::string> fileNames;
    int fileCount = 0;
    std::vector<RepFileInfo> infos;        // filled one file per frame
    std::vector<std::string> languageTags; // each file's language, as its folder is named
    int cursor = 0;                        // entry on the page
    int page = 0;
    int lastPage = 0;
    int state = 0;   // 0 reading, 1 choosing, 2 chosen, 10 no file
    int counter = 0; // file index while reading, frames after

private:
    int chosen() const { return page * perPage + cursor; }
    void moveChoosing();
    void moveChosen();
    void drawPage(int hidden) const;
};
