#include "file.h"

#include <cerrno>
#include <cstring>

#include "log.h"
#include "platform/files.h"

KFFile::KFFile(const char* path, unsigned mode_) : mode(mode_), handle(kPfInvalid) {
    klWrite("<KFFile::KFFile>\n");
    klWrite(std::string(" open [") + path + "]\n");
    handle = pfOpen(path, mode & Read, mode & Write);
    if (handle < 0) lastError = errno;
    klHex(" handle = ", handle >= 0 ? static_cast<uint32_t>(handle) : 0xffffffffu);
}

KFFile::~KFFile() {
    klWrite("<KFFile::~KFFile>\n");
    if (isOpen()) {
        klWrite(" Try CloseHandle");
        klWrite(pfCloseChecked(handle) ? " [OK]\n" : " [NG]\n");
    }
}

uint32_t KFFile::size() const {
    if (!isOpen()) return 0;
    long long n = pfSize(handle);
    if (n < 0 || n > 0xffffffffLL) return 0;
    return static_cast<uint32_t>(n);
}

uint32_t KFFile::read(void* buffer, uint32_t count) {
    if (!(mode & Read)) {
        klWrite(" [Access Error]\n");
        return 0;
    }
    if (!isOpen()) return 0;
    long long n = pfRead(handle, buffer, count);
    if (n < 0) lastError = errno;
    return n < 0 ? 0 : static_cast<uint32_t>(n);
}

uint32_t KFFile::write(const void* buffer, uint32_t count) {
    if (!(mode & Write)) {
        klWrite(" [Access Error]\n");
        return 0;
    }
    if (!isOpen()) return 0;
    long long n = pfWrite(handle, buffer, count);
    if (n < 0) lastError = errno;
    return n < 0 ? 0 : static_cast<uint32_t>(n);
}

namespace {
void logSaveStep(PfStep step, bool ok, long long value, int error) {
    switch (step) {
    case PfStep::Open:
        klHex(" handle = ", ok ? static_cast<uint32_t>(value) : 0xffffffffu);
        break;
    case PfStep::Write:
        klWrite(ok ? " Try WriteFile [OK]\n" : " Try WriteFile [NG]\n");
        if (!ok && value >= 0) klValue(" written = ", value);
        break;
    case PfStep::Flush:
        klWrite(ok ? " Try FlushFileBuffers [OK]\n" : " Try FlushFileBuffers [NG]\n");
        break;
    case PfStep::Close:
        klWrite(ok ? " Try CloseHandle [OK]\n" : " Try CloseHandle [NG]\n");
        break;
    case PfStep::Claim:
        klWrite(" Try CreateFile claim [OK]\n");
        break;
    case PfStep::Place:
        klWrite(ok ? " Try MoveFile [OK]\n" : " Try MoveFile [NG]\n");
        break;
    }
    if (!ok && error != 0) klWrite(std::string(" (") + std::strerror(error) + ")\n");
}
} // namespace

bool kfSave(const char* path, const void* data, size_t size, bool noReplace) {
    klWrite("<kfSave>\n");
    klWrite(std::string(" open [") + path + "]\n");
    const bool ok = pfWriteAtomic(path, data, size, noReplace, logSaveStep);
    return ok; // errno still tells the caller why: nothing logs after the last step
}

int kfRemoveStale(const char* folder) {
    const std::vector<std::string> removed = pfRemoveStaleTemps(folder);
    if (removed.empty()) return 0;
    klWrite("<kfRemoveStale>\n");
    for (const std::string& name : removed)
        klWrite(std::string(" removed ") + folder + "/" + name +
                ", left by a save that was cut short\n");
    return static_cast<int>(removed.size());
}

bool kfChangeDir(const char* path) {
    klWrite("<kfChangeDir>\n");
    klWrite(std::string(" Try change directry ") + path + "\n");
    bool ok = pfChangeDir(path);
    klWrite(ok ? " [OK]\n" : " [NG]\n");
    return ok;
}

int kfFileList(const char* pattern, std::vector<std::string>& list) {
    list.clear();
    klWrite("<kfFileList>\n");
    list = pfList(pattern);
    klValue(" File Num ", static_cast<long long>(list.size()));
    return static_cast<int>(list.size());
}

bool kfExist(const char* pattern) {
    std::vector<std::string> list;
    return kfFileList(pattern, list) > 0;
}
