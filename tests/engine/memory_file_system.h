// A file system in memory for catalogue tests: files by full path, a drive list, and a record
// of what the catalogue asked for.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/file_system.h"

class MemoryFileSystem : public FileSystem {
public:
    // Paths are joined with the platform's separator, as the catalogue joins them.
    static std::string Join(const std::string& dir, const std::string& name);

    void AddFile(const std::string& path, std::string bytes) { files[path] = std::move(bytes); }
    // BASE.dic and BASE.ind in dir.
    void AddDictionary(const std::string& dir, const std::string& base, const std::string& body,
                       const std::string& index);

    void ListDictionaryFiles(const char* dir, std::vector<std::string>* names) override;
    void LogicalDrives(std::vector<std::string>* roots) override { *roots = drives; }
    bool FileExists(const char* path) override;
    unsigned SetErrorMode(unsigned mode) override;
    DictFile* OpenFile(const char* path, DictFileMode mode) override;

    std::map<std::string, std::string> files;
    std::vector<std::string> drives;
    std::vector<std::string> probes;   // FileExists calls, in order
    std::vector<std::string> opened;   // OpenFile calls that succeeded
    std::vector<std::string> listed;   // directories listed
    std::vector<unsigned> errorModes;  // every mode set, in order
    unsigned errorMode = 0;
};
