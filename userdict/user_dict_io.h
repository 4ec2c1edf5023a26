// What the user dictionary needs of the operating system: an open regular file read and written
// at offsets, appends that land at the real end of the file whoever else writes it, byte-range
// locks that other processes respect, and removal of the file while it is locked.
// user_dict_io_posix.cpp and user_dict_io_win.cpp implement it.
#pragma once

#include <cstddef>
#include <cstdint>

struct UserDictHandle;

enum class UserDictOpenError {
    kNone,
    kMissing,       // no such file (and it was not to be created)
    kDirectory,     // the name is a directory
    kNotRegular,    // a device, a pipe or anything else that is not a plain file
    kNoPermission,  // the system does not let this user open it so
    kCannotOpen,    // any other refusal (permissions, a full or read-only disk, a bad name)
};

// Opens a regular file, read-only or read-write; `create` makes a missing file (read-write
// only). nullptr and the reason when it cannot be opened. Opening never blocks on a pipe.
UserDictHandle* OpenUserDictHandle(const char* path, bool writable, bool create,
                                   UserDictOpenError* error);
void CloseUserDictHandle(UserDictHandle* handle);

// Reads up to `count` bytes at `offset` into `buffer`; `*got` is 0 past the end. False on a read
// error.
bool ReadUserDictAt(UserDictHandle* handle, uint64_t offset, void* buffer, size_t count,
                    size_t* got);
// Writes all `count` bytes at `offset`; false when any of them could not be written.
bool WriteUserDictAt(UserDictHandle* handle, uint64_t offset, const void* data, size_t count);
// Writes all `count` bytes at the end of the file as it is at the moment of writing (append
// mode) and reports the offset where they landed; false when any of them could not be written.
bool AppendUserDict(UserDictHandle* handle, const void* data, size_t count, uint64_t* landedAt);
// Cuts the file to `size` bytes.
bool TruncateUserDict(UserDictHandle* handle, uint64_t size);
bool UserDictSize(UserDictHandle* handle, uint64_t* size);

// An exclusive lock on a byte range (which may lie past the end of the file), waiting for other
// processes' locks on it to go. Read-write handles only.
bool LockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length);
void UnlockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length);

// False when the file this handle holds was removed (or is being removed) since it was opened,
// or `path` now names another file.
bool IsUserDictStillNamed(UserDictHandle* handle, const char* path);
// Removes the file at `path`, which this handle holds; the caller holds the lock that keeps
// other writers out.
bool RemoveUserDictFile(UserDictHandle* handle, const char* path);
