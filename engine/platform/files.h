#pragma once
// Files and directories, the way the engine needs them: whole-file reads and writes through a
// handle, the current directory, and listing names that match a wildcard.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kPfInvalid = -1;

// read: open an existing file; write: create or truncate. Returns kPfInvalid on failure.
// A file opened only for reading comes from the data folder when the game root lacks it.
int pfOpen(const char* path, bool read, bool write);
void pfClose(int handle);
bool pfCloseChecked(int handle);
// Size in bytes, or -1 when it cannot be read.
long long pfSize(int handle);
// Bytes transferred, or -1 on failure.
long long pfRead(int handle, void* buffer, size_t count);
long long pfWrite(int handle, const void* buffer, size_t count);

bool pfChangeDir(const char* path);
std::string pfCurrentDir();
// Names (without directory) of the entries matching a pattern such as "rep/*.rep", in name order.
// "." and ".." are never listed.
std::vector<std::string> pfList(const char* pattern);

// The steps of a save, as pfWriteAtomic reports them to its hook.
// Claim: on a plain volume, the name was claimed and the rename comes next.
enum class PfStep { Open, Write, Flush, Close, Claim, Place };
// Called after each step: whether it worked, a value (the handle after Open, the bytes written
// after Write) and the error number of a failure (0 when there is none to tell).
using PfStepHook = void (*)(PfStep step, bool ok, long long value, int error);

// Writes a whole file to a temporary file in the same folder, flushes it to the disk, then
// renames it into place and flushes the folder, so that a crash, a full disk or a failed write
// never leaves a half file and never costs the previous one. The temporary file has a name of its
// own (pfIsStaleTemp knows the pattern), is made with O_EXCL and O_NOFOLLOW, so a link planted
// under that name is never followed, and gets the mode of the file it replaces. With noReplace an
// existing file is kept and the call fails with errno EEXIST, also on volumes without hard links
// or rename-without-replace (FAT, exFAT, network mounts). On failure errno tells why.
bool pfWriteAtomic(const char* path, const void* data, size_t size, bool noReplace = false,
                   PfStepHook hook = nullptr);

// Where the files live in memory until they are written through to storage of their own (the
// browser's): called after every save that reached its place, and the save reports success only
// when it returns true (errno EIO otherwise). None by default: a save on a disk is stored already.
using PfPersist = bool (*)();
void pfSetPersist(PfPersist persist);

// Removes what saves of this program left in `folder` when they were cut short: temporary files
// and name claims whose process is gone. Those of a copy of the game still running are kept.
// Returns the names removed.
std::vector<std::string> pfRemoveStaleTemps(const char* folder);
// Whether `name` in `folder` is such a leftover: of this program's pattern, its process gone.
bool pfIsStaleTemp(const std::string& folder, const std::string& name);
// Test seam: told of every step of every save after the save's own hook, so that a test can cut
// a save short at any step (a child process that ends there acts out a crash).
void pfWatchSteps(PfStepHook watcher);
// Test seam: the temporary name the next save of `path` tries first.
std::string pfNextTempName(const char* path);

// Test seam: faults the file layer acts out, so that every save can be shown to survive them.
enum class PfFault {
    None,
    WriteError,  // a write fails outright (EIO)
    ShortWrite,  // a write stops halfway and reports the bytes it wrote
    DiskFull,    // a write fails with ENOSPC after filling what it could
    FlushError,  // the flush to the disk fails (EIO)
    RenameError, // putting the file in place fails (EIO)
    ReadError,   // a read fails (EIO)
    OpenError,   // making a save's temporary file or name claim fails (EACCES)
    CloseError,  // closing a save's temporary file fails (EIO)
};
// The fault strikes the nth call of its kind from now on (1 = the next), once.
void pfInjectFault(PfFault fault, int nth = 1);
// How many calls a fault of this kind could have struck since the last reset (a save's writes,
// say), so that a test can strike each of them in turn.
int pfFaultPoints(PfFault fault);
void pfResetFaultPoints();
// A save writes in pieces of this many bytes at most.
constexpr size_t kPfWritePiece = 4096;
// Acts out a volume with neither hard links nor rename-without-replace (FAT or exFAT mounted
// through FUSE, some network mounts).
void pfSimulatePlainVolume(bool plain);

// The installed game's pictures, sounds and texts stay in a read-only data folder while the
// player's files live in the game root. Empty (the default) means the root holds everything.
void pfSetDataDir(const std::string& dir);
std::string pfDataDir();
// Where a file to be read is: the path itself when it exists or is absolute, else the same
// relative path under the data folder when that exists there.
std::string pfDataPath(const char* path);
