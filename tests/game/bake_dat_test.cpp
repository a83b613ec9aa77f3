// The map and set sources and their bake: the stock grids are well formed and playable, bad
// grids are refused with a line number, and the bake never replaces a file already baked.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "dat_text.h"
#include "data/map.h"
#include "data/set.h"

namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string mapGrid(const std::string& firstRow) {
    std::string text = "# comment\n" + firstRow + "\n";
    for (int r = 1; r < 8; ++r) text += "..........\n";
    return text;
}

} // namespace

TEST(DatSources, EveryStockMapBakesToA168ByteTenByEight) {
    int maps = 0;
    for (int i = 0; i < 4; ++i) {
        const fs::path src = fs::path(ZT_DAT_SOURCE) / ("m0" + std::to_string(i) + ".txt");
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(ztMapFromText(readText(src), bytes, error)) << src << ": " << error;
        ASSERT_EQ(bytes.size(), 168u);
        ZTMap map(nullptr, 1, 1, 0);
        ASSERT_TRUE(map.parse(bytes.data(), bytes.size(), 0));
        for (const auto& row : map.cells)
            for (uint16_t chip : row) {
                EXPECT_GE(chip, 7);
                EXPECT_LE(chip, 21);
            }
        ++maps;
    }
    EXPECT_EQ(maps, 4);
}

TEST(DatSources, StockSetsHoldGroundEnemiesOnTheGridAndKeepTheGateClear) {
    for (int i = 1; i <= 3; ++i) {
        const fs::path src = fs::path(ZT_DAT_SOURCE) / ("s0" + std::to_string(i) + ".txt");
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(ztSetFromText(readText(src), bytes, error)) << src << ": " << error;
        ZTSet set;
        set.parse(bytes.data(), bytes.size());
        EXPECT_GE(set.chips.size(), 4u) << src;
        for (const ZTsetChip& c : set.chips) {
            EXPECT_EQ(c.x % 32, 0);
            EXPECT_EQ(c.y % 32, 0);
            EXPECT_TRUE(c.x >= 32 && c.x <= 608 && c.y >= 32 && c.y <= 448);
            EXPECT_TRUE(c.kind >= ZT_CHIP_SMALL && c.kind <= ZT_CHIP_LARGE)
                << "fields 1 to 3 hold ground enemies only";
            EXPECT_FALSE(c.y >= 352 && c.x >= 256 && c.x <= 384)
                << src << ": an enemy at (" << c.x << ", " << c.y << ") blocks the tank's gate";
        }
    }
}

TEST(DatSources, ChipsComeInReadingOrder) {
    std::string text;
    for (int r = 0; r < 14; ++r) text += std::string(19, '.') + "\n";
    text[0 * 20 + 18] = 'L'; // row 0, last column
    text[2 * 20 + 0] = 's';  // row 2, first column
    text[2 * 20 + 1] = '7';
    text[13 * 20 + 9] = 'm';
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ztSetFromText(text, bytes, error)) << error;
    ZTSet set;
    set.parse(bytes.data(), bytes.size());
    ASSERT_EQ(set.chips.size(), 4u);
    auto it = set.chips.begin();
    EXPECT_EQ(it->x, 608);
    EXPECT_EQ(it->kind, ZT_CHIP_LARGE);
    ++it;
    EXPECT_EQ(it->y, 96);
    EXPECT_EQ(it->kind, ZT_CHIP_SMALL);
    ++it;
    EXPECT_EQ(it->kind, ZT_CHIP_MARK_7);
    ++it;
    EXPECT_EQ(it->x, 320);
    EXPECT_EQ(it->y, 448);
}

TEST(DatSources, BadGridsAreRefusedWithTheirPlace) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(ztMapFromText(mapGrid("....x....."), bytes, error));
    EXPECT_NE(error.find("line 1, column 5"), std::string::npos) << error;
    EXPECT_FALSE(ztMapFromText(mapGrid("........."), bytes, error));
    EXPECT_NE(error.find("10 characters"), std::string::npos) << error;
    EXPECT_FALSE(ztMapFromText("..........\n", bytes, error));
    EXPECT_NE(error.find("8 grid lines"), std::string::npos) << error;
    EXPECT_TRUE(bytes.empty()) << "nothing is produced from a bad grid";
    EXPECT_TRUE(ztMapFromText(mapGrid("/-\\[]L_Jab"), bytes, error)) << error;
}

TEST(DatBake, WritesOnlyMissingFilesUnlessForced) {
    const fs::path out = fs::temp_directory_path() / ("zt_bake_dat_" + std::to_string(::getpid()));
    fs::remove_all(out);
    const std::string run = std::string(ZT_BAKE_DAT) + " " + ZT_DAT_SOURCE + " " + out.string();
    ASSERT_EQ(std::system((run + " >/dev/null").c_str()), 0);
    for (const char* name :
         {"m00.ztm", "m01.ztm", "m02.ztm", "m03.ztm", "s01.zts", "s02.zts", "s03.zts"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_EQ(fs::file_size(out / "m02.ztm"), 168u);

    // An editor saved an empty set 1: a rebuild keeps it, a restore replaces it.
    { std::ofstream(out / "s01.zts", std::ios::binary).write("\0\0", 2); }
    ASSERT_EQ(std::system((run + " >/dev/null").c_str()), 0);
    EXPECT_EQ(fs::file_size(out / "s01.zts"), 2u);
    ASSERT_EQ(std::system((run + " --force >/dev/null").c_str()), 0);
    EXPECT_GT(fs::file_size(out / "s01.zts"), 2u);
    fs::remove_all(out);
}
