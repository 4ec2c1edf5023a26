#include "engine/plain_lookup_view.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(PlainListBoxTest, SortedWithoutRegardToCase) {
    PlainListBox list(PlainListBox::kSorted, 4);
    EXPECT_EQ(list.Add("beta"), 0);
    EXPECT_EQ(list.Add("Alpha"), 0);
    EXPECT_EQ(list.Add("alpha"), 1);     // after its equal
    EXPECT_EQ(list.Add("\xC4\xC5"), 3);  // ΔΕ sorts with δε, after the Latin letters
    EXPECT_EQ(list.Add("gamma"), kListRefused);
    EXPECT_EQ(list.FindExact("ALPHA"), 0);
    EXPECT_EQ(list.FindExact("\xE4\xE5"), 3);
    EXPECT_EQ(list.FindExact("alp"), -1);
}

TEST(PlainListBoxTest, ItemDataSelectionAndTexts) {
    PlainListBox list(PlainListBox::kUnsorted, 3);
    list.Select(0);
    EXPECT_EQ(list.Selection(), -1);
    EXPECT_EQ(list.ItemData(0), kNoItemData);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("a"), 1);
    list.SetItemData(1, kUserDictItemFlag + 3);
    EXPECT_TRUE(IsUserDictItem(list.ItemData(1)));
    EXPECT_FALSE(IsUserDictItem(list.ItemData(0)));
    EXPECT_FALSE(IsUserDictItem(kNoItemData));
    list.Select(1);
    EXPECT_EQ(list.Selection(), 1);
    std::string longText(300, 'x');
    EXPECT_EQ(list.Add(longText.c_str()), 2);
    char buffer[8];
    list.Text(2, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "xxxxxxx");
    EXPECT_EQ(strlen(list.TextAt(2)), 149u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Selection(), -1);
}
