#include <windows.h>

#include <cstring>

#include "engine/file_system.h"

namespace {

class Win32FileSystem : public FileSystem {
public:
    void ListDictionaryFiles(const char* dir, std::vector<std::string>* names) override {
        std::string pattern = std::string(dir) + "\\*.dic";
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return;
        }
        do {
            // Only regular files are dictionaries: no directories, no devices.
            if (!(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
                names->push_back(data.cFileName);
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    void LogicalDrives(std::vector<std::string>* roots) override {
        char buffer[512];
        DWORD n = GetLogicalDriveStringsA(sizeof buffer, buffer);
        if (n == 0 || n > sizeof buffer) {
            return;
        }
        // A run of "C:\" texts, each ended by a NUL, the whole ended by one more.
        for (const char* p = buffer; *p; p += strlen(p) + 1) {
            roots->push_back(p);
        }
    }
    bool FileExists(const char* path) override {
        DWORD attributes = GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES &&
               !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
    }
    unsigned SetErrorMode(unsigned mode) override { return ::SetErrorMode(mode); }
    DictFile* OpenFile(const char* path, DictFileMode mode) override {
        return OpenDictFile(path, mode);
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem files;
    return files;
}
