#include "../files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string dataDir;
} // namespace

void pfSetDataDir(const std::string& dir) {
    dataDir = dir;
}

std::string pfDataPath(const char* path) {
    if (dataDir.empty() || path[0] == '/' || ::access(path, F_OK) == 0) return path;
    std::string there = dataDir + "/" + path;
    return ::access(there.c_str(), F_OK) == 0 ? there : path;
}

int pfOpen(const char* path, bool read, bool write) {
    const std::string source = write ? std::string(path) : pfDataPath(path);
    int flags = O_CLOEXEC;
    if (read && write)
        flags |= O_RDWR;
    else if (write)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (write) flags |= O_CREAT | O_TRUNC;
    int fd = ::open(source.c_str(), flags, 0644);
    if (fd < 0) return kPfInvalid;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return kPfInvalid;
    }
    return fd;
}

void pfClose(int handle) {
    if (handle >= 0) ::close(handle);
}

bool pfCloseChecked(int handle) {
    return handle >= 0 && ::close(handle) == 0;
}

long long pfSize(int handle) {
    struct stat st {};
    if (handle < 0 || ::fstat(handle, &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
}

long long pfRead(int handle, void* buffer, size_t count) {
    size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(handle, p + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<long long>(done);
}

long long pfWrite(int handle, const void* buffer, size_t count) {
    size_t done = 0;
    auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = ::write(handle, p + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -1;
        done += static_cast<size_t>(n);
    }
    return static_cast<long long>(done);
}

bool pfChangeDir(const char* path) {
    return ::chdir(path) == 0;
}

std::string pfCurrentDir() {
    char buf[4096];
    if (!::getcwd(buf, sizeof buf)) return {};
    return buf;
}

std::vector<std::string> pfList(const char* pattern) {
    std::string p = pattern;
    std::string dir = ".";
    std::string mask = p;
    if (auto slash = p.find_last_of('/'); slash != std::string::npos) {
        dir = slash == 0 ? "/" : p.substr(0, slash);
        mask = p.substr(slash + 1);
    }
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (::fnmatch(mask.c_str(), name.c_str(), FNM_PERIOD) == 0) names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

bool pfWriteAtomic(const char* path, const void* data, size_t size, bool noReplace) {
    std::string tmp = std::string(path) + ".tmp" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = pfWrite(fd, data, size) == static_cast<long long>(size) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        if (noReplace) {
            // link() fails when the target exists, so an existing file is never replaced.
            ok = ::link(tmp.c_str(), path) == 0;
            ::unlink(tmp.c_str());
            return ok;
        }
        ok = ::rename(tmp.c_str(), path) == 0;
    }
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}
