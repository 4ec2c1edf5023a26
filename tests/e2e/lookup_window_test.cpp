// End-to-end: the real wordmere.exe under Wine, driven from another process.
#include <gtest/gtest.h>

#include "driver.h"
#include "resources/resource_ids.h"

namespace {

class LookupWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProgram(WinePath(WORDMERE_EXE), WinePath(WORDMERE_DIST), program))
            << "wordmere.exe did not show its window";
    }
    void TearDown() override { StopProgram(program); }
    HWND Control(int id) { return GetDlgItem(program.dialog, id); }

    RunningProgram program;
};

TEST_F(LookupWindowTest, OpensWithItsControlsAndClosesWithResultTwo) {
    EXPECT_EQ(WindowText(program.dialog), L"Wordmere");
    for (int id : {IDC_WORD_BOX, IDC_SEARCH, IDC_WORD_LIST, IDC_TRANSLATION_LIST,
                   IDC_DICTIONARY_LIST, IDC_STATUS_LINE})
        EXPECT_NE(Control(id), nullptr) << "control " << id;
    Sleep(500);  // let the controls paint before the picture is taken
    EXPECT_TRUE(SaveWindowBitmap(program.dialog, WinePath(WORDMERE_SHOTS "/lookup_full.bmp")));
    EXPECT_EQ(StopProgram(program), 2);
}

}  // namespace
