#include "../files.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
constexpr int faultKinds = static_cast<int>(PfFault::CloseError) + 1;
int faultPoints[faultKinds] = {};

// The pending fault when it is one of `kinds` and this call is the one it strikes; else None.
PfFault strike(std::initializer_list<PfFault> kinds) {
    for (PfFault k : kinds) faultPoints[static_cast<int>(k)] += 1;
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

int pfFaultPoints(PfFault fault) {
    return faultPoints[static_cast<int>(fault)];
}

void pfResetFaultPoints() {
    for (int& n : faultPoints) n = 0;
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
// Temporary files are "<name>.tmp<pid>-<n>"; a name claim on a plain volume is
// "<name>.tmpclaim" and holds the claimer's pid. Older versions left "<name>.tmp<pid>".
constexpr const char* tempMark = ".tmp";
constexpr const char* claimMark = ".tmpclaim";
// Atomic: the bakes save from several threads.
std::atomic<unsigned> tempSequence{0};
PfStepHook stepWatcher = nullptr;

std::string tempName(const char* path) {
    return std::string(path) + tempMark + std::to_string(::getpid()) + "-" +
           std::to_string(++tempSequence);
}

// A new file of ours alone: never an existing one, never through a link.
int openNew(const std::string& path, mode_t mode) {
    if (strike({PfFault::OpenError}) != PfFault::None) {
        errno = EACCES;
        return -1;
    }
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

int closeTemp(int fd) {
    const bool struck = strike({PfFault::CloseError}) != PfFault::None;
    const int result = ::close(fd);
    if (struck) {
        errno = EIO;
        return -1;
    }
    return result;
}

int renameFile(const char* from, const char* to) {
    if (strike({PfFault::RenameError}) != PfFault::None) return EIO;
    return ::rename(from, to) == 0 ? 0 : errno;
}

PfPersist persistHook = nullptr;

bool processAlive(long pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Puts the written temporary file in place; 0 or the error number. `claimed` is told when a
// plain volume's name claim is made.
template <typename Claimed>
int place(const char* temp, const char* path, bool noReplace, Claimed claimed) {
    if (!noReplace) return renameFile(temp, path);
#ifndef __EMSCRIPTEN__ // the browser's file system has no rename-without-replace
    if (!plainVolume) {
        if (strike({PfFault::RenameError}) != PfFault::None) return EIO;
        if (::renameat2(AT_FDCWD, temp, AT_FDCWD, path, RENAME_NOREPLACE) == 0) return 0;
        const int e = errno;
        if (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP) return e; // EEXIST among them
    }
#endif
    // The volume cannot rename without replacing (and may have no hard links either). The name
    // is claimed beside it, not under it: a claim file no listing of the name's kind shows. Under
    // the claim, a name still free is ours, and the rename puts the whole file there at once. A
    // crash leaves the claim and the temporary file, both removed at the next start, and never an
    // empty file under the name itself.
    const std::string claim = std::string(path) + claimMark;
    const int fd = openNew(claim, 0644);
    if (fd < 0) return errno == EEXIST ? EEXIST : errno; // another save is placing this name
    const std::string pid = std::to_string(::getpid());
    const bool noted = ::write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
    ::close(fd);
    claimed();
    int e = 0;
    struct stat st {};
    if (!noted)
        e = EIO;
    else if (::lstat(path, &st) == 0)
        e = EEXIST;
    else if (errno != ENOENT)
        e = errno;
    else
        e = renameFile(temp, path);
    ::unlink(claim.c_str());
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
        if (stepWatcher) stepWatcher(step, ok, value, ok ? 0 : error);
        return ok;
    };
    // The file it replaces keeps its mode (a player's read-only score table stays so).
    struct stat old {};
    const mode_t mode =
        ::stat(path, &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 07777 : 0644;
    // A name that is taken (a link planted there, say) is passed over, never opened.
    std::string temp;
    int fd = -1;
    for (int tries = 0; tries < 100 && fd < 0; ++tries) {
        temp = tempName(path);
        fd = openNew(temp, mode);
        if (fd < 0 && errno != EEXIST) break;
    }
    const int openError = errno;
    if (!report(PfStep::Open, fd >= 0, fd, openError)) {
        errno = openError;
        return false;
    }
    if (mode != 0644) ::fchmod(fd, mode); // the mode asked at open time passed through the umask
    int error = 0;
    long long written = 0, last = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (error == 0 && static_cast<size_t>(written) < size) {
        const size_t piece = std::min(kPfWritePiece, size - static_cast<size_t>(written));
        errno = 0;
        last = pfWrite(fd, bytes + written, piece);
        if (last > 0) written += last;
        // A short count without an error number is a write that stopped: no room left.
        if (last != static_cast<long long>(piece)) error = errno != 0 ? errno : ENOSPC;
    }
    // The count written is told only when the last write told one.
    bool ok = report(PfStep::Write, error == 0, last < 0 ? -1 : written, error);
    if (ok) {
        if (strike({PfFault::FlushError}) != PfFault::None)
            error = EIO;
        else if (::fsync(fd) != 0)
            error = errno;
        ok = report(PfStep::Flush, error == 0, 0, error);
    }
    const bool closed = closeTemp(fd) == 0;
    if (!closed && error == 0) error = errno;
    ok = report(PfStep::Close, closed, 0, errno) && ok;
    if (ok) {
        error = place(temp.c_str(), path, noReplace, [&] { report(PfStep::Claim, true, 0, 0); });
        ok = report(PfStep::Place, error == 0, 0, error);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        errno = error != 0 ? error : EIO;
        return false;
    }
    flushFolder(path);
    if (persistHook && !persistHook()) {
        errno = EIO;
        return false;
    }
    return true;
}

void pfSetPersist(PfPersist persist) {
    persistHook = persist;
}

std::string pfNextTempName(const char* path) {
    return std::string(path) + tempMark + std::to_string(::getpid()) + "-" +
           std::to_string(tempSequence + 1);
}

void pfWatchSteps(PfStepHook watcher) {
    stepWatcher = watcher;
}

bool pfIsStaleTemp(const std::string& folder, const std::string& name) {
    const size_t mark = name.rfind(tempMark);
    if (mark == std::string::npos || mark == 0) return false;
    const std::string tail = name.substr(mark + std::strlen(tempMark));
    long pid = 0;
    if (tail == claimMark + std::strlen(tempMark)) {
        // A claim holds the pid of its save.
        char text[32] = {};
        const int fd = ::open((folder + "/" + name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            const ssize_t n = ::read(fd, text, sizeof text - 1);
            ::close(fd);
            if (n > 0) pid = std::strtol(text, nullptr, 10);
        }
    } else {
        // digits, or digits '-' digits
        size_t i = 0;
        while (i < tail.size() && std::isdigit(static_cast<unsigned char>(tail[i]))) ++i;
        if (i == 0) return false;
        if (i < tail.size()) {
            if (tail[i] != '-' || i + 1 == tail.size()) return false;
            for (size_t j = i + 1; j < tail.size(); ++j)
                if (!std::isdigit(static_cast<unsigned char>(tail[j]))) return false;
        }
        pid = std::strtol(tail.c_str(), nullptr, 10);
    }
    return pid != ::getpid() && !processAlive(pid);
}

std::vector<std::string> pfRemoveStaleTemps(const char* folder) {
    std::vector<std::string> removed;
    DIR* d = ::opendir(folder);
    if (!d) return removed;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d)) names.push_back(e->d_name);
    ::closedir(d);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!pfIsStaleTemp(folder, name)) continue;
        const std::string full = std::string(folder) + "/" + name;
        struct stat st {};
        // Only plain files: a folder or a link of that name is not ours to touch.
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (::unlink(full.c_str()) == 0) removed.push_back(name);
    }
    return removed;
}
