#include "engine/dict_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/temp_directory.h"

namespace {

std::string TempPath(const char* name) {
    return std::string(WORDMERE_ENGINE_TEST_OUT) + "/" + name + "." + std::to_string(getpid());
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

}  // namespace

// Reads through the read-ahead window must give the file's bytes whatever the mix of seeks
// and sizes: inside the window, across its end, larger than it, past the end of the file.
TEST(DictFileTest, ReadOnlyFilesReadTheirBytes) {
    const std::string path = TempPath("window");
    const std::string bytes = Pattern(100000);
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);

    DictFile* file = OpenDictFile(path.c_str(), DictFileMode::kRead);
    ASSERT_TRUE(file);
    EXPECT_EQ(DictFileSize(file), bytes.size());
    struct Read {
        int64_t seek;  // -1: go on from where the last read ended
        size_t count;
    };
    const Read reads[] = {
        {0, 13},      {-1, 10},    {-1, 16370},   {-1, 30},       {50000, 1},
        {49999, 2},   {16380, 8},  {1000, 27720}, {-1, 3000},     {30, 40000},
        {99990, 100}, {100000, 5}, {200000, 5},   {16384, 16384}, {0, 100000},
    };
    std::vector<char> buffer(100000);
    for (const Read& r : reads) {
        if (r.seek >= 0) {
            ASSERT_TRUE(SeekDictFile(file, static_cast<uint64_t>(r.seek)));
        }
        uint64_t at = TellDictFile(file);
        ReadStatus status;
        size_t n = ReadDictFile(file, buffer.data(), r.count, &status);
        EXPECT_EQ(status, ReadStatus::kOk);
        size_t expected = at >= bytes.size() ? 0 : std::min(r.count, bytes.size() - at);
        ASSERT_EQ(n, expected) << "at " << at << " count " << r.count;
        EXPECT_EQ(std::string(buffer.data(), n), bytes.substr(at < bytes.size() ? at : 0, n))
            << "at " << at << " count " << r.count;
        EXPECT_EQ(TellDictFile(file), at + n);
    }
    CloseDictFile(file);
    EXPECT_EQ(OpenDictFile((path + ".missing").c_str(), DictFileMode::kRead), nullptr);
    remove(path.c_str());
}

TEST(DictFileTest, CreateWriteAndReadBack) {
    const std::string path = TempPath("rw");
    DictFile* file = OpenDictFile(path.c_str(), DictFileMode::kCreate);
    ASSERT_TRUE(file);
    EXPECT_EQ(WriteDictFile(file, "0123456789", 10), 10u);
    EXPECT_EQ(DictFileSize(file), 10u);
    SeekDictFile(file, 4);
    EXPECT_EQ(WriteDictFile(file, "ab", 2), 2u);
    SeekDictFile(file, 0);
    char buffer[16] = {};
    ReadStatus status;
    EXPECT_EQ(ReadDictFile(file, buffer, sizeof buffer, &status), 10u);
    EXPECT_EQ(std::string(buffer, 10), "0123ab6789");
    // Appending after a read.
    SeekDictFile(file, DictFileSize(file));
    EXPECT_EQ(WriteDictFile(file, "xy", 2), 2u);
    EXPECT_EQ(DictFileSize(file), 12u);
    CloseDictFile(file);

    file = OpenDictFile(path.c_str(), DictFileMode::kReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadDictFile(file, buffer, sizeof buffer, &status), 12u);
    EXPECT_EQ(std::string(buffer, 12), "0123ab6789xy");
    CloseDictFile(file);

    // A read-only file refuses writes.
    file = OpenDictFile(path.c_str(), DictFileMode::kRead);
    EXPECT_EQ(WriteDictFile(file, "z", 1), 0u);
    CloseDictFile(file);
    remove(path.c_str());
}

TEST(DictFileTest, OnlyRegularFilesOpenAndFailuresSayWhy) {
    TempDirectory dir;
    std::string regular = dir / "GRENG.dic";
    std::ofstream(regular) << "x";
    ASSERT_EQ(mkfifo((dir / "STRAY.dic").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "GRENG.ind");
    struct Case {
        std::string path;
        OpenFailure failure;
    } cases[] = {
        {regular, OpenFailure::kNone},
        // A FIFO would block the open until a writer comes: refused at once.
        {dir / "STRAY.dic", OpenFailure::kNotRegularFile},
        {dir / "GRENG.ind", OpenFailure::kNotRegularFile},
        {"/dev/null", OpenFailure::kNotRegularFile},
        {dir / "missing.dic", OpenFailure::kMissing},
        {dir / "GRENG.dic/x", OpenFailure::kMissing},
    };
    for (const Case& c : cases) {
        for (DictFileMode mode : {DictFileMode::kRead, DictFileMode::kReadWrite}) {
            OpenFailure failure = OpenFailure::kOther;
            DictFile* file = OpenDictFile(c.path.c_str(), mode, &failure);
            EXPECT_EQ(file != nullptr, c.failure == OpenFailure::kNone) << c.path;
            EXPECT_EQ(failure, c.failure) << c.path;
            CloseDictFile(file);
        }
    }
    // Creating over something that is not a regular file changes nothing there.
    OpenFailure failure;
    EXPECT_EQ(OpenDictFile((dir / "STRAY.dic").c_str(), DictFileMode::kCreate, &failure), nullptr);
    EXPECT_EQ(failure, OpenFailure::kNotRegularFile);
    EXPECT_STREQ(DescribeOpenFailure(OpenFailure::kNotRegularFile), "not a regular file");

    if (geteuid() != 0) {
        std::filesystem::permissions(regular, std::filesystem::perms::none);
        EXPECT_EQ(OpenDictFile(regular.c_str(), DictFileMode::kRead, &failure), nullptr);
        EXPECT_EQ(failure, OpenFailure::kNoPermission);
    }
}

TEST(DictFileTest, RunningOutOfFileHandlesIsToldApart) {
    TempDirectory dir;
    std::string path = dir / "GRENG.dic";
    std::ofstream(path) << "x";
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> held;
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;) {
        held.push_back(fd);
    }
    OpenFailure failure = OpenFailure::kNone;
    DictFile* file = OpenDictFile(path.c_str(), DictFileMode::kRead, &failure);
    for (int fd : held) {
        close(fd);
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(failure, OpenFailure::kTooManyOpenFiles);
    EXPECT_STREQ(DescribeOpenFailure(failure), "too many open files");
    CloseDictFile(file);
}
