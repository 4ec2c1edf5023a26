// A directory of one test's own, made fresh (mkdtemp) and removed with everything in it when
// the test ends: CTest runs tests in parallel, so no two tests may share a file name.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

class TempDirectory {
public:
    TempDirectory() {
        std::string pattern = ::testing::TempDir() + "wordmere_XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr) {
            path_ = buffer.data();
        }
        EXPECT_FALSE(path_.empty()) << "cannot make a directory from " << pattern;
    }
    ~TempDirectory() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
            std::filesystem::remove_all(path_, ignored);
        }
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    // A path inside the directory.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
