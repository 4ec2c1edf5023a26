#include "tests/engine/memory_file_system.h"

#include <cctype>

namespace {

bool EndsWithDic(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".dic";
}

}  // namespace

std::string MemoryFileSystem::Join(const std::string& dir, const std::string& name) {
    return dir + kPathSeparator + name;
}

void MemoryFileSystem::AddDictionary(const std::string& dir, const std::string& base,
                                     const std::string& body, const std::string& index) {
    AddFile(Join(dir, base + ".dic"), body);
    AddFile(Join(dir, base + ".ind"), index);
}

void MemoryFileSystem::ListDictionaryFiles(const char* dir, std::vector<std::string>* names) {
    listed.push_back(dir);
    std::string prefix = std::string(dir) + kPathSeparator;
    for (const auto& file : files) {
        const std::string& path = file.first;
        if (path.compare(0, prefix.size(), prefix) == 0) {
            std::string name = path.substr(prefix.size());
            if (name.find(kPathSeparator) == std::string::npos && EndsWithDic(name)) {
                names->push_back(name);
            }
        }
    }
}

bool MemoryFileSystem::FileExists(const char* path) {
    probes.push_back(path);
    return files.count(path) > 0;
}

unsigned MemoryFileSystem::SetErrorMode(unsigned mode) {
    unsigned previous = errorMode;
    errorMode = mode;
    errorModes.push_back(mode);
    return previous;
}

DictFile* MemoryFileSystem::OpenFile(const char* path, DictFileMode mode) {
    auto found = files.find(path);
    if (found == files.end() || mode != DictFileMode::kRead) {
        return nullptr;
    }
    opened.push_back(path);
    return OpenMemoryDictFile(found->second.data(), found->second.size());
}
