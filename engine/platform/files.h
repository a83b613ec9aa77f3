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

// Writes a whole file through a temporary name and renames it into place, so that a crash or
// a full disk never leaves a half-written file. With noReplace an existing file is kept and the
// call fails.
bool pfWriteAtomic(const char* path, const void* data, size_t size, bool noReplace = false);

// The installed game's pictures, sounds and texts stay in a read-only data folder while the
// player's files live in the game root. Empty (the default) means the root holds everything.
void pfSetDataDir(const std::string& dir);
// Where a file to be read is: the path itself when it exists or is absolute, else the same
// relative path under the data folder when that exists there.
std::string pfDataPath(const char* path);
