#include "keyboard/keyboard_layout_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

WORD ActiveLanguage() {
    return LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)));
}

TEST(KeyboardLayout, UsEnglishIsActivatedAndIsNotGreek) {
    ASSERT_TRUE(ActivateUsEnglishLayout());
    EXPECT_EQ(ActiveLanguage(), 0x0409);
    EXPECT_FALSE(IsGreekKeyboardLayout());
}

TEST(KeyboardLayout, GreekLayoutIsRecognised) {
    HKL greek = LoadKeyboardLayoutA("00000408", KLF_ACTIVATE);
    if (greek == nullptr || ActiveLanguage() != 0x0408) {
        GTEST_SKIP() << "no Greek layout can be activated here";
    }
    EXPECT_TRUE(IsGreekKeyboardLayout());
    ASSERT_TRUE(ActivateUsEnglishLayout());
    EXPECT_EQ(ActiveLanguage(), 0x0409);
}

}  // namespace
