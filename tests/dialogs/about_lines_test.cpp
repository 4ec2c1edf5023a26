// The About list: the information lines, their separators and the padding to 11 items.
#include "dialogs/about_lines.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Lines {
    char text[20][kAboutLineSize] = {};
    Lines(std::initializer_list<const char*> lines) {
        size_t i = 0;
        for (const char* line : lines) {
            strncpy(text[i++], line, kAboutLineSize - 1);
        }
    }
};

std::vector<std::string> Items(std::initializer_list<const char*> lines) {
    Lines l(lines);
    return AboutListItems(l.text, 20);
}

using V = std::vector<std::string>;

}  // namespace

TEST(AboutListItems, OneLineSitsInTheMiddle) {
    // The empty second line adds an item before the filling stops: 2 items, 4 on top, 5 below.
    EXPECT_EQ(Items({"Word data"}), V({"", "", "", "", "Word data", "", "", "", "", "", ""}));
}

TEST(AboutListItems, LineMarkersMakeSeparators) {
    const struct {
        const char* line;
        V items;  // before padding: the line's own items
    } cases[] = {
        {"@line", {"", ""}},                     // the separator and the empty remainder
        {"@LINE Sources", {"", "Sources"}},      // the word in any case
        {"Text @line more", {"", "Text more"}},  // the separator comes first, the text after
        {"a@b c", {"ac"}},                       // another word: only the marker goes
        {"end @", {"end "}},                     // a bare marker at the end ends the line
        {"x @liner y", {"x y"}},                 // "liner" is not "line"
    };
    for (const auto& c : cases) {
        Lines lines({c.line});
        V items = AboutListItems(lines.text, 1);
        V expected = c.items;
        const size_t top = (kAboutListItems - expected.size()) / 2;
        expected.insert(expected.begin(), top, "");
        expected.resize(kAboutListItems);
        EXPECT_EQ(items, expected) << c.line;
    }
}

TEST(AboutListItems, LongListsAreNotPadded) {
    Lines lines({"1", "2", "3", "@line 4", "5", "6", "7", "8", "9", "10", "11", "12"});
    V items = AboutListItems(lines.text, 20);
    ASSERT_EQ(items.size(), 14u);  // twelve lines, a separator and the empty 13th line
    EXPECT_EQ(items[0], "1");
    EXPECT_EQ(items[3], "");
    EXPECT_EQ(items[4], "4");
    EXPECT_EQ(items[13], "");
}

TEST(AboutListItems, ExactlyElevenItemsStayAsTheyAre) {
    Lines lines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    V items = AboutListItems(lines.text, 20);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items.front(), "1");
    EXPECT_EQ(items[9], "10");
}

TEST(AboutListItems, AFullLineWithoutTerminatorIsReadTo70Bytes) {
    Lines lines({});
    memset(lines.text[0], 'x', kAboutLineSize);  // all 70 bytes used, no terminator
    V items = AboutListItems(lines.text, 1);
    EXPECT_EQ(items[5], std::string(kAboutLineSize, 'x'));
}

TEST(AboutListItems, NoLinesGiveElevenEmptyItems) {
    EXPECT_EQ(AboutListItems(nullptr, 0), V(kAboutListItems));
}

// A pair credits both dictionaries: the first one's lines, the empty item that ends them, then
// the second one's, padded together.
TEST(AboutPairListItems, NameBothDictionaries) {
    Lines first({"Greek-French data", "FreeDict"});
    Lines second({"Greek-Italian data"});
    EXPECT_EQ(
        AboutPairListItems(first.text, second.text, 20),
        V({"", "", "", "Greek-French data", "FreeDict", "", "Greek-Italian data", "", "", "", ""}));
    Lines empty({});
    EXPECT_EQ(AboutPairListItems(empty.text, second.text, 20),
              V({"", "", "", "", "", "Greek-Italian data", "", "", "", "", ""}));
}
