#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bake.h"
#include "layout.h"
#include "png_io.h"
#include "sheet_fixture.h"

namespace fs = std::filesystem;

namespace {

fs::path freshDir(const char* name) {
    fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<uint8_t> bytesOf(const fs::path& p) {
    std::vector<uint8_t> b;
    pxReadFile(p.string(), b);
    return b;
}

} // namespace

TEST(PixelBake, SameSourcesGiveSameBytes) {
    PxSheets again;
    std::string err;
    ASSERT_TRUE(pxBuildSheets(PX_LAYOUT, again, err)) << err;
    for (int s = 0; s < kPxSlots; ++s) {
        std::vector<uint8_t> a, b;
        ASSERT_TRUE(pxEncodeTexture(stockSheets()[size_t(s)], a));
        ASSERT_TRUE(pxEncodeTexture(again[size_t(s)], b));
        EXPECT_EQ(a, b) << kPxSlotInfo[s].file;
    }
}

TEST(PixelBake, WritesOnlyMissingFilesUnlessForced) {
    fs::path dir = freshDir("zt_pixel_bake_test");
    // A texture the player replaced must survive an ordinary bake.
    { std::ofstream(dir / "chr.dat", std::ios::binary) << "mine"; }
    PxBakeResult r = pxBake(PX_LAYOUT, dir.string(), false);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.written.size(), size_t(kPxSlots - 1));
    EXPECT_EQ(bytesOf(dir / "chr.dat"), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));

    auto before = bytesOf(dir / "sys.dat");
    r = pxBake(PX_LAYOUT, dir.string(), false);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.written.empty());

    r = pxBake(PX_LAYOUT, dir.string(), true);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.written.size(), size_t(kPxSlots));
    EXPECT_GT(bytesOf(dir / "chr.dat").size(), 1000u);
    EXPECT_EQ(bytesOf(dir / "sys.dat"), before);
    fs::remove_all(dir);
}

TEST(PixelBake, TextureFileIsScrambledPngThatRoundTrips) {
    const PxImage& sheet = stockSheets()[3];
    std::vector<uint8_t> file, png;
    ASSERT_TRUE(pxEncodeTexture(sheet, file));
    ASSERT_TRUE(pngEncode(sheet, png));
    ASSERT_EQ(file.size(), png.size());
    for (size_t i = 0; i < png.size(); ++i) ASSERT_EQ(uint8_t(png[i] + 0x80), file[i]);

    PxImage back;
    ASSERT_TRUE(pxDecodeTexture(file, back));
    EXPECT_EQ(back.w, sheet.w);
    EXPECT_EQ(back.rgba, sheet.rgba);
    // The loader's own step is needed: the file is not a PNG as it stands.
    PxImage plain;
    EXPECT_FALSE(pngDecode(file.data(), file.size(), plain));
    EXPECT_FALSE(pxDecodeTexture(png, plain));
}

TEST(PixelBake, DamagedPngIsRefused) {
    std::vector<uint8_t> png;
    ASSERT_TRUE(pngEncode(stockSheets()[4], png));
    PxImage img;
    EXPECT_FALSE(pngDecode(png.data(), png.size() / 2, img));
    EXPECT_FALSE(pngDecode(png.data(), 7, img));
}

TEST(PixelLayout, ReportsBadLinesWithTheirNumber) {
    fs::path dir = freshDir("zt_pixel_layout_test");
    auto tryLayout = [&](const std::string& text) {
        { std::ofstream(dir / "layout.txt") << text; }
        std::vector<PxLayoutEntry> entries;
        std::string err;
        bool ok = pxReadLayout((dir / "layout.txt").string(), entries, err);
        return std::make_pair(ok ? entries.size() : size_t(0), ok ? std::string("ok") : err);
    };
    EXPECT_EQ(tryLayout("# only a comment\nsvg a.svg 3\nsvg b.svg 4-5  # strip\n").first, 2u);
    EXPECT_NE(tryLayout("svg a.svg 3\nsvg b.svg 9-4\n").second.find(":2:"), std::string::npos);
    EXPECT_NE(tryLayout("svg a.svg 3x\n").second.find("bad cell range"), std::string::npos);
    EXPECT_NE(tryLayout("png a.png 3\n").second.find("unknown kind"), std::string::npos);
    EXPECT_NE(tryLayout("svg a.svg\n").second.find("expected"), std::string::npos);

    // A strip over cells of different sizes is refused, not squeezed.
    { std::ofstream(dir / "layout.txt") << "svg missing.svg 5-6\n"; }
    PxSheets sheets;
    std::string err;
    EXPECT_FALSE(pxBuildSheets((dir / "layout.txt").string(), sheets, err));
    EXPECT_NE(err.find("differ"), std::string::npos) << err;
    fs::remove_all(dir);
}
