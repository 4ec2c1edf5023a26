// The Win32 file system of the catalogue, run under Wine by the cross build.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/file_system.h"

namespace {

std::string TempDir() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string dir =
        std::string(base) + "wordmere_fs_test." + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void Touch(const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    fputs("x", f);
    fclose(f);
}

}  // namespace

TEST(FileSystemWin, ListsDictionaryFilesDrivesAndProbes) {
    FileSystem& files = SystemFileSystem();
    std::string dir = TempDir();
    for (const char* name : {"GRENG.DIC", "french.dic", "notes.txt", "FRENCH.ind"}) {
        Touch(dir + "\\" + name);
    }
    CreateDirectoryA((dir + "\\folder.dic").c_str(), nullptr);

    std::vector<std::string> names;
    files.ListDictionaryFiles(dir.c_str(), &names);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"GRENG.DIC", "french.dic"}));
    names.clear();
    files.ListDictionaryFiles((dir + "\\missing").c_str(), &names);
    EXPECT_TRUE(names.empty());

    EXPECT_TRUE(files.FileExists((dir + "\\notes.txt").c_str()));
    EXPECT_FALSE(files.FileExists((dir + "\\folder.dic").c_str()));
    EXPECT_FALSE(files.FileExists((dir + "\\gone.txt").c_str()));

    std::vector<std::string> roots;
    files.LogicalDrives(&roots);
    ASSERT_FALSE(roots.empty());
    for (const std::string& root : roots) {
        EXPECT_EQ(root.size(), 3u) << root;
        EXPECT_EQ(root.substr(1), ":\\") << root;
    }

    // Only regular files open as dictionaries: not a directory, not a device.
    OpenFailure failure = OpenFailure::kOther;
    DictFile* file = OpenDictFile((dir + "\\french.dic").c_str(), DictFileMode::kRead, &failure);
    EXPECT_NE(file, nullptr);
    EXPECT_EQ(failure, OpenFailure::kNone);
    CloseDictFile(file);
    struct Refused {
        std::string path;
        OpenFailure failure;
    } refused[] = {
        {dir + "\\folder.dic", OpenFailure::kNotRegularFile},
        {"NUL", OpenFailure::kNotRegularFile},
        {dir + "\\gone.dic", OpenFailure::kMissing},
    };
    for (const Refused& r : refused) {
        EXPECT_EQ(OpenDictFile(r.path.c_str(), DictFileMode::kRead, &failure), nullptr) << r.path;
        EXPECT_EQ(failure, r.failure) << r.path;
    }

    unsigned before =
        files.SetErrorMode(kErrorModeFailCriticalErrors | kErrorModeNoOpenFileErrorBox);
    EXPECT_EQ(files.SetErrorMode(before),
              kErrorModeFailCriticalErrors | kErrorModeNoOpenFileErrorBox);

    for (const char* name : {"GRENG.DIC", "french.dic", "notes.txt", "FRENCH.ind"}) {
        DeleteFileA((dir + "\\" + name).c_str());
    }
    RemoveDirectoryA((dir + "\\folder.dic").c_str());
    RemoveDirectoryA(dir.c_str());
}
