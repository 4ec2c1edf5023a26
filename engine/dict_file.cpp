#include "engine/dict_file.h"

#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Reads of a read-only file are served from a window of the file kept in memory: the index
// walk and the block reads of one search touch a few kilobytes, which then cost one system
// read instead of one per record.
constexpr size_t kWindowSize = 16384;

int SeekStdio(FILE* f, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<long long>(offset), SEEK_SET);
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET);
#endif
}

}  // namespace

struct DictFile {
    FILE* stdioFile = nullptr;
    const unsigned char* memory = nullptr;  // memory-backed file when set
    uint64_t size = 0;
    uint64_t position = 0;
    uint64_t failFrom = UINT64_MAX;
    bool writable = false;
    // Read-ahead window of a read-only stdio file.
    unsigned char* window = nullptr;
    uint64_t windowStart = 0;
    size_t windowLength = 0;
    bool stdioAt = false;  // the stdio position equals `position`
};

namespace {

OpenFailure FailureOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return OpenFailure::kMissing;
        case EISDIR:
            return OpenFailure::kNotRegularFile;
        case EACCES:
        case EPERM:
        case EROFS:
            return OpenFailure::kNoPermission;
        case EMFILE:
        case ENFILE:
            return OpenFailure::kTooManyOpenFiles;
        default:
            return OpenFailure::kOther;
    }
}

// The stdio stream of a regular file, or nullptr with the reason.
FILE* OpenRegularFile(const char* path, DictFileMode mode, OpenFailure* failure) {
#ifdef _WIN32
    const char* how = mode == DictFileMode::kRead        ? "rb"
                      : mode == DictFileMode::kReadWrite ? "r+b"
                                                         : "w+b";
    FILE* f = fopen(path, how);
    if (!f) {
        int error = errno;
        // A directory cannot be opened as a stream here; tell it apart from a missing file.
        // Asked only after a failure: the catalogue opens a dozen files at every start.
        struct _stati64 st;
        bool directory = _stati64(path, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR;
        *failure = directory ? OpenFailure::kNotRegularFile : FailureOfErrno(error);
        return nullptr;
    }
    // Devices (CON, NUL, COM1 under any extension) and pipes are not files.
    struct _stati64 st;
    if (_fstati64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        fclose(f);
        *failure = OpenFailure::kNotRegularFile;
        return nullptr;
    }
    return f;
#else
    int flags = mode == DictFileMode::kRead        ? O_RDONLY
                : mode == DictFileMode::kReadWrite ? O_RDWR
                                                   : O_RDWR | O_CREAT;
    // Non-blocking, so that a FIFO opens at once and is refused below instead of waiting.
    int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        *failure = FailureOfErrno(errno);
        return nullptr;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        *failure = OpenFailure::kNotRegularFile;
        return nullptr;
    }
    // Truncated only once it is known to be a regular file.
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        (mode == DictFileMode::kCreate && ftruncate(fd, 0) != 0)) {
        *failure = FailureOfErrno(errno);
        close(fd);
        return nullptr;
    }
    FILE* f = fdopen(fd, mode == DictFileMode::kRead ? "rb" : "r+b");
    if (!f) {
        *failure = FailureOfErrno(errno);
        close(fd);
    }
    return f;
#endif
}

}  // namespace

const char* DescribeOpenFailure(OpenFailure failure) {
    switch (failure) {
        case OpenFailure::kNone:
            return "opened";
        case OpenFailure::kMissing:
            return "no such file";
        case OpenFailure::kNotRegularFile:
            return "not a regular file";
        case OpenFailure::kNoPermission:
            return "permission denied";
        case OpenFailure::kTooManyOpenFiles:
            return "too many open files";
        case OpenFailure::kOther:
            break;
    }
    return "cannot open it";
}

DictFile* OpenDictFile(const char* path, DictFileMode mode, OpenFailure* failure) {
    OpenFailure ignored;
    if (!failure) {
        failure = &ignored;
    }
    *failure = OpenFailure::kNone;
    FILE* f = OpenRegularFile(path, mode, failure);
    if (!f) {
        return nullptr;
    }
    DictFile* file = new DictFile;
    file->stdioFile = f;
    file->writable = mode != DictFileMode::kRead;
    if (SeekStdio(f, 0) == 0 && fseek(f, 0, SEEK_END) == 0) {
#ifdef _WIN32
        long long end = _ftelli64(f);
#else
        long long end = ftello(f);
#endif
        file->size = end > 0 ? static_cast<uint64_t>(end) : 0;
    }
    SeekStdio(f, 0);
    file->stdioAt = true;
    if (!file->writable) {
        file->window = new unsigned char[kWindowSize];
    }
    return file;
}

DictFile* OpenMemoryDictFile(const void* data, size_t size, size_t failFrom) {
    DictFile* file = new DictFile;
    file->memory = static_cast<const unsigned char*>(data);
    file->size = size;
    file->failFrom = failFrom == SIZE_MAX ? UINT64_MAX : failFrom;
    return file;
}

void CloseDictFile(DictFile* file) {
    if (!file) {
        return;
    }
    if (file->stdioFile) {
        fclose(file->stdioFile);
    }
    delete[] file->window;
    delete file;
}

bool SeekDictFile(DictFile* file, uint64_t offset) {
    if (!file) {
        return false;
    }
    file->position = offset;
    file->stdioAt = false;
    return true;
}

uint64_t TellDictFile(const DictFile* file) {
    return file ? file->position : 0;
}

uint64_t DictFileSize(const DictFile* file) {
    if (!file) {
        return 0;
    }
    if (file->stdioFile && file->writable) {
        // A file open for writing may have grown.
        FILE* f = file->stdioFile;
#ifdef _WIN32
        long long here = _ftelli64(f);
        fseek(f, 0, SEEK_END);
        long long end = _ftelli64(f);
        _fseeki64(f, here, SEEK_SET);
#else
        off_t here = ftello(f);
        fseek(f, 0, SEEK_END);
        off_t end = ftello(f);
        fseeko(f, here, SEEK_SET);
#endif
        return end > 0 ? static_cast<uint64_t>(end) : 0;
    }
    return file->size;
}

namespace {

size_t ReadMemory(DictFile* file, void* buffer, size_t count, ReadStatus* status) {
    if (file->position >= file->size) {
        return 0;
    }
    uint64_t available = file->size - file->position;
    size_t n = count < available ? count : static_cast<size_t>(available);
    if (file->position + n > file->failFrom) {
        *status = ReadStatus::kError;
        return 0;
    }
    memcpy(buffer, file->memory + file->position, n);
    file->position += n;
    return n;
}

size_t ReadStdioDirect(DictFile* file, void* buffer, size_t count, ReadStatus* status) {
    if (!file->stdioAt && SeekStdio(file->stdioFile, file->position) != 0) {
        *status = ReadStatus::kError;
        return 0;
    }
    size_t n = fread(buffer, 1, count, file->stdioFile);
    if (n < count && ferror(file->stdioFile)) {
        clearerr(file->stdioFile);
        file->stdioAt = false;
        *status = ReadStatus::kError;
        return 0;
    }
    file->position += n;
    file->stdioAt = true;
    return n;
}

size_t ReadThroughWindow(DictFile* file, void* buffer, size_t count, ReadStatus* status) {
    if (file->position >= file->size) {
        return 0;
    }
    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count && file->position < file->size) {
        uint64_t pos = file->position;
        if (pos < file->windowStart || pos >= file->windowStart + file->windowLength) {
            if (count - done >= kWindowSize) {
                // Large reads go straight into the caller's buffer.
                return done + ReadStdioDirect(file, out + done, count - done, status);
            }
            file->windowLength = 0;
            if (SeekStdio(file->stdioFile, pos) != 0) {
                *status = ReadStatus::kError;
                return done;
            }
            size_t n = fread(file->window, 1, kWindowSize, file->stdioFile);
            file->stdioAt = false;
            if (n == 0) {
                if (ferror(file->stdioFile)) {
                    clearerr(file->stdioFile);
                    *status = ReadStatus::kError;
                }
                return done;
            }
            file->windowStart = pos;
            file->windowLength = n;
        }
        size_t inWindow = static_cast<size_t>(file->windowStart + file->windowLength - pos);
        size_t take = count - done < inWindow ? count - done : inWindow;
        memcpy(out + done, file->window + (pos - file->windowStart), take);
        done += take;
        file->position += take;
    }
    return done;
}

}  // namespace

size_t ReadDictFile(DictFile* file, void* buffer, size_t count, ReadStatus* status) {
    *status = ReadStatus::kOk;
    if (!file) {
        *status = ReadStatus::kError;
        return 0;
    }
    if (count == 0) {
        return 0;
    }
    if (file->memory) {
        return ReadMemory(file, buffer, count, status);
    }
    if (file->window) {
        return ReadThroughWindow(file, buffer, count, status);
    }
    return ReadStdioDirect(file, buffer, count, status);
}

size_t WriteDictFile(DictFile* file, const void* data, size_t count) {
    if (!file || !file->stdioFile || !file->writable) {
        return 0;
    }
    if (!file->stdioAt && SeekStdio(file->stdioFile, file->position) != 0) {
        return 0;
    }
    size_t n = fwrite(data, 1, count, file->stdioFile);
    // Written bytes still in the library's buffer are not on the disk yet; a flush that fails
    // means some of them never got there, so none count.
    if (fflush(file->stdioFile) != 0) {
        clearerr(file->stdioFile);
        n = 0;
    }
    file->position += n;
    // Switching between writing and reading needs a seek; force one before the next read.
    file->stdioAt = false;
    if (file->position > file->size) {
        file->size = file->position;
    }
    return n;
}

bool TruncateDictFile(DictFile* file, uint64_t size) {
    if (!file || !file->stdioFile || !file->writable || fflush(file->stdioFile) != 0) {
        return false;
    }
#ifdef _WIN32
    bool ok = _chsize_s(_fileno(file->stdioFile), static_cast<long long>(size)) == 0;
#else
    bool ok = ftruncate(fileno(file->stdioFile), static_cast<off_t>(size)) == 0;
#endif
    file->stdioAt = false;
    if (ok) {
        file->size = size;
    }
    return ok;
}
