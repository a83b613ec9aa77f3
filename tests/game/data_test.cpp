// The map and set files: exact layouts, round trips, and damaged or hostile files.
#include <gtest/gtest.h>

#include "data/map.h"
#include "data/set.h"
#include "files.h"
#include "scratch_dir.h"
#include "work.h"

namespace {

std::vector<uint8_t> mapHeader(int32_t w, int32_t h) {
    std::vector<uint8_t> b;
    for (int32_t v : {w, h})
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return b;
}

} // namespace

TEST(MapFile, ANewMapIs168BytesOfTenEightAndSevens) {
    ScratchDir dir;
    ZTMap map(nullptr, 10, 8, 7);
    ASSERT_TRUE(map.save("dat/new.ztm"));
    const auto bytes = readBytes("dat/new.ztm");
    ASSERT_EQ(bytes.size(), 168u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8), mapHeader(10, 8));
    for (size_t i = 8; i < 168; i += 2) {
        EXPECT_EQ(bytes[i], 7);
        EXPECT_EQ(bytes[i + 1], 0);
    }
}

TEST(MapFile, LoadingAndSavingAgainGivesIdenticalBytes) {
    ScratchDir dir;
    ZTMap map(nullptr, 10, 8, 21);
    map.cells[0][9] = 0xFFFF; // chips are plain 16-bit values, unchecked
    map.cells[7][0] = 14;
    ASSERT_TRUE(map.save("dat/a.ztm"));
    ZTMap back("dat/a.ztm", 1, 1, 0);
    EXPECT_EQ(back.width, 10);
    EXPECT_EQ(back.height, 8);
    EXPECT_EQ(back.cells[0][9], 0xFFFF);
    EXPECT_EQ(back.cells[7][0], 14);
    EXPECT_EQ(back.cells[3][3], 21);
    ASSERT_TRUE(back.save("dat/b.ztm"));
    EXPECT_EQ(readBytes("dat/a.ztm"), readBytes("dat/b.ztm"));
}

TEST(MapFile, DamagedFilesNeverReadPastTheEndOrAllocateWithoutBound) {
    ScratchDir dir;
    // Truncated: the chips the file lacks take the fill chip.
    std::vector<uint8_t> shortFile = mapHeader(10, 8);
    shortFile.insert(shortFile.end(), {9, 0, 8, 0, 3});
    writeBytes("dat/short.ztm", shortFile);
    ZTMap cut("dat/short.ztm", 10, 8, 7);
    ASSERT_EQ(cut.height, 8);
    EXPECT_EQ(cut.cells[0][0], 9);
    EXPECT_EQ(cut.cells[0][1], 8);
    EXPECT_EQ(cut.cells[0][2], 7) << "half a chip is not a chip";
    EXPECT_EQ(cut.cells[7][9], 7);

    // Headers that make no sense give the constructor's map.
    for (auto header : {mapHeader(-1, 8), mapHeader(10, 0), mapHeader(0x7FFFFFFF, 0x7FFFFFFF),
                        mapHeader(65, 1), std::vector<uint8_t>{10, 0, 0}}) {
        writeBytes("dat/bad.ztm", header);
        ZTMap bad("dat/bad.ztm", 10, 8, 7);
        EXPECT_EQ(bad.width, 10);
        EXPECT_EQ(bad.height, 8);
        EXPECT_EQ(bad.cells[4][4], 7);
    }
    // A size within bounds but not the usual one is kept, and reads outside it are safe.
    writeBytes("dat/odd.ztm", mapHeader(3, 2));
    ZTMap odd("dat/odd.ztm", 10, 8, 7);
    EXPECT_EQ(odd.width, 3);
    EXPECT_EQ(odd.chipAt(1, 2), 7);
    EXPECT_EQ(odd.chipAt(5, 5), 0);
}

TEST(MapFile, AMissingMapGivesTheWorkAPlainTenByEight) {
    ScratchDir dir;
    ZTMap plain(nullptr, 10, 8, 7);
    plain.cells[2][2] = 12;
    plain.save("dat/m02.ztm");
    ZTWork work;
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(work.maps[i]->width, 10);
        EXPECT_EQ(work.maps[i]->height, 8);
        EXPECT_EQ(work.maps[i]->cells[2][2], 7);
    }
    EXPECT_EQ(work.maps[2]->cells[2][2], 12);
    // The editor saves and asks for the maps again.
    plain.cells[2][2] = 13;
    plain.save("dat/m02.ztm");
    work.reloadMaps();
    EXPECT_EQ(work.maps[2]->cells[2][2], 13);
}

TEST(SetFile, TwoChipsMakeTheFourteenByteFile) {
    ScratchDir dir;
    ZTSet set;
    set.add(32, 32, 0);
    set.add(608, 448, 2);
    ASSERT_TRUE(set.save("dat/s01.zts"));
    const std::vector<uint8_t> expected = {0x02, 0x00, 0x20, 0x00, 0x20, 0x00, 0x00,
                                           0x00, 0x60, 0x02, 0xC0, 0x01, 0x02, 0x00};
    EXPECT_EQ(readBytes("dat/s01.zts"), expected);

    ZTSet empty;
    ASSERT_TRUE(empty.save("dat/s02.zts"));
    EXPECT_EQ(readBytes("dat/s02.zts"), (std::vector<uint8_t>{0, 0}));
}

TEST(SetFile, LoadReplacesTheListAndKeepsUnknownKinds) {
    ScratchDir dir;
    ZTSet set;
    set.add(64, 64, 6);
    set.add(96, 64, 7);
    set.add(128, 64, 1);
    set.save("dat/s05.zts");
    ZTSet back;
    ASSERT_TRUE(back.load("dat/s05.zts"));
    ASSERT_TRUE(back.load("dat/s05.zts"));
    ASSERT_EQ(back.chips.size(), 3u);
    back.rewind();
    ZTsetChip c;
    ASSERT_TRUE(back.next(c));
    EXPECT_EQ(c.kind, 6);
    ASSERT_TRUE(back.next(c));
    EXPECT_EQ(c.kind, 7);
    ASSERT_TRUE(back.next(c));
    EXPECT_EQ(c.x, 128);
    EXPECT_FALSE(back.next(c));
    EXPECT_FALSE(back.load("dat/none.zts"));
    EXPECT_TRUE(back.chips.empty());
}

TEST(SetFile, RemoveTakesTheEarlierOfTwoChipsOnOnePlace) {
    ZTSet set;
    set.add(64, 64, 0);
    set.add(64, 64, 2);
    set.remove(64, 64);
    EXPECT_TRUE(set.contains(64, 64));
    ASSERT_EQ(set.chips.size(), 1u);
    EXPECT_EQ(set.chips.front().kind, 2);
    set.remove(32, 32);
    EXPECT_EQ(set.chips.size(), 1u);
}

TEST(SetFile, AShortFileStopsAtTheLastWholeChip) {
    // The count promises 500 chips; the file holds two and a half.
    const std::vector<uint8_t> bytes = {0xF4, 0x01, 32, 0, 32, 0,  0, 0, 64,
                                        0,    64,   0,  1, 0,  96, 0, 96};
    ZTSet set;
    set.parse(bytes.data(), bytes.size());
    ASSERT_EQ(set.chips.size(), 2u);
    EXPECT_EQ(set.chips.back().kind, 1);
    set.parse(bytes.data(), 1);
    EXPECT_TRUE(set.chips.empty());
}
