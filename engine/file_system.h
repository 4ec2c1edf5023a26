// The few file-system calls the catalogue makes: the "*.dic" files of a directory, the logical
// drives, whether a file exists, the process error mode, and opening a dictionary file. The
// Windows program uses the Win32 implementation; the command-line tools use the C library one;
// tests hand the catalogue a fake that serves drives and files from memory.
#pragma once

#include <string>
#include <vector>

#include "engine/dict_file.h"

// Error-mode flags, with the values the system gives them.
constexpr unsigned kErrorModeFailCriticalErrors = 0x0001;
constexpr unsigned kErrorModeNoOpenFileErrorBox = 0x8000;

// The separator the platform puts between a directory and a file name.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Appends the names (without directory) of the files of `dir` that match "*.dic", in the
    // order the system lists them. A directory that cannot be listed adds nothing.
    virtual void ListDictionaryFiles(const char* dir, std::vector<std::string>* names) = 0;
    // Appends the root path of every logical drive, as the system gives it ("C:\").
    virtual void LogicalDrives(std::vector<std::string>* roots) = 0;
    virtual bool FileExists(const char* path) = 0;
    // Sets the process error mode; returns the previous mode.
    virtual unsigned SetErrorMode(unsigned mode) = 0;
    // Opens a dictionary file; nullptr when it cannot be opened.
    virtual DictFile* OpenFile(const char* path, DictFileMode mode) = 0;
};

// The file system of the machine the program runs on (Win32 or C library and POSIX).
FileSystem& SystemFileSystem();
