#include "glyphs.h"

#include <iconv.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <vector>

namespace {

// Sets a glyph pixel in white, and a soft dark shadow one pixel down and right where the glyph
// itself has no pixel.
void plotGlyph(PxImage& sheet, int x0, int y0, int w, int h, const std::vector<bool>& bits) {
    auto on = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && bits[size_t(y) * w + x];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = sheet.at(x0 + x, y0 + y);
            if (on(x, y)) {
                p[0] = p[1] = p[2] = 255, p[3] = 255;
            } else if (on(x - 1, y - 1) || on(x - 1, y) || on(x, y - 1)) {
                p[0] = 8, p[1] = 10, p[2] = 24, p[3] = 200;
            }
        }
}

bool readGz(const std::string& path, std::vector<uint8_t>& out) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t buf[4096];
    int n;
    while ((n = gzread(f, buf, sizeof buf)) > 0) out.insert(out.end(), buf, buf + n);
    gzclose(f);
    return n == 0;
}

} // namespace

bool pxDrawConsoleFont(const std::string& psfGzPath, PxImage& sheet, int x0, int y0,
                       std::string& err) {
    std::vector<uint8_t> psf;
    if (!readGz(psfGzPath, psf) || psf.size() < 4 || psf[0] != 0x36 || psf[1] != 0x04) {
        err = psfGzPath + ": not a PSF1 font";
        return false;
    }
    int mode = psf[2], height = psf[3];
    size_t glyphs = (mode & 1) ? 512 : 256;
    if (height < 8 || psf.size() < 4 + glyphs * height) {
        err = psfGzPath + ": truncated or too small font";
        return false;
    }
    // The optional Unicode table says which glyph shows which character.
    std::map<unsigned, size_t> glyphOf;
    if (mode & 2) {
        size_t pos = 4 + glyphs * height;
        for (size_t g = 0; g < glyphs && pos + 1 < psf.size(); ++g) {
            while (pos + 1 < psf.size()) {
                unsigned u = psf[pos] | (psf[pos + 1] << 8);
                pos += 2;
                if (u == 0xFFFF) break;
                if (u != 0xFFFE && !glyphOf.count(u)) glyphOf[u] = g;
            }
        }
    }
    for (unsigned code = 32; code < 128; ++code) {
        size_t g = code;
        if (mode & 2) {
            auto it = glyphOf.find(code);
            if (it == glyphOf.end()) continue;
            g = it->second;
        }
        // An 8-row cell takes the glyph's rows centred on its body; 8x8 fonts map one to one.
        int skip = (height - 8) / 2;
        std::vector<bool> bits(64);
        for (int y = 0; y < 8; ++y) {
            uint8_t row = psf[4 + g * height + size_t(y + skip)];
            for (int x = 0; x < 8; ++x) bits[size_t(y) * 8 + x] = row & (0x80 >> x);
        }
        int n = int(code) - 32;
        plotGlyph(sheet, x0 + 8 * (n % 16), y0 + 8 * (n / 16), 8, 8, bits);
    }
    return true;
}

unsigned pxSjisToUnicode(int lead, int trail) {
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == iconv_t(-1)) return 0;
    char in[2] = {char(lead), char(trail)};
    unsigned char outBuf[8] = {};
    char* ip = in;
    char* op = reinterpret_cast<char*>(outBuf);
    size_t il = 2, ol = sizeof outBuf;
    size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == size_t(-1) || il != 0 || ol != 4) return 0;
    return outBuf[0] | (outBuf[1] << 8) | (outBuf[2] << 16) | (unsigned(outBuf[3]) << 24);
}

bool pxDrawUnifontGlyphs(const std::string& hexPath, int firstCode, int count, PxImage& sheet,
                         int x0, int y0, std::string& err) {
    std::map<unsigned, int> wanted; // code point -> cell index
    for (int n = 0; n < count; ++n) {
        int code = firstCode + n;
        unsigned u = pxSjisToUnicode(code >> 8, code & 0xFF);
        if (u != 0 && !wanted.count(u)) wanted[u] = n;
    }
    std::ifstream in(hexPath);
    if (!in) {
        err = "cannot read " + hexPath;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        unsigned u = unsigned(std::strtoul(line.substr(0, colon).c_str(), nullptr, 16));
        auto it = wanted.find(u);
        if (it == wanted.end()) continue;
        std::string hex = line.substr(colon + 1);
        int w = hex.size() >= 64 ? 16 : 8; // 32 digits: a half-width 8x16 glyph
        std::vector<bool> bits(256);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < w; ++x) {
                size_t bit = size_t(y) * w + x;
                int digit = std::stoi(hex.substr(bit / 4, 1), nullptr, 16);
                // Half-width glyphs sit in the middle of the 16-pixel cell.
                bits[size_t(y) * 16 + x + (16 - w) / 2] = digit & (8 >> (bit % 4));
            }
        int n = it->second;
        plotGlyph(sheet, x0 + 16 * (n % 32), y0 + 16 * (n / 32), 16, 16, bits);
    }
    return true;
}
