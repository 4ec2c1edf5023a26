#include "engine/pair_translation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"

namespace {

typedef std::vector<std::string> Texts;

// A pair opened from memory: the first dictionary (French-like) is the main one, the second
// (Italian-like) is where the Greek pivot words are looked up. The keys differ.
class PairTest : public ::testing::Test {
protected:
    PairTest() : engine(new Engine) {}
    ~PairTest() override { CloseDictionaryFiles(*engine); }

    void Open(const std::string& mainEntries, const std::string& secondEntries) {
        CompileSource(PairableSource("French", "Γαλλικά", "5820417396", mainEntries), &mainBody,
                      &mainIndex);
        CompileSource(PairableSource("Italian", "Ιταλικά", "7311", secondEntries), &secondBody,
                      &secondIndex);
        engine->mainBody = OpenMemoryDictFile(mainBody.data(), mainBody.size());
        engine->mainIndex = OpenMemoryDictFile(mainIndex.data(), mainIndex.size());
        engine->secondBody = OpenMemoryDictFile(secondBody.data(), secondBody.size());
        engine->secondIndex = OpenMemoryDictFile(secondIndex.data(), secondIndex.size());
        ASSERT_TRUE(ReadTrailer(&view, engine->mainBody, &engine->trailer));
        ASSERT_TRUE(ReadTrailer(&view, engine->secondBody, &engine->secondTrailer));
        engine->pairMode = true;
        engine->hooks.showPairTranslations = ShowPairTranslations;
        options.accent = true;
    }

    // Searches a word and returns the translations shown for the first match.
    Texts Translate(const std::string& word) {
        char query[100];
        snprintf(query, sizeof query, "%s", Stored(word).c_str());
        SearchWord(*engine, view, options, query);
        EXPECT_EQ(view.waitCursorDepth, 0);
        Texts out;
        for (int i = 0; i < view.translations.Count(); ++i) {
            out.push_back(Utf8(view.translations.TextAt(i)));
        }
        return out;
    }

    std::string mainBody, mainIndex, secondBody, secondIndex;
    std::unique_ptr<Engine> engine;
    PlainLookupView view;
    SearchOptions options;
};

TEST_F(PairTest, OffersOnlyTranslationsThatLeadBackToThePivot) {
    Open("maison\tσπίτι\n",
         "σπίτι\tcasa\tdimora\tabitazione\n"
         "casa\tσπίτι\n"
         "dimora\tκατοικία\n");  // lists another word back; abitazione has no entry
    EXPECT_EQ(Translate("maison"), (Texts{"casa"}));
    EXPECT_EQ(view.translations.Selection(), 0);
    EXPECT_EQ(view.diskErrors, 0);
}

TEST_F(PairTest, ACandidateIsListedOnceWhateverItsCase) {
    Open("maison\tσπίτι\tοίκος\n",
         "σπίτι\tcasa\n"
         "οίκος\tCasa\tcasa\n"
         "casa\tσπίτι\tοίκος\n"
         "Casa\tοίκος\n");
    EXPECT_EQ(Translate("maison"), (Texts{"casa"}));
}

TEST_F(PairTest, SkipsOneByteCandidatesAndCandidatesWithSpaces) {
    Open("maison\tσπίτι\nmaison close\tσπίτι\n",
         "σπίτι\tc\tla casa\tcasa\n"
         "c\tσπίτι\n"
         "la casa\tσπίτι\n"
         "casa\tσπίτι\n");
    EXPECT_EQ(Translate("maison"), (Texts{"casa"}));
    // Nor is a headword with a space listed in pair mode.
    ASSERT_EQ(view.words.Count(), 1);
}

TEST_F(PairTest, FollowsOnlyTheFirstTwentyPivotWords) {
    const char* greek[] = {"α", "β", "γ", "δ", "ε", "ζ", "η", "θ", "ι", "κ", "λ",
                           "μ", "ν", "ξ", "ο", "π", "ρ", "σ", "τ", "υ", "φ"};
    std::string main = "mot";
    std::string second;
    for (int i = 0; i < 21; ++i) {
        std::string pivot = std::string("π") + greek[i];
        std::string candidate = std::string("cand") + static_cast<char>('a' + i);
        main += "\t" + pivot;
        second += pivot + "\t" + candidate + "\n" + candidate + "\t" + pivot + "\n";
    }
    Open(main + "\n", second);
    Texts got = Translate("mot");
    EXPECT_EQ(got.size(), 20u);
    EXPECT_EQ(got.front(), "canda");
    EXPECT_EQ(got.back(), "candt");
}

TEST_F(PairTest, AFullListEndsTheOperationWithNothingSelected) {
    Open("maison\tσπίτι\n",
         "σπίτι\tcasa\tdimora\n"
         "casa\tσπίτι\n"
         "dimora\tσπίτι\n");
    view.translations.SetCapacity(1);
    EXPECT_EQ(Translate("maison"), (Texts{"casa"}));
    EXPECT_EQ(view.translations.Selection(), -1);
}

// The pivot's block spans two chunks: its first entry ends the first chunk exactly, the second
// (same headword) opens the next. The reverse check in between reads elsewhere in the same
// file, so the scan only finds the second entry when it resumes where it was.
TEST_F(PairTest, TheScanResumesAfterEachReverseCheck) {
    std::string second;
    char filler[32];
    for (int i = 0; i < 2519; ++i) {  // 2519 entries of 11 bytes: 27709 bytes
        snprintf(filler, sizeof filler, "σπά%05d\tξ\n", i);
        second += filler;
    }
    second += "σπίτι\tcasa\n";  // 11 bytes: ends the 27720-byte chunk
    second += "σπίτι\tdimora\n";
    second += "casa\tσπίτι\ndimora\tσπίτι\n";
    Open("maison\tσπίτι\n", second);
    EXPECT_EQ(Translate("maison"), (Texts{"casa", "dimora"}));
    EXPECT_EQ(view.diskErrors, 0);
}

TEST_F(PairTest, AUserWordShowsItsOwnTranslation) {
    Open("maison\tσπίτι\n", "σπίτι\tcasa\ncasa\tσπίτι\n");
    engine->hooks.listUserDictTranslations = [](Engine&, LookupView& view, uint32_t data) {
        EXPECT_EQ(data, kUserDictItemFlag + 5);
        view.Translations().Add("mine");
    };
    view.words.Clear();
    view.words.SetItemData(view.words.Add("maison"), kUserDictItemFlag + 5);
    view.words.Select(0);
    options.useUserDict = true;
    ShowPairTranslations(*engine, view, options);
    ASSERT_EQ(view.translations.Count(), 1);
    EXPECT_STREQ(view.translations.TextAt(0), "mine");
}

TEST_F(PairTest, ReverseCheckComparesBytesExactly) {
    Open("maison\tσπίτι\n", "casa\tσπίτι\tΣπίτι\n");
    struct Case {
        const char* pivot;
        const char* candidate;
        bool expected;
    };
    const Case cases[] = {
        {"σπίτι", "casa", true},  {"Σπίτι", "casa", true}, {"σπιτι", "casa", false},
        {"σπίτι", "Casa", false}, {"σπίτι", "cas", false}, {"σπίτι", "c", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReverseCheck(*engine, &view, Stored(c.pivot).c_str(), c.candidate), c.expected)
            << c.pivot << " " << c.candidate;
    }
}

}  // namespace
