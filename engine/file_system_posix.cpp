#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/file_system.h"

namespace {

bool EndsWithDic(const char* name) {
    size_t n = strlen(name);
    if (n < 4) {
        return false;
    }
    const char* ext = name + n - 4;
    return ext[0] == '.' && (ext[1] | 0x20) == 'd' && (ext[2] | 0x20) == 'i' &&
           (ext[3] | 0x20) == 'c';
}

// Outside Windows there are no drive letters, so no sibling installations either.
class PosixFileSystem : public FileSystem {
public:
    void ListDictionaryFiles(const char* dir, std::vector<std::string>* names) override {
        DIR* d = opendir(dir);
        if (!d) {
            return;
        }
        // The directory's own order differs between file systems; sorted, a catalogue built
        // twice numbers its entries alike.
        std::vector<std::string> found;
        while (dirent* entry = readdir(d)) {
            // Only regular files are dictionaries: a FIFO named like one would block its
            // reader, a directory has no bytes.
            struct stat st;
            std::string path = std::string(dir) + "/" + entry->d_name;
            if (EndsWithDic(entry->d_name) && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                found.push_back(entry->d_name);
            }
        }
        closedir(d);
        std::sort(found.begin(), found.end());
        names->insert(names->end(), found.begin(), found.end());
    }
    void LogicalDrives(std::vector<std::string>*) override {}
    bool FileExists(const char* path) override {
        struct stat st;
        return stat(path, &st) == 0 && S_ISREG(st.st_mode);
    }
    unsigned SetErrorMode(unsigned mode) override {
        unsigned previous = mode_;
        mode_ = mode;
        return previous;
    }
    DictFile* OpenFile(const char* path, DictFileMode mode) override {
        return OpenDictFile(path, mode);
    }

private:
    unsigned mode_ = 0;
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem files;
    return files;
}
