// The engine's own small file layer. Dictionary files are read through it on every platform
// (portable C stdio underneath), and tests and the fuzzer can hand it bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>

struct DictFile;

enum class DictFileMode {
    kRead,       // read-only; reads are served through a private read-ahead window
    kReadWrite,  // existing file, read and write, no read-ahead (used for the user dictionary)
    kCreate,     // create or truncate, read and write
};

// Why a file did not open.
enum class OpenFailure {
    kNone,
    kMissing,         // no such file
    kNotRegularFile,  // a directory, FIFO, device or socket: never opened, never waited on
    kNoPermission,
    kTooManyOpenFiles,
    kOther,
};

// Opens a regular file; nullptr when it cannot be opened, with the reason in `failure` when
// given. Anything but a regular file is refused without blocking (a FIFO would wait for a
// writer for ever, a directory reads as an endless file).
DictFile* OpenDictFile(const char* path, DictFileMode mode, OpenFailure* failure = nullptr);
// The reason in words, for messages: "no such file", "not a regular file", ...
const char* DescribeOpenFailure(OpenFailure failure);
// A read-only file over bytes the caller keeps alive while it is open. Reads that reach
// `failFrom` (when not SIZE_MAX) report an error, so tests can play a failing disk.
DictFile* OpenMemoryDictFile(const void* data, size_t size, size_t failFrom = SIZE_MAX);
// Closes and frees; nullptr is allowed.
void CloseDictFile(DictFile* file);

// Moves the read/write position; false when the position cannot be reached. Positions past
// the end are allowed and read nothing.
bool SeekDictFile(DictFile* file, uint64_t offset);
uint64_t TellDictFile(const DictFile* file);
uint64_t DictFileSize(const DictFile* file);

enum class ReadStatus { kOk, kError };
// Reads up to `count` bytes at the current position; returns the bytes read (fewer at the end
// of the file). `status` becomes kError when the system reported a read error.
size_t ReadDictFile(DictFile* file, void* buffer, size_t count, ReadStatus* status);
// Writes at the current position and flushes; returns the bytes written, 0 when the system
// refused them (a full disk shows up at the flush).
size_t WriteDictFile(DictFile* file, const void* data, size_t count);
// Cuts a writable file to `size` bytes (undoing a failed append); false when it cannot.
bool TruncateDictFile(DictFile* file, uint64_t size);
