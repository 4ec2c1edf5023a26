#include "engine/folding.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"

namespace {

struct Row {
    std::vector<int> inputs;
    int result;
};

// Every byte the rows do not name must come back unchanged.
void ExpectTable(CharFold fold, const std::vector<Row>& rows, const char* name) {
    std::map<int, int> expected;
    for (const Row& row : rows) {
        for (int b : row.inputs) {
            expected[b] = row.result;
        }
    }
    for (int b = 0; b < 256; ++b) {
        int want = expected.count(b) ? expected[b] : b;
        EXPECT_EQ(fold(static_cast<unsigned char>(b)), want) << name << " of 0x" << std::hex << b;
    }
}

std::vector<int> Range(int first, int last, std::vector<int> except = {}) {
    std::vector<int> out;
    for (int b = first; b <= last; ++b) {
        bool skip = false;
        for (int e : except) {
            skip = skip || e == b;
        }
        if (!skip) {
            out.push_back(b);
        }
    }
    return out;
}

void AddShifted(std::vector<Row>* rows, const std::vector<int>& inputs, int shift) {
    for (int b : inputs) {
        rows->push_back({{b}, b + shift});
    }
}

}  // namespace

TEST(FoldingTest, GreekFoldTable) {
    std::vector<Row> rows = {
        {{0xA2, 0xDC}, 0xE1}, {{0xB8, 0xDD}, 0xE5},
        {{0xB9, 0xDE}, 0xE7}, {{0xBA, 0xC0, 0xDA, 0xDF, 0xFA}, 0xE9},
        {{0xBC, 0xFC}, 0xEF}, {{0x9F, 0xBE, 0xDB, 0xE0, 0xFB, 0xFD}, 0xF5},
        {{0xBF, 0xFE}, 0xF9}, {{0xF2}, 0xF3},
    };
    AddShifted(&rows, Range('A', 'Z'), 0x20);
    AddShifted(&rows, Range(0xC1, 0xD9, {0xD2}), 0x20);
    ExpectTable(FoldGreekChar, rows, "FoldGreekChar");
}

TEST(FoldingTest, LatinFoldTable) {
    std::vector<Row> rows = {
        {{0x8A, 0x9A, 0xDF}, 's'}, {{0x9F, 0xDD, 0xFD, 0xFF}, 'y'},
        {{0xC7, 0xE7}, 'c'},       {{0xD1, 0xF1}, 'n'},
        {{0x8C, 0x9C}, 0x9C},      {{0xC6, 0xE6}, 0xE6},
        {{0xD0, 0xF0}, 0xF0},      {{0xD8, 0xF8}, 0xF8},
    };
    AddShifted(&rows, Range('A', 'Z'), 0x20);
    const std::pair<std::vector<int>, int> ranges[] = {
        {Range(0xC0, 0xC5), 'a'}, {Range(0xE0, 0xE5), 'a'}, {Range(0xC8, 0xCB), 'e'},
        {Range(0xE8, 0xEB), 'e'}, {Range(0xCC, 0xCF), 'i'}, {Range(0xEC, 0xEF), 'i'},
        {Range(0xD2, 0xD6), 'o'}, {Range(0xF2, 0xF6), 'o'}, {Range(0xD9, 0xDC), 'u'},
        {Range(0xF9, 0xFC), 'u'},
    };
    for (const auto& range : ranges) {
        rows.push_back({range.first, range.second});
    }
    ExpectTable(FoldLatinChar, rows, "FoldLatinChar");
}

TEST(FoldingTest, LowerGreekTable) {
    std::vector<Row> rows = {
        {{0xA2}, 0xDC}, {{0xB8}, 0xDD}, {{0xB9}, 0xDE}, {{0xBA}, 0xDF},
        {{0xBC}, 0xFC}, {{0xBE}, 0xFD}, {{0xBF}, 0xFE},
    };
    AddShifted(&rows, Range('A', 'Z'), 0x20);
    AddShifted(&rows, Range(0xC1, 0xDB, {0xD2}), 0x20);
    ExpectTable(LowerGreekChar, rows, "LowerGreekChar");
}

TEST(FoldingTest, FoldTextFollowsTheScriptFlag) {
    std::string greek = Stored("Άλφα ΐς");
    FoldText(&greek[0], true);
    EXPECT_EQ(greek, Stored("αλφα ισ"));

    // The same capital Alpha byte folds to a Latin "a" under the Latin fold.
    std::string latin = Stored("Αλφα");
    FoldText(&latin[0], false);
    EXPECT_EQ(static_cast<unsigned char>(latin[0]), 'a');

    std::string french = Stored("Été À");
    FoldText(&french[0], false);
    EXPECT_EQ(french, "ete a");
}

TEST(FoldingTest, LowerTextKeepsAccentsAndFinalSigma) {
    std::string text = Stored("ΆΛΦΑ Ϊ λόγος ABC");
    LowerText(&text[0]);
    EXPECT_EQ(text, Stored("άλφα ϊ λόγος abc"));
}

TEST(FoldingTest, IsGreekText) {
    const std::pair<const char*, bool> cases[] = {
        {"λόγος", true},        {"logos", false}, {"λόγος logos", true},
        {"λό logos", false},    {"α", true},      {"ab", false},
        {"123", false},         {"", false},      {"α ", false},
        {" α", true},           {"α-", false},    {"-α", true},
        {"λόγος-logos", false}, {"été", false},   {"ΑΒΓ 12", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsGreekText(Stored(c.first).c_str()), c.second) << c.first;
    }
}

TEST(FoldingTest, HasGreekWord) {
    EXPECT_TRUE(HasGreekWord(Stored("abc δέκα").c_str(), false));
    EXPECT_TRUE(HasGreekWord(Stored("δέκα1 x").c_str(), false));  // digits count for nothing
    EXPECT_FALSE(HasGreekWord(Stored("δέ κα abc").c_str(), false));
    EXPECT_TRUE(HasGreekWord(Stored("δέ").c_str(), true));          // no such word: default
    EXPECT_FALSE(HasGreekWord(Stored("δέκα-abc").c_str(), false));  // a hyphen joins
}

TEST(FoldingTest, TrimsAndHyphens) {
    const std::pair<std::string, std::string> leading[] = {
        {" ", " "}, {"a", "a"},     {" a", "a"}, {"  " + Stored("αβ"), Stored("αβ")},
        {"  ", ""}, {"ab ", "ab "},
    };
    for (const auto& c : leading) {
        std::string text = c.first;
        TrimLeadingSpaces(&text[0]);
        EXPECT_STREQ(text.c_str(), c.second.c_str()) << "'" << c.first << "'";
    }
    char trailing[] = " ab  ";
    TrimTrailingSpaces(trailing);
    EXPECT_STREQ(trailing, " ab");
    char blanks[] = "   ";
    TrimTrailingSpaces(blanks);
    EXPECT_STREQ(blanks, "");

    char hyphens[] = "-a-b-";
    RemoveHyphens(hyphens);
    EXPECT_STREQ(hyphens, "ab");
}
