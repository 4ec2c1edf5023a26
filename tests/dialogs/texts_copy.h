// A private copy of the texts file the program ships (WORDMERE_TEXTS_FILE of the test program),
// which a dialog test may change, in a folder of the test's own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_watcher.h"

namespace dialog_test {

class TextsCopy {
public:
    TextsCopy()
        : path_(folder_.File("vbrtexts.res")),
          made_(CopyFileA("Z:" WORDMERE_TEXTS_FILE, path_.c_str(), FALSE) != FALSE) {}
    // False when the file could not be copied.
    bool Made() const { return made_; }
    const char* Path() const { return path_.c_str(); }
    // Another file in the copy's folder.
    std::string File(const char* name) const { return folder_.File(name); }

private:
    TempFolder folder_;
    std::string path_;
    bool made_;
};

// A dialog run for real with the test program's own resources and a private texts file.
class TextsCopyTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(texts_.Made()); }

    TextsCopy texts_;
};

}  // namespace dialog_test
