#include "bake.h"

#include "png_io.h"
#include "sheets.h"

namespace {

bool exists(const std::string& path) {
    std::vector<uint8_t> bytes;
    return pxReadFile(path, bytes);
}

} // namespace

PxBakeResult pxBake(const std::string& layoutPath, const std::string& outDir, bool force) {
    PxBakeResult result;
    bool missing = false;
    for (const PxSlotInfo& s : kPxSlotInfo) missing |= !exists(outDir + "/" + s.file);
    if (!force && !missing) {
        result.ok = true;
        return result;
    }
    PxSheets sheets;
    if (!pxBuildSheets(layoutPath, sheets, result.error)) return result;
    for (int s = 0; s < kPxSlots; ++s) {
        std::string path = outDir + "/" + kPxSlotInfo[s].file;
        if (!force && exists(path)) continue;
        std::vector<uint8_t> bytes;
        if (!pxEncodeTexture(sheets[size_t(s)], bytes) || !pxWriteFile(path, bytes)) {
            result.error = "cannot write " + path;
            return result;
        }
        result.written.push_back(path);
    }
    result.ok = true;
    return result;
}
