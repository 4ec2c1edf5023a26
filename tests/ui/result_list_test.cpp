#include "ui/result_list.h"

#include <gtest/gtest.h>

TEST(ResultListTest, LatinLettersForLatinKeyboards) {
    EXPECT_EQ(LetterBitmapBase(100, 0), 100);
}
