#pragma once
// KFFile: one open file with whole-buffer reads and writes, and the directory helpers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class KFFile {
public:
    enum : unsigned { Read = 1, Write = 2 };

    // Read opens an existing file; Write creates or truncates it.
    KFFile(const char* path, unsigned mode);
    ~KFFile();
    KFFile(const KFFile&) = delete;
    KFFile& operator=(const KFFile&) = delete;

    bool isOpen() const { return handle >= 0; }
    // Size in bytes; 0 when the file is not open or its size cannot be read.
    uint32_t size() const;
    // Bytes transferred; 0 on failure or when the file was not opened for that direction.
    uint32_t read(void* buffer, uint32_t count);
    uint32_t write(const void* buffer, uint32_t count);
    // The error number of the last open, read or write that failed; 0 when none did.
    int error() const { return lastError; }

private:
    unsigned mode;
    int handle;
    int lastError = 0;
};

// Saves a whole file: written beside it, flushed to the disk and renamed into place, so that a
// failure at any step leaves the previous file as it was. With noReplace an existing file is
// kept and the save fails. Logged like KFFile (" open [", " handle = ", the close) with every
// step's outcome, so a failed save can be found in the log.
// On failure errno tells why (EEXIST: noReplace and the name is taken).
bool kfSave(const char* path, const void* data, size_t size, bool noReplace = false);
// Removes the leftovers of saves cut short in `folder` (see pfRemoveStaleTemps) and logs each.
int kfRemoveStale(const char* folder);

bool kfChangeDir(const char* path);
// Empties list, then fills it with the bare names matching pattern (e.g. "*.rep"). Returns the
// count.
int kfFileList(const char* pattern, std::vector<std::string>& list);
bool kfExist(const char* pattern);
