// Loading the scrambled texture files: decoding, the exact colour key, and refusing bad files.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "canvas.h"
#include "log.h"
#include "platform/files.h"
#include "png_write.h"

namespace {
uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

void putBig32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24), p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8), p[3] = static_cast<uint8_t>(v);
}

std::vector<uint8_t> pngOf(const std::vector<uint32_t>& argb, int w, int h) {
    std::vector<uint8_t> png;
    EXPECT_TRUE(pngWriteArgbMemory(argb.data(), w, h, png));
    return png;
}

void writeScrambled(const char* path, std::vector<uint8_t> bytes) {
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(b + 0x80);
    ASSERT_TRUE(pfWriteAtomic(path, bytes.data(), bytes.size()));
}

std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 64x64 sheet whose top band holds the colours under test in 8x8 blocks, the rest opaque
// grey. (SDL's software triangles sample tiny textures coarsely; real sheets are large.)
std::vector<uint32_t> sheetWithRow(std::initializer_list<uint32_t> row) {
    std::vector<uint32_t> sheet(64 * 64, 0xFF808080);
    int block = 0;
    for (uint32_t c : row) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) sheet[static_cast<size_t>(y * 64 + block * 8 + x)] = c;
        ++block;
    }
    return sheet;
}

class Texture : public Canvas {
protected:
    void SetUp() override {
        Canvas::SetUp();
        // Named after the test, so that tests run side by side never share a file.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        logName = name + ".log";
        fileName = name + ".dat";
        logPath = logName.c_str();
        filePath = fileName.c_str();
        klOpen(logPath);
    }
    void TearDown() override {
        klClose();
        std::remove(logPath);
        std::remove(filePath);
        Canvas::TearDown();
    }

    // Draws the sheet's top band twice enlarged over white; block k is centred on 8 + 16k.
    void drawTopRow(int slot) {
        gSprite->kspDefineCell(0, slot, 64, 0, 0, 64, 8);
        kxClear(0xFFFFFF);
        gSprite->kspPut(0, 64.0f, 8.0f, 0.0f, 2.0f, 2.0f, 0xFFFFFFFF);
        flush(KBlend::Alpha);
    }

    std::string logName, fileName;
    const char* logPath = nullptr;
    const char* filePath = nullptr;
};
} // namespace

TEST_F(Texture, GreenKeyIsExactInSheetSlots) {
    writeScrambled(
        filePath,
        pngOf(sheetWithRow({0xFF00FF00, 0xFF00FE00, 0xFF01FF00, 0x8000FF00, 0xFF000000}), 64, 64));
    ASSERT_TRUE(kxLoadTextureP(filePath, 0xFF00FF00, 3));
    EXPECT_TRUE(kxHasTexture(3));
    drawTopRow(3);
    expectNear(8, 8, {255, 255, 255});  // exactly the key: see-through
    expectNear(24, 8, {0, 254, 0});     // one step of green away: opaque
    expectNear(40, 8, {1, 255, 0});     // one step of red away: opaque
    expectNear(56, 8, {128, 255, 128}); // same colour, half alpha: not the key, blends
    expectNear(72, 8, {0, 0, 0});       // black is no key on a sheet
    EXPECT_NE(readText(logPath).find(" SDL_CreateTextureFromSurface [OK]\n"), std::string::npos);
}

TEST_F(Texture, BlackKeyInSlotZero) {
    writeScrambled(filePath, pngOf(sheetWithRow({0xFF000000, 0xFF000001, 0xFF00FF00}), 64, 64));
    ASSERT_TRUE(kxLoadTextureP(filePath, 0xFF000000, 0));
    drawTopRow(0);
    expectNear(8, 8, {255, 255, 255});
    expectNear(24, 8, {0, 0, 1});
    expectNear(40, 8, {0, 255, 0});
}

TEST_F(Texture, PlainImageFileDoesNotDecode) {
    const std::vector<uint8_t> png = pngOf(sheetWithRow({0xFFFF0000}), 64, 64);
    ASSERT_TRUE(pfWriteAtomic(filePath, png.data(), png.size())); // not scrambled
    EXPECT_FALSE(kxLoadTextureP(filePath, 0xFF00FF00, 1));
    EXPECT_FALSE(kxHasTexture(1));
    const std::string log = readText(logPath);
    EXPECT_NE(log.find(" SDL_CreateTextureFromSurface [ERR]\n"), std::string::npos);
    EXPECT_NE(log.find(" [OK] TexArray  =1\n      TexHandle =0\n"), std::string::npos);
}

TEST_F(Texture, OccupiedSlotIsRefusedAndKeepsItsTexture) {
    writeScrambled(filePath, pngOf(sheetWithRow({0xFFFF0000}), 64, 64));
    ASSERT_TRUE(kxLoadTextureP(filePath, 0xFF00FF00, 3));
    writeScrambled(filePath, pngOf(sheetWithRow({0xFF0000FF}), 64, 64));
    EXPECT_FALSE(kxLoadTextureP(filePath, 0xFF00FF00, 3));
    EXPECT_NE(readText(logPath).find(" [ERR] TexArray used =3\n"), std::string::npos);
    drawTopRow(3);
    expectNear(8, 8, {255, 0, 0}); // still the first picture
}

TEST_F(Texture, MissingFileLeavesSlotEmptyAndSpritesUntextured) {
    EXPECT_FALSE(kxLoadTextureP("no_such_texture.dat", 0xFF00FF00, 5));
    EXPECT_FALSE(kxHasTexture(5));
    gSprite->kspDefineCell(0, 5, 64, 0, 0, 64, 8);
    kxClear(0x000000);
    gSprite->kspPut(0, 64.0f, 8.0f, 0.0f, 2.0f, 2.0f, 0xFF00FF00);
    flush(KBlend::Alpha);
    expectNear(8, 8, {0, 255, 0}); // the sprite's own colour
}

TEST_F(Texture, TruncatedImageIsRefused) {
    std::vector<uint8_t> png = pngOf(sheetWithRow({0xFFFF0000}), 64, 64);
    for (size_t keep : {png.size() / 2, size_t{40}, size_t{8}, size_t{0}}) {
        writeScrambled(filePath, std::vector<uint8_t>(png.begin(), png.begin() + keep));
        EXPECT_FALSE(kxLoadTextureP(filePath, 0xFF00FF00, 6)) << keep << " bytes";
        EXPECT_FALSE(kxHasTexture(6));
    }
}

TEST_F(Texture, AbsurdlyLargeImageIsRefusedBeforeDecoding) {
    std::vector<uint8_t> png = pngOf(sheetWithRow({0xFFFF0000}), 64, 64);
    // A well-formed header that claims 100000 x 100000 pixels.
    putBig32(&png[16], 100000);
    putBig32(&png[20], 100000);
    putBig32(&png[29], crc32(&png[12], 17));
    writeScrambled(filePath, png);
    EXPECT_FALSE(kxLoadTextureP(filePath, 0xFF00FF00, 7));
    EXPECT_FALSE(kxHasTexture(7));
    // The limit itself: a 4096-pixel edge loads, one more does not.
    writeScrambled(filePath, pngOf(std::vector<uint32_t>(4096, 0xFF123456), 4096, 1));
    EXPECT_TRUE(kxLoadTextureP(filePath, 0xFF00FF00, 8));
    writeScrambled(filePath, pngOf(std::vector<uint32_t>(4097, 0xFF123456), 4097, 1));
    EXPECT_FALSE(kxLoadTextureP(filePath, 0xFF00FF00, 9));
}
