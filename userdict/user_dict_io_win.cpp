#include <windows.h>

#include "userdict/user_dict_io.h"

struct UserDictHandle {
    HANDLE file = INVALID_HANDLE_VALUE;
};

namespace {

// Every handle lets others read, write and remove the file: an editing session in the
// program and one in the shell tool share it, and the lock decides who acts.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

OVERLAPPED At(uint64_t offset) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION x, y;
    return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace

UserDictHandle* OpenUserDictHandle(const char* path, bool writable, bool create,
                                   UserDictOpenError* error) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = UserDictOpenError::kDirectory;
        return nullptr;
    }
    DWORD access = GENERIC_READ | (writable ? GENERIC_WRITE : 0);
    DWORD how = writable && create ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE file =
        CreateFileA(path, access, kShareAll, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        *error = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                     ? UserDictOpenError::kMissing
                 : code == ERROR_ACCESS_DENIED ? UserDictOpenError::kNoPermission
                                               : UserDictOpenError::kCannotOpen;
        return nullptr;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        *error = UserDictOpenError::kNotRegular;
        return nullptr;
    }
    *error = UserDictOpenError::kNone;
    UserDictHandle* handle = new UserDictHandle;
    handle->file = file;
    return handle;
}

void CloseUserDictHandle(UserDictHandle* handle) {
    if (!handle) {
        return;
    }
    CloseHandle(handle->file);
    delete handle;
}

bool ReadUserDictAt(UserDictHandle* handle, uint64_t offset, void* buffer, size_t count,
                    size_t* got) {
    unsigned char* out = static_cast<unsigned char*>(buffer);
    *got = 0;
    while (*got < count) {
        OVERLAPPED at = At(offset + *got);
        DWORD want = count - *got > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count - *got);
        DWORD n = 0;
        if (!ReadFile(handle->file, out + *got, want, &n, &at)) {
            return GetLastError() == ERROR_HANDLE_EOF;
        }
        if (n == 0) {
            break;
        }
        *got += n;
    }
    return true;
}

namespace {

// Writes everything at `offset`; an offset of all ones bits writes at the end of the file.
bool WriteAll(HANDLE file, uint64_t offset, const unsigned char* data, size_t count) {
    bool atEnd = offset == UINT64_MAX;
    while (count > 0) {
        OVERLAPPED at = At(offset);
        DWORD want = count > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count);
        DWORD n = 0;
        if (!WriteFile(file, data, want, &n, &at) || n == 0) {
            return false;
        }
        data += n;
        count -= n;
        if (!atEnd) {
            offset += n;
        }
    }
    return true;
}

}  // namespace

bool WriteUserDictAt(UserDictHandle* handle, uint64_t offset, const void* data, size_t count) {
    return WriteAll(handle->file, offset, static_cast<const unsigned char*>(data), count);
}

bool AppendUserDict(UserDictHandle* handle, const void* data, size_t count, uint64_t* landedAt) {
    // An offset of all ones is the system's append mode for one write (as FILE_APPEND_DATA
    // access is for a whole handle): it lands at the end as it is when the write happens.
    if (!WriteAll(handle->file, UINT64_MAX, static_cast<const unsigned char*>(data), count)) {
        return false;
    }
    LARGE_INTEGER end;
    if (!GetFileSizeEx(handle->file, &end) || static_cast<uint64_t>(end.QuadPart) < count) {
        return false;
    }
    *landedAt = static_cast<uint64_t>(end.QuadPart) - count;
    return true;
}

bool TruncateUserDict(UserDictHandle* handle, uint64_t size) {
    FILE_END_OF_FILE_INFO end = {};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    return SetFileInformationByHandle(handle->file, FileEndOfFileInfo, &end, sizeof end) != 0;
}

bool UserDictSize(UserDictHandle* handle, uint64_t* size) {
    LARGE_INTEGER n;
    if (!GetFileSizeEx(handle->file, &n)) {
        return false;
    }
    *size = static_cast<uint64_t>(n.QuadPart);
    return true;
}

bool LockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length) {
    OVERLAPPED at = At(offset);
    return LockFileEx(handle->file, LOCKFILE_EXCLUSIVE_LOCK, 0, static_cast<DWORD>(length),
                      static_cast<DWORD>(length >> 32), &at) != 0;
}

void UnlockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length) {
    OVERLAPPED at = At(offset);
    UnlockFileEx(handle->file, 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32),
                 &at);
}

bool IsUserDictStillNamed(UserDictHandle* handle, const char* path) {
    FILE_STANDARD_INFO info = {};
    if (!GetFileInformationByHandleEx(handle->file, FileStandardInfo, &info, sizeof info) ||
        info.DeletePending) {
        return false;
    }
    HANDLE named =
        CreateFileA(path, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool same = SameFile(handle->file, named);
    CloseHandle(named);
    return same;
}

bool RemoveUserDictFile(UserDictHandle* handle, const char* path) {
    // The file goes when its last handle closes; a session that still holds it sees the
    // removal pending when it next takes the lock, and opens the name afresh.
    HANDLE named = CreateFileA(path, DELETE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    FILE_DISPOSITION_INFO dispose = {};
    dispose.DeleteFile = TRUE;
    bool removed = SameFile(handle->file, named) &&
                   SetFileInformationByHandle(named, FileDispositionInfo, &dispose, sizeof dispose);
    CloseHandle(named);
    return removed;
}
