#include "file.h"

#include "log.h"
#include "platform/files.h"

KFFile::KFFile(const char* path, unsigned mode_) : mode(mode_), handle(kPfInvalid) {
    klWrite("<KFFile::KFFile>\n");
    klWrite(std::string(" open [") + path + "]\n");
    handle = pfOpen(path, mode & Read, mode & Write);
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
    return n < 0 ? 0 : static_cast<uint32_t>(n);
}

uint32_t KFFile::write(const void* buffer, uint32_t count) {
    if (!(mode & Write)) {
        klWrite(" [Access Error]\n");
        return 0;
    }
    if (!isOpen()) return 0;
    long long n = pfWrite(handle, buffer, count);
    return n < 0 ? 0 : static_cast<uint32_t>(n);
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
