#include "engine/word_forms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "engine/dict_file.h"
#include "tests/temp_directory.h"

namespace {

std::string Stored(const std::string& utf8) {
    std::string out;
    EncodeError error;
    EXPECT_TRUE(Utf8ToStored(utf8, &out, &error)) << utf8;
    return out;
}

std::vector<std::string> StoredList(const std::vector<std::string>& utf8) {
    std::vector<std::string> out;
    for (const std::string& word : utf8) {
        out.push_back(Stored(word));
    }
    return out;
}

// A small table in Greek, with enough made-up forms after it to fill several blocks.
std::vector<WordFormEntry> Entries() {
    std::vector<WordFormEntry> entries = {
        {Stored("σπιτιού"), {Stored("σπίτι")}},
        {Stored("σπιτιών"), {Stored("σπίτι")}},
        {Stored("πήρα"), {Stored("παίρνω")}},
        {Stored("είδα"), {Stored("βλέπω")}},
        {Stored("καλής"), {Stored("καλός")}},
        {Stored("γράφτηκε"), {Stored("γράφομαι"), Stored("γράφω")}},
        {Stored("λόγου"), {Stored("λόγος")}},
    };
    for (int i = 0; i < 200; ++i) {
        entries.push_back({"form" + std::to_string(i), {"lemma" + std::to_string(i % 7)}});
    }
    return entries;
}

std::string WriteFile(const TempDirectory& dir, const std::string& bytes) {
    std::string path = dir / kWordFormsFileName;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The bytes must outlive the table's questions: it reads them on the first.
bool OpenBytes(WordForms* forms, const std::string& bytes) {
    return forms->OpenFile(OpenMemoryDictFile(bytes.data(), bytes.size()));
}

}  // namespace

TEST(WordFormsTest, FormsFindTheirLemmasBestFirst) {
    TempDirectory dir;
    WordForms forms;
    ASSERT_TRUE(forms.Open(WriteFile(dir, BuildWordFormsFile(Entries()))));
    EXPECT_TRUE(forms.IsOpen());

    struct Case {
        std::string form;
        std::vector<std::string> lemmas;
    };
    const std::vector<Case> cases = {
        {"σπιτιού", {"σπίτι"}},
        {"σπιτιών", {"σπίτι"}},
        {"πήρα", {"παίρνω"}},
        {"είδα", {"βλέπω"}},
        {"γράφτηκε", {"γράφομαι", "γράφω"}},  // the order written is kept
        {"λόγου", {"λόγος"}},
        // Only whole forms answer: no prefix, no longer word, no other accent or case.
        {"σπιτι", {}},
        {"σπιτιούς", {}},
        {"σπίτιού", {}},
        {"Λόγου", {}},
        {"λόγ", {}},
        // Before the first form, after the last, and the lemmas themselves.
        {"α", {}},
        {"ώώώ", {}},
        {"σπίτι", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(forms.LemmasOf(Stored(c.form)), StoredList(c.lemmas)) << c.form;
    }
    EXPECT_TRUE(forms.LemmasOf("").empty());
    EXPECT_TRUE(forms.LemmasOf(std::string(300, 'a')).empty());
}

// Every form of a table of many blocks is found, including each block's first and last.
TEST(WordFormsTest, EveryFormOfManyBlocksIsFound) {
    WordForms forms;
    std::string bytes = BuildWordFormsFile(Entries());
    ASSERT_TRUE(OpenBytes(&forms, bytes));
    for (const WordFormEntry& entry : Entries()) {
        EXPECT_EQ(forms.LemmasOf(entry.form), entry.lemmas) << entry.form;
        EXPECT_TRUE(forms.LemmasOf(entry.form + "x").empty()) << entry.form;
    }
}

TEST(WordFormsTest, AFormListedTwiceKeepsBothLemmasOnce) {
    WordForms forms;
    std::string bytes = BuildWordFormsFile({{"ab", {"x", "y"}},
                                            {"ab", {"y", "z"}},
                                            {"", {"x"}},
                                            {"cd", {""}},
                                            {std::string(256, 'a'), {"x"}}});
    ASSERT_TRUE(OpenBytes(&forms, bytes));
    EXPECT_EQ(forms.LemmasOf("ab"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_TRUE(forms.LemmasOf("cd").empty());
}

TEST(WordFormsTest, AnEmptyTableOpensAndAnswersNothing) {
    WordForms forms;
    std::string bytes = BuildWordFormsFile({});
    ASSERT_TRUE(OpenBytes(&forms, bytes));
    EXPECT_TRUE(forms.LemmasOf("ab").empty());
}

TEST(WordFormsTest, AMissingOrForeignFileDoesNotOpen) {
    TempDirectory dir;
    WordForms forms;
    EXPECT_FALSE(forms.Open(dir / "none.dat"));
    EXPECT_FALSE(forms.Open(dir.Path()));  // a directory
    EXPECT_FALSE(forms.Open(WriteFile(dir, "")));
    EXPECT_FALSE(forms.Open(WriteFile(dir, std::string(4096, 'x'))));
    EXPECT_FALSE(forms.IsOpen());
    EXPECT_TRUE(forms.LemmasOf(Stored("σπιτιού")).empty());
    EXPECT_FALSE(forms.OpenFile(nullptr));
}

// A cut file never opens; a file with any one byte changed either does not open or, once its
// body is read, closes and answers nothing: never a wrong lemma, never a crash.
TEST(WordFormsTest, ACutOrDamagedFileAnswersNothing) {
    const std::string whole = BuildWordFormsFile(Entries());
    const std::string probe = Stored("σπιτιού");
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string cut = whole.substr(0, length);
        WordForms forms;
        EXPECT_FALSE(OpenBytes(&forms, cut)) << length;
    }
    for (size_t at = 0; at < whole.size(); ++at) {
        std::string damaged = whole;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x21);
        WordForms forms;
        if (!OpenBytes(&forms, damaged)) {
            continue;
        }
        EXPECT_TRUE(forms.LemmasOf(probe).empty()) << at;
        EXPECT_FALSE(forms.IsOpen()) << at;
    }
}

// Damage that keeps the checksum right (a file written wrongly, or made to match) still
// cannot lead a question outside the file.
TEST(WordFormsTest, DamageBehindAGoodChecksumStaysInsideTheFile) {
    const std::string whole = BuildWordFormsFile(Entries());
    for (size_t at = kWordFormsHeaderSize; at < whole.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::string damaged = whole;
            damaged[at] = static_cast<char>(value);
            uint32_t sum = WordFormsChecksum(reinterpret_cast<const unsigned char*>(damaged.data()),
                                             damaged.size());
            for (int i = 0; i < 4; ++i) {
                damaged[kWordFormsChecksumOffset + i] = static_cast<char>(sum >> (8 * i));
            }
            WordForms forms;
            ASSERT_TRUE(OpenBytes(&forms, damaged));
            for (const char* form : {"form1", "form150", "zzz", "a"}) {
                forms.LemmasOf(form);
            }
            forms.LemmasOf(Stored("σπιτιού"));
        }
    }
}

TEST(WordFormsTest, ReopeningReplacesTheTable) {
    WordForms forms;
    std::string first = BuildWordFormsFile({{"ab", {"x"}}});
    std::string second = BuildWordFormsFile({{"cd", {"y"}}});
    ASSERT_TRUE(OpenBytes(&forms, first));
    EXPECT_EQ(forms.LemmasOf("ab"), std::vector<std::string>{"x"});
    ASSERT_TRUE(OpenBytes(&forms, second));
    EXPECT_TRUE(forms.LemmasOf("ab").empty());
    EXPECT_EQ(forms.LemmasOf("cd"), std::vector<std::string>{"y"});
    forms.Close();
    EXPECT_FALSE(forms.IsOpen());
    EXPECT_TRUE(forms.LemmasOf("cd").empty());
}
