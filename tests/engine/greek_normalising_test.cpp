#include "engine/greek_normalising.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/code_pages.h"

namespace {

// What a typed text becomes once stored, read back as Greek.
std::string Stored(const std::string& typed) {
    std::string out;
    EncodeError error;
    if (!TypedToStored(typed, &out, &error)) {
        return "<error>";
    }
    return StoredToUtf8As(out.c_str(), CodePage::kWindows1253);
}

TEST(GreekNormalisingTest, PastedGreekFoldsToTheMonotonicLetters) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"λόγος", "λόγος"},                    // monotonic text stays
        {"λ\u1F79γος", "λόγος"},               // the oxia twin of the tonos letter
        {"θεὸς", "θεός"},                      // varia
        {"ἄνθρωπος", "άνθρωπος"},              // breathing goes, the accent stays as tonos
        {"ὁ", "ο"},                            // breathing alone
        {"τῶν", "τών"},                        // perispomeni
        {"ᾠδῇ", "ωδή"},                        // iota subscript goes
        {"Ἀθῆναι", "Αθήναι"},                  // capital with breathing
        {"ῥήτωρ", "ρήτωρ"},                    // rough breathing on rho
        {"ΐ ΰ ϊ", "ΐ ΰ ϊ"},                    // dialytika kept, with and without the accent
        {"\u1FD3", "ΐ"},                       // the oxia form of iota with dialytika
        {"προϊὸν", "προϊόν"},                  // dialytika and varia in one word
        {"λο\u0301γος", "λόγος"},              // decomposed: letter plus combining acute
        {"α\u0313\u0301νθρωπος", "άνθρωπος"},  // decomposed breathing and accent
        {"ι\u0308\u0301", "ΐ"},                // decomposed dialytika and acute
        {"α\u0345", "α"},                      // combining iota subscript
        {"Ο\u0301", "Ό"},                      // capital
        {"ν\u0300", "ν"},                      // a consonant under a stray accent stays bare
        {"Ν\u0308\u0301", "Ν"},                // and under both marks
        {"λογοσ", "λογος"},                    // a word-final medial sigma
        {"ςπίτι", "σπίτι"},                    // a final sigma inside a word
        {"λόγοσ ρόδα", "λόγος ρόδα"},          // end of a word before a blank
        {"σ", "σ"},                            // a lone letter stays
        {"ϲοφϲ", "σοφς"},                      // lunate sigma, by its place
        {"ϑεϱμός", "θερμός"},                  // letter shapes of older print
        {"ἀπ\u1FBD", "απ"},                    // a spacing mark is left out
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Stored(c.typed), c.stored) << c.typed;
    }
}

TEST(GreekNormalisingTest, LettersWithNoStandInKeepTheError) {
    for (const char* typed : {"ϝ", "ϡ", "\u03E2"}) {
        EXPECT_EQ(Stored(typed), "<error>") << typed;
    }
    // A combining mark after a Latin letter is not Greek folding's to take.
    EXPECT_EQ(Stored("e\u0301"), "<error>");
}

TEST(GreekNormalisingTest, NextMonotonicCharCountsTheMarksItTakes) {
    const char32_t text[] = {0x03B1, 0x0313, 0x0301, 0x03B2};
    MonotonicChar c = NextMonotonicChar(text, 4);
    EXPECT_EQ(c.c, char32_t(0x03AC));
    EXPECT_EQ(c.used, 3u);
    const char32_t latin[] = {'a', 0x0301};
    EXPECT_EQ(NextMonotonicChar(latin, 2).used, 1u);
}

}  // namespace
