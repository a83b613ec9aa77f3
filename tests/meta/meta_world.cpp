#include "meta_world.h"

#include <iconv.h>

#include <filesystem>
#include <fstream>

#include "files.h"

std::string toShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return {};
    out.resize(out.size() - outLeft);
    return out;
}

namespace {
std::string sourcePath(int n, const char* folder) {
    return std::string(ZT_TEXT_DIR) + "/" + folder + "/kaiwa" + std::to_string(n) + ".txt";
}
} // namespace

std::vector<std::string> sourceLines(int n, const char* folder) {
    std::ifstream file(sourcePath(n, folder));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

void writeConversations() {
    writeStockTexts();
}

int ObjectBench::queued(int cell) const {
    int n = 0;
    for (int c : lastCells) n += c == cell;
    return n;
}
