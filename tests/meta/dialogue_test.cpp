// The texts as the window will show them, in every language: nothing missing, every page fits
// the window and every character has a glyph to draw.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "data/catalogue.h"
#include "files.h"
#include "meta_world.h"
#include "scenes/kaiwa.h"
#include "scenes/window.h"
#include "sprite.h"
#include "texts.h"

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

namespace {
// Why a text cannot be drawn as the window draws it, or "" when it can: one-byte characters
// from the font, two-byte ones from the glyph cells with a glyph drawn, "|" only before the
// codes allowed here.
std::string undrawable(const std::string& text, const std::set<uint32_t>& inked,
                       const std::string& codes) {
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size(); ++i) {
        if (b[i] == '|') {
            if (i + 1 >= text.size() ||
                codes.find(static_cast<char>(b[i + 1])) == std::string::npos)
                return "a \"|\" that is no code allowed here at byte " + std::to_string(i);
            i += 1;
        } else if (b[i] > 128) {
            if (i + 1 >= text.size()) return "half a character at the end";
            const int cell = b[i] * 256 + b[i + 1] - 32805;
            if (cell <= 283 || cell > 986 ||
                (!inked.empty() && !inked.count(codePoint(b[i], b[i + 1]))))
                return "no glyph for the character at byte " + std::to_string(i);
            i += 1;
        } else if (b[i] < 32 || b[i] > 126) {
            return "a byte the font has no letter for at byte " + std::to_string(i);
        }
    }
    return "";
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 2)) n += 1;
    return n;
}
} // namespace

// Every language of the root: every menu text translated and drawable; every conversation with
// all its pages, one page mark each, at the end; and every page fits the window as the window
// lays it out at 640 pixels, without rising.
TEST(Dialogue, EveryLanguageHasEveryTextAndEveryPageFitsTheWindow) {
    const std::set<uint32_t> inked = inkedGlyphs();
    ObjectBench bench;
    writeConversations();
    const std::vector<ZTLanguageInfo> languages = ztLanguages();
    ASSERT_GE(languages.size(), 2u);
    // The translators' template lists exactly the texts the game asks for.
    const std::string pot = readText(std::string(ZT_TEXT_DIR) + "/zentaku.pot");
    for (const ZTTextSource& t : ztTextSources)
        EXPECT_NE(
            pot.find(std::string("msgctxt \"") + t.context + "\"\nmsgid \"" + t.original + "\"\n"),
            std::string::npos)
            << t.original << " is missing from zentaku.pot";
    EXPECT_EQ(count(pot, "\nmsgid \""), ztTextCount + 1)
        << "zentaku.pot lists texts the game lacks";
    for (const ZTLanguageInfo& language : languages) {
        SCOPED_TRACE(language.name);
        const ZTTexts texts = ztLoadTexts(language.id);
        for (size_t i = 0; i < ztTextCount; ++i) {
            const std::string& t = texts.lines[i];
            EXPECT_FALSE(t.empty());
            EXPECT_EQ(undrawable(t, inked, ""), "") << ztTextSources[i].original;
        }
        EXPECT_EQ(texts.translated, ztTextCount) << "texts missing from its zentaku.po";
        for (int n = 0; n < 3; ++n) {
            std::vector<std::string> lines;
            const std::string path =
                ztTextPath(language.id, ("kaiwa" + std::to_string(n) + ".txt").c_str());
            ASSERT_TRUE(ztLoadKaiwaLines(path.c_str(), lines)) << path;
            ASSERT_EQ(static_cast<int>(lines.size()), ztKaiwaLineCount[n]) << path;
            for (const std::string& line : lines) {
                EXPECT_EQ(undrawable(line, inked, "np"), "") << line;
                EXPECT_EQ(count(line, "|p"), 1u) << line << ": one page mark a spoken line";
                EXPECT_EQ(line.substr(line.size() - 2), "|p") << line;
                EXPECT_LE(count(line, "|n"), 2u) << line << ": three lines at most";
                // Laid out by the window itself, whole, at the conversation's place.
                auto* window = new ZTWindow(1, 9, 0, line, 0);
                window->position = window->home; // where it settles
                const float homeY = window->home.y;
                window->kbDraw();
                gSprite->kspClear();
                const float cornerHalf = gSprite->cell(148).width; // drawn at twice its size
                const float right = window->home.x + 32.0f * (window->width + 1) + cornerHalf;
                EXPECT_LE(right, 640.0f) << line << ": the frame leaves the picture";
                EXPECT_EQ(window->home.y, homeY) << line << ": the window would rise";
                ZTWindow::close(window);
                bench.frame(false);
            }
        }
    }
}

TEST(Dialogue, LoaderSkipsCommentsAndRefusesWhatIsNoConversation) {
    MetaDir dir;
    std::vector<std::string> lines;
    ASSERT_TRUE(ztLoadKaiwaLines("text/ja/kaiwa1.txt", lines));
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
    std::remove("text/ja/kaiwa0.txt");
    w.frame();
    w.work->startGame();
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

// A catalogue as msgfmt writes it, in either byte order; a damaged one gives nothing at all.
TEST(Dialogue, CataloguesReadInEitherByteOrderAndRefuseDamage) {
    const std::string corpus = std::string(ZT_TEXT_DIR) + "/../../fuzz/corpus/catalogue/";
    std::map<std::string, std::string> little, big, damaged;
    const std::vector<uint8_t> ja = readBytes(corpus + "ja_mo");
    ASSERT_TRUE(ztParseCatalogue(ja.data(), ja.size(), little));
    EXPECT_EQ(little.size(), ztTextCount);
    EXPECT_EQ(little[std::string("title menu\x04New Game")], toShiftJis("さいしょから"));
    const std::vector<uint8_t> be = readBytes(corpus + "big_endian_mo");
    ASSERT_TRUE(ztParseCatalogue(be.data(), be.size(), big));
    EXPECT_EQ(big, little);
    for (const char* name : {"truncated_mo", "huge_count", "string_past_end", "languages"}) {
        const std::vector<uint8_t> bytes = readBytes(corpus + name);
        damaged = {{"stale", "x"}};
        EXPECT_FALSE(ztParseCatalogue(bytes.data(), bytes.size(), damaged)) << name;
        EXPECT_TRUE(damaged.empty()) << name;
    }
}

// The kept texts follow the setting at once: a menu drawn every frame speaks the new language on
// the next one.
TEST(Dialogue, KeptTextsFollowTheSetting) {
    MetaDir dir;
    {
        const LanguageSetting english(ZTLanguage::English);
        EXPECT_EQ(ztText(ZTText::TitleContinue), "Continue");
    }
    EXPECT_EQ(ztText(ZTText::TitleContinue), toShiftJis("つづきから"));
}
