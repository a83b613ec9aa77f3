#include "../files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string dataDir;
PfFault pendingFault = PfFault::None;
int faultCountdown = 0;
bool plainVolume = false;

// The pending fault when it is one of `kinds` and this call is the one it strikes; else None.
PfFault strike(std::initializer_list<PfFault> kinds) {
    if (std::find(kinds.begin(), kinds.end(), pendingFault) == kinds.end()) return PfFault::None;
    if (--faultCountdown > 0) return PfFault::None;
    const PfFault fault = pendingFault;
    pendingFault = PfFault::None;
    return fault;
}
} // namespace

void pfInjectFault(PfFault fault, int nth) {
    pendingFault = fault;
    faultCountdown = nth;
}

void pfSimulatePlainVolume(bool plain) {
    plainVolume = plain;
}

void pfSetDataDir(const std::string& dir) {
    dataDir = dir;
}

std::string pfDataDir() {
    return dataDir;
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
    if (strike({PfFault::ReadError}) != PfFault::None) {
        errno = EIO;
        return -1;
    }
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
    const PfFault fault = strike({PfFault::WriteError, PfFault::ShortWrite, PfFault::DiskFull});
    if (fault == PfFault::WriteError) {
        errno = EIO;
        return -1;
    }
    // A short write or a full disk still puts the first half down, as a real one would.
    const size_t limit = fault == PfFault::None ? count : count / 2;
    size_t done = 0;
    auto* p = static_cast<const char*>(buffer);
    while (done < limit) {
        ssize_t n = ::write(handle, p + done, limit - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break; // nothing more goes in: the caller sees the short count
        done += static_cast<size_t>(n);
    }
    if (fault == PfFault::DiskFull) {
        errno = ENOSPC;
        return -1;
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

namespace {
int renameFile(const char* from, const char* to) {
    if (strike({PfFault::RenameError}) != PfFault::None) return EIO;
    return ::rename(from, to) == 0 ? 0 : errno;
}

// Puts the written temporary file in place; 0 or the error number.
int place(const char* temp, const char* path, bool noReplace) {
    if (!noReplace) return renameFile(temp, path);
    if (!plainVolume) {
        if (strike({PfFault::RenameError}) != PfFault::None) return EIO;
        if (::renameat2(AT_FDCWD, temp, AT_FDCWD, path, RENAME_NOREPLACE) == 0) return 0;
        const int e = errno;
        if (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP) return e; // EEXIST among them
    }
    // The volume cannot rename without replacing (and may have no hard links either): claim the
    // name with an exclusive create, then rename over the claim, which is ours alone.
    const int claim = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (claim < 0) return errno;
    ::close(claim);
    const int e = renameFile(temp, path);
    if (e != 0) ::unlink(path);
    return e;
}

// Makes the rename itself survive a power cut; a volume that cannot flush a folder is no error.
void flushFolder(const char* path) {
    std::string dir = path;
    const size_t slash = dir.find_last_of('/');
    dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : dir.substr(0, slash));
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

bool pfWriteAtomic(const char* path, const void* data, size_t size, bool noReplace,
                   PfStepHook hook) {
    const auto report = [hook](PfStep step, bool ok, long long value, int error) {
        if (hook) hook(step, ok, value, ok ? 0 : error);
        return ok;
    };
    const std::string temp = std::string(path) + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (!report(PfStep::Open, fd >= 0, fd, errno)) return false;
    errno = 0;
    const long long written = pfWrite(fd, data, size);
    bool ok = report(PfStep::Write, written == static_cast<long long>(size), written, errno);
    if (ok) {
        int error = 0;
        if (strike({PfFault::FlushError}) != PfFault::None)
            error = EIO;
        else if (::fsync(fd) != 0)
            error = errno;
        ok = report(PfStep::Flush, error == 0, 0, error);
    }
    const bool closed = ::close(fd) == 0;
    ok = report(PfStep::Close, closed, 0, errno) && ok;
    if (ok) {
        const int e = place(temp.c_str(), path, noReplace);
        ok = report(PfStep::Place, e == 0, 0, e);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    flushFolder(path);
    return true;
}
