// The dialogue as the window will show it: every page fits the window and every character has a
// glyph to draw.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "files.h"
#include "meta_world.h"
#include "scenes/kaiwa.h"

namespace {
// The code point of one two-byte character, 0 when it has none.
uint32_t codePoint(unsigned lead, unsigned trail) {
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    uint32_t out = 0;
    char* src = in;
    char* dst = reinterpret_cast<char*>(&out);
    size_t inLeft = 2, outLeft = 4;
    const size_t rc = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    return rc == static_cast<size_t>(-1) ? 0 : out;
}

// Code points whose unifont glyph has at least one pixel set.
std::set<uint32_t> inkedGlyphs() {
    std::set<uint32_t> inked;
    std::ifstream file(ZT_UNIFONT);
    std::string line;
    while (std::getline(file, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        if (line.find_first_not_of("0:", colon) != std::string::npos)
            inked.insert(static_cast<uint32_t>(std::stoul(line.substr(0, colon), nullptr, 16)));
    }
    return inked;
}
} // namespace

TEST(Dialogue, EveryPageFitsTheWindowAndHasItsGlyphs) {
    const std::set<uint32_t> inked = inkedGlyphs();
    if (inked.empty()) GTEST_SKIP() << "unifont is not installed";
    for (int n = 0; n < 3; ++n) {
        const std::vector<std::string> lines = sourceLines(n);
        ASSERT_EQ(static_cast<int>(lines.size()), ztKaiwaLineCount[n]) << "conversation " << n;
        for (const std::string& utf8 : lines) {
            const std::string sjis = toShiftJis(utf8);
            ASSERT_FALSE(sjis.empty()) << utf8 << " does not convert";
            ASSERT_GE(sjis.size(), 2u);
            EXPECT_EQ(sjis.substr(sjis.size() - 2), "|p") << utf8;
            int widthInCells = 0, rows = 1;
            const auto* b = reinterpret_cast<const unsigned char*>(sjis.data());
            for (size_t i = 0; i < sjis.size(); i += 2) {
                ASSERT_LT(i + 1, sjis.size()) << utf8 << ": a lone byte at the end";
                if (b[i] == '|') {
                    ASSERT_TRUE(b[i + 1] == 'n' || b[i + 1] == 'p') << utf8;
                    if (b[i + 1] == 'n') {
                        rows += 1;
                        widthInCells = 0;
                    } else {
                        widthInCells += 1;
                    }
                    continue;
                }
                ASSERT_GT(b[i], 128) << utf8 << ": only full-width characters";
                const int cell = b[i] * 256 + b[i + 1] - 32805;
                EXPECT_GT(cell, 283) << utf8 << ": the full-width space is blank";
                EXPECT_LE(cell, 986) << utf8;
                EXPECT_TRUE(inked.count(codePoint(b[i], b[i + 1])))
                    << utf8 << ": no glyph for character at byte " << i;
                widthInCells += 1;
                // The frame's right edge stays inside the picture up to 17 cells wide.
                EXPECT_LE(widthInCells, 16) << utf8;
            }
            EXPECT_LE(rows, 3) << utf8 << ": a fourth line would make the window rise";
        }
    }
}

TEST(Dialogue, LoaderSkipsCommentsAndRefusesWhatIsNoConversation) {
    MetaDir dir;
    std::vector<std::string> lines;
    ASSERT_TRUE(ztLoadKaiwaLines("dat/kaiwa1.txt", lines));
    EXPECT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], toShiftJis(sourceLines(1)[0]));

    writeText("crlf.txt", "# note\r\n\r\nAB|p\r\nCD|p");
    ASSERT_TRUE(ztLoadKaiwaLines("crlf.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"AB|p", "CD|p"}));

    EXPECT_FALSE(ztLoadKaiwaLines("missing.txt", lines));
    EXPECT_TRUE(lines.empty());
    writeText("huge.txt", std::string(70000, 'x'));
    EXPECT_FALSE(ztLoadKaiwaLines("huge.txt", lines));
    writeText("long.txt", std::string(5000, 'x') + "\nB|p\n");
    ASSERT_TRUE(ztLoadKaiwaLines("long.txt", lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 1024u);
}

TEST(Dialogue, AConversationWithoutItsFileStillRunsToTheGame) {
    MetaWorld w(ZT_SCENE_TITLE);
    std::remove("dat/kaiwa0.txt");
    w.frame();
    w.work->startGame(1, 1, false, false, false);
    keNextScene = ZT_SCENE_KAIWA;
    w.frames(2);
    auto* k = w.scene<EngineKaiwa>();
    ASSERT_EQ(k->lines.size(), 3u);
    EXPECT_EQ(k->lines[0], "|p");
    int pushes = 0;
    while (keSceneNumber != ZT_SCENE_GAME && pushes < 100) {
        w.push(KI_BUTTON1);
        pushes += 1;
    }
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
}
