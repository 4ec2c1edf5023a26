#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "userdict/user_dict_io.h"

struct UserDictHandle {
    int fd = -1;
};

namespace {

bool Lock(int fd, short type, uint64_t offset, uint64_t length) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    for (;;) {
        if (fcntl(fd, F_SETLKW, &lock) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

// Writes everything, at the descriptor's position (the end, in append mode).
bool WriteAll(int fd, const unsigned char* data, size_t count) {
    while (count > 0) {
        ssize_t n = write(fd, data, count);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

UserDictHandle* OpenUserDictHandle(const char* path, bool writable, bool create,
                                   UserDictOpenError* error) {
    // Non-blocking, so that a FIFO by this name is refused below instead of waiting for a
    // writer that never comes.
    int flags = (writable ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    if (writable && create) {
        flags |= O_CREAT;
    }
    int fd = open(path, flags, 0666);
    if (fd < 0) {
        *error = errno == ENOENT                     ? UserDictOpenError::kMissing
                 : errno == EISDIR                   ? UserDictOpenError::kDirectory
                 : errno == ENXIO                    ? UserDictOpenError::kNotRegular
                 : errno == EACCES || errno == EPERM ? UserDictOpenError::kNoPermission
                                                     : UserDictOpenError::kCannotOpen;
        return nullptr;
    }
    struct stat info = {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error =
            S_ISDIR(info.st_mode) ? UserDictOpenError::kDirectory : UserDictOpenError::kNotRegular;
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    *error = UserDictOpenError::kNone;
    UserDictHandle* handle = new UserDictHandle;
    handle->fd = fd;
    return handle;
}

void CloseUserDictHandle(UserDictHandle* handle) {
    if (!handle) {
        return;
    }
    close(handle->fd);
    delete handle;
}

bool ReadUserDictAt(UserDictHandle* handle, uint64_t offset, void* buffer, size_t count,
                    size_t* got) {
    unsigned char* out = static_cast<unsigned char*>(buffer);
    *got = 0;
    while (*got < count) {
        ssize_t n = pread(handle->fd, out + *got, count - *got, static_cast<off_t>(offset + *got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        *got += static_cast<size_t>(n);
    }
    return true;
}

bool WriteUserDictAt(UserDictHandle* handle, uint64_t offset, const void* data, size_t count) {
    const unsigned char* in = static_cast<const unsigned char*>(data);
    size_t done = 0;
    while (done < count) {
        ssize_t n = pwrite(handle->fd, in + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool AppendUserDict(UserDictHandle* handle, const void* data, size_t count, uint64_t* landedAt) {
    // Append mode only for this write: with it set, Linux would send pwrite to the end too.
    int flags = fcntl(handle->fd, F_GETFL);
    if (flags < 0 || fcntl(handle->fd, F_SETFL, flags | O_APPEND) != 0) {
        return false;
    }
    bool written = WriteAll(handle->fd, static_cast<const unsigned char*>(data), count);
    off_t end = lseek(handle->fd, 0, SEEK_CUR);
    fcntl(handle->fd, F_SETFL, flags);
    if (!written || end < static_cast<off_t>(count)) {
        return false;
    }
    *landedAt = static_cast<uint64_t>(end) - count;
    return true;
}

bool TruncateUserDict(UserDictHandle* handle, uint64_t size) {
    return ftruncate(handle->fd, static_cast<off_t>(size)) == 0;
}

bool UserDictSize(UserDictHandle* handle, uint64_t* size) {
    struct stat info;
    if (fstat(handle->fd, &info) != 0) {
        return false;
    }
    *size = static_cast<uint64_t>(info.st_size);
    return true;
}

bool LockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length) {
    return Lock(handle->fd, F_WRLCK, offset, length);
}

void UnlockUserDictRange(UserDictHandle* handle, uint64_t offset, uint64_t length) {
    Lock(handle->fd, F_UNLCK, offset, length);
}

bool IsUserDictStillNamed(UserDictHandle* handle, const char* path) {
    struct stat held, named;
    return fstat(handle->fd, &held) == 0 && held.st_nlink > 0 && stat(path, &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool RemoveUserDictFile(UserDictHandle*, const char* path) {
    return unlink(path) == 0;
}
