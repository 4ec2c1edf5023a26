// The credits of a FreeDict database, from its information entry to the About lines.
#include "tools/freedict/database_credits.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tools/freedict/code_page_fit.h"

namespace {

// The shape of the packages' entries, with a maker whose name needs a stand-in and a licence of
// two paragraphs.
const char kInfo[] =
    "00-database-info\n"
    "English - Modern Greek XDXF/FreeDict dictionary\n"
    "\n"
    "converted by: Piotr Bański\n"
    "\n"
    "Edition: 0.1.1\n"
    "Size: 20973 headwords\n"
    "\n"
    "Availability:\n"
    "\n"
    "    Available under the terms of the GNU General Public License ver. 2.0 or\n"
    "  later.\n"
    "    You have to make the choice before you distribute it.\n"
    "\n"
    "Source(s):\n"
    "\n"
    "  Made by WikDict [http://www.wikdict.com/] from Wiktionary, mail a@b.org.\n"
    "\n"
    "The Project:\n"
    "\n"
    "  This dictionary comes to you through nice people.\n";

size_t Chars(const std::string& text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); NextCodePoint(text, at)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(DatabaseCredits, ReadFromTheInformationEntry) {
    const DatabaseCredits credits = ParseDatabaseInfo("eng-ell", kInfo);
    EXPECT_EQ(credits.database, "eng-ell");
    EXPECT_EQ(credits.title, "English - Modern Greek XDXF/FreeDict dictionary");
    EXPECT_EQ(credits.maintainer, "Piotr Bański");
    EXPECT_EQ(credits.edition, "0.1.1");
    EXPECT_EQ(credits.licence,
              "Available under the terms of the GNU General Public License ver. 2.0 or later.");
    EXPECT_EQ(credits.source, "Made by WikDict from Wiktionary, mail a@b.org.");
    // A maintainer named as such wins over the converter.
    const DatabaseCredits maintained =
        ParseDatabaseInfo("ell-fra", "Title\n\nMaintainer: Karl Bartel\nconverted by: X\n");
    EXPECT_EQ(maintained.maintainer, "Karl Bartel");
    EXPECT_TRUE(maintained.licence.empty());
}

TEST(DatabaseCredits, AboutLinesFitTheTrailerAndNameEveryDatabase) {
    const DatabaseCredits first = ParseDatabaseInfo("ell-eng", kInfo);
    const DatabaseCredits second = ParseDatabaseInfo("eng-ell", kInfo);
    for (bool greek : {false, true}) {
        const std::vector<std::string> lines = CreditLines(
            greek ? "Ελληνοαγγλικό λεξικό" : "Greek-English dictionary", {first, second}, greek);
        ASSERT_LE(lines.size(), kCreditLineCount);
        std::string all;
        int separators = 0;
        for (const std::string& line : lines) {
            EXPECT_LE(Chars(line), kCreditLineLength) << line;
            std::string fitted;
            char32_t bad;
            EXPECT_EQ(FitToCodePages(line, fitted, bad), FitResult::Unchanged) << line;
            separators += line.compare(0, 6, "@line ") == 0;
            EXPECT_EQ(line.find('@', line.compare(0, 6, "@line ") == 0 ? 1 : 0), std::string::npos)
                << line;
            all += line + "\n";
        }
        EXPECT_EQ(separators, 2);
        // A phrase may be wrapped onto the next line.
        std::string flowing = all;
        std::replace(flowing.begin(), flowing.end(), '\n', ' ');
        for (const char* phrase :
             {"ell-eng: English - Modern Greek", "eng-ell: English - Modern Greek", "Piotr Banski",
              "GNU General Public License", "a(at)b.org", "FreeDict"}) {
            EXPECT_NE(flowing.find(phrase), std::string::npos) << phrase << "\n" << all;
        }
    }
}

// The About list decodes a line by its script: the titles name Greek in English, and the Greek
// lines write accented Latin letters plain.
TEST(DatabaseCredits, EachLineKeepsToOneScript) {
    DatabaseCredits credits =
        ParseDatabaseInfo("ell-fra", "ελληνικά-français FreeDict+WikDict dictionary\n");
    const std::vector<std::string> english = CreditLines("Greek-French", {credits}, false);
    const std::vector<std::string> greek = CreditLines("Ελληνογαλλικό", {credits}, true);
    ASSERT_GE(english.size(), 3u);
    EXPECT_EQ(english[2], "@line ell-fra: Greek-français FreeDict+WikDict dictionary");
    EXPECT_EQ(greek[2], "@line ell-fra: Greek-francais FreeDict+WikDict dictionary");
}

TEST(DatabaseCredits, ManyDatabasesStopAtTwentyLines) {
    std::vector<DatabaseCredits> many(6, ParseDatabaseInfo("ell-eng", kInfo));
    EXPECT_EQ(CreditLines("Heading", many, false).size(), kCreditLineCount);
}

// A closing credit (the word forms' source) is kept whole, after a separator, and the FreeDict
// lines give way to it when all would not fit.
TEST(DatabaseCredits, ClosingCreditsComeLastAndStay) {
    const std::string closing = "Word forms: hunspell-el, MPL 1.1 / GPL 2 / LGPL 2.1";
    std::vector<DatabaseCredits> one(1, ParseDatabaseInfo("ell-eng", kInfo));
    std::vector<std::string> lines = CreditLines("Heading", one, false, {closing});
    std::vector<std::string> without = CreditLines("Heading", one, false);
    ASSERT_EQ(lines.size(), without.size() + 1);
    EXPECT_EQ(lines.back(), "@line " + closing);

    std::vector<DatabaseCredits> many(6, ParseDatabaseInfo("ell-eng", kInfo));
    lines = CreditLines("Heading", many, false, {closing});
    EXPECT_EQ(lines.size(), kCreditLineCount);
    EXPECT_EQ(lines.back(), "@line " + closing);
    EXPECT_EQ(lines.front(), "Heading");
}
