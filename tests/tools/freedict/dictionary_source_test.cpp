#include "tools/freedict/dictionary_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/temp_directory.h"

using ::testing::ElementsAre;

namespace {

std::string Greek(size_t letters) {
    std::string s;
    for (size_t i = 0; i < letters; ++i) {
        s += "λ";  // two UTF-8 bytes, one stored byte
    }
    return s;
}

}  // namespace

TEST(DictionarySource, KeepsTheByteLimitsOfTheFormat) {
    DictionarySource source;
    source.Add(Greek(149), {"fits"});
    source.Add(Greek(150), {"too long a headword"});
    source.Add("word", {std::string(149, 'a'), std::string(150, 'b'), Greek(149)});
    ImportSummary summary;
    std::vector<SourceEntry> entries = source.Finish(summary);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].headword, Greek(149));
    EXPECT_THAT(entries[1].items, ElementsAre(std::string(149, 'a'), Greek(149)));
    EXPECT_EQ(summary.left["entries dropped: headword over 149 bytes"], 1);
    EXPECT_EQ(summary.left["items dropped: over 149 bytes"], 1);
}

TEST(DictionarySource, CutsAnEntryToThreeThousandBytes) {
    // Headword, comma and terminator take 6 bytes; 20 items of 148 bytes with the commas
    // between them 2979; a 14-byte item and its comma bring the entry to exactly 3000, so the
    // last 1-byte item no longer fits.
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) {
        items.push_back(std::string(147, 'a') + char('A' + i));
    }
    items.push_back(std::string(14, 'z'));
    items.push_back("q");
    DictionarySource source;
    source.Add("word", items);
    ImportSummary summary;
    std::vector<SourceEntry> entries = source.Finish(summary);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].items.size(), 21u);
    EXPECT_EQ(entries[0].items.back(), std::string(14, 'z'));
    EXPECT_EQ(summary.left["items cut: entry over 3000 bytes"], 1);
    EXPECT_EQ(summary.items, 21);
}

TEST(DictionarySource, MergesRepeatedHeadwordsAndDropsWhatCannotBeStored) {
    DictionarySource source;
    source.Add("boil", {"βράζω"});
    source.Add("ἐν", {"in"});                    // headword outside the code pages
    source.Add("boil", {"καλόγερος", "βράζω"});  // a second article of the same word
    source.Add("Łódź", {"Λοτζ", "ウッチ"});
    source.Add("#tag", {"x"});     // would read as a comment line
    source.Add("lonely", {"メ"});  // keeps no translation
    ImportSummary summary;
    std::vector<SourceEntry> entries = source.Finish(summary);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].headword, "boil");
    EXPECT_THAT(entries[0].items, ElementsAre("βράζω", "καλόγερος"));
    EXPECT_EQ(entries[1].headword, "Lódz");
    EXPECT_THAT(entries[1].items, ElementsAre("Λοτζ"));
    EXPECT_EQ(summary.entries, 2);
    EXPECT_EQ(summary.items, 3);
    EXPECT_EQ(summary.left["entries dropped: a character outside Windows-1252/1253"], 1);
    EXPECT_EQ(summary.left["items dropped: a character outside Windows-1252/1253"], 2);
    EXPECT_EQ(summary.left["entries dropped: headword starts with # or @"], 1);
    EXPECT_EQ(summary.left["entries dropped: no translation left"], 1);
    EXPECT_EQ(summary.left["headwords merged with an earlier entry of the same word"], 1);
}

TEST(DictionarySource, KeepsWordsStoredAlikeApartAndDropsWhatWouldShowGarbled) {
    DictionarySource source;
    source.Add("nic", {"τίποτα"});
    source.Add("nić", {"κλωστή"});  // stored as "nic" too, yet another word
    // A headword is listed in the script of the query that finds it, so a lone "à" stays; as
    // a translation the program would read its byte E0 as the Greek "ΰ", and drops it. A
    // Latin phrase with a Greek omicron, or a Greek word with a Latin "s", never shows as
    // written.
    source.Add("à", {"σε", "à"});
    source.Add("hold on to", {"κρατώ", "hold \xCE\xBFn to"});
    source.Add("αντισηπτικός", {"antiseptic", "αντισηπτικόs"});
    source.Add("λόγοs", {"word"});
    ImportSummary summary;
    std::vector<SourceEntry> entries = source.Finish(summary);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].headword, "nic");
    EXPECT_THAT(entries[0].items, ElementsAre("τίποτα"));
    EXPECT_EQ(entries[1].headword, "nic");
    EXPECT_THAT(entries[1].items, ElementsAre("κλωστή"));
    EXPECT_EQ(entries[2].headword, "à");
    EXPECT_THAT(entries[2].items, ElementsAre("σε"));
    EXPECT_THAT(entries[3].items, ElementsAre("κρατώ"));
    EXPECT_THAT(entries[4].items, ElementsAre("antiseptic"));
    EXPECT_EQ(summary.left["entries dropped: would not show as written (mixed scripts)"], 1);
    EXPECT_EQ(summary.left["items dropped: would not show as written (mixed scripts)"], 3);
}

TEST(DictionarySource, WritesTheCompilerSourceFormat) {
    TempDirectory dir;
    std::string path = dir / "source.txt";
    std::string error;
    ASSERT_TRUE(WriteSourceFile(path, {{"builtin", ""}, {"key", "123"}},
                                {{"λόγος", {"word", "speech"}}, {"x", {"y"}}}, error));
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "# Made by wordmere-freedict from Debian's FreeDict databases; do not edit.\n"
              "@builtin\n@key 123\nλόγος\tword\tspeech\nx\ty\n");
    EXPECT_FALSE(WriteSourceFile("/nonexistent-dir/x.txt", {}, {}, error));
    EXPECT_NE(error.find("/nonexistent-dir/x.txt"), std::string::npos);
}
