#include "data/bytes.h"

#include <cerrno>

#include "file.h"

bool ztReadWholeFile(const char* path, size_t limit, std::vector<uint8_t>& out, int* error) {
    out.clear();
    KFFile file(path, KFFile::Read);
    if (!file.isOpen()) {
        if (error) *error = file.error();
        return false;
    }
    size_t want = file.size();
    if (want > limit) want = limit;
    out.resize(want);
    const uint32_t got = want ? file.read(out.data(), static_cast<uint32_t>(want)) : 0;
    // A read that comes up short (a failing disk, a file cut under us) is not taken for the file.
    if (got != want) {
        out.clear();
        if (error) *error = file.error() != 0 ? file.error() : EIO; // a short read: cut under us
        return false;
    }
    return true;
}
