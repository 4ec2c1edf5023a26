#include "tools/freedict/thesaurus.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

MappedArticle Article(const std::string& word, const std::string& pos,
                      std::vector<std::string> items) {
    MappedArticle article;
    article.headwords = {word};
    article.partOfSpeech = pos;
    article.items = std::move(items);
    return article;
}

const ThesaurusEntry* Find(const std::vector<ThesaurusEntry>& entries, const std::string& word) {
    for (const ThesaurusEntry& entry : entries) {
        if (entry.headword == word) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

TEST(Thesaurus, RanksSpecificSharedTranslationsFirst) {
    std::vector<MappedArticle> greekEnglish = {
        Article("αρνί", "n", {"lamb", "mutton"}),
        Article("αρνάκι", "n", {"lamb"}),
        Article("αμνός", "n", {"lamb", "Lamb (of God)"}),
        Article("πρόβειο", "n", {"mutton", "sheep"}),
        Article("πρόβατο", "n", {"sheep", "Sheep"}),
        Article("Αρνί", "n", {"lamb"}),  // differs only by case: never offered
        Article("γρήγορα", "adv", {"fast", "quickly"}),
        Article("νηστεία", "n", {"fast"}),   // another part of speech
        Article("λαμπάδα", "n", {"taper"}),  // shares nothing
        Article("bits ανά", "n", {"lamb"}),  // not a Greek word
    };
    greekEnglish.push_back(Article("γράφω", "v", {"write", "fine"}));
    greekEnglish.push_back(Article("προστιμάρω", "v", {"fine"}));
    greekEnglish.push_back(Article("ωραίος", "adj", {"fine"}));
    std::vector<MappedArticle> englishGreek;
    MappedArticle quick;
    quick.headwords = {"quickly"};
    quick.items = {"γοργά", "με μεγάλη ταχύτητα και χωρίς καμία καθυστέρηση", "(γρήγορα)"};
    englishGreek.push_back(quick);
    MappedArticle fine;  // no part of speech: "fine" has several senses, so ψιλή joins none
    fine.headwords = {"fine"};
    fine.items = {"ψιλή"};
    englishGreek.push_back(fine);

    std::vector<ThesaurusEntry> entries = DeriveThesaurus(greekEnglish, englishGreek);
    const ThesaurusEntry* lamb = Find(entries, "αρνί");
    ASSERT_NE(lamb, nullptr);
    // "lamb" joins four Greek words (weight 1/3 each), "mutton" two (weight 1).
    EXPECT_THAT(lamb->related, ElementsAre("πρόβειο", "αρνάκι", "αμνός"));
    EXPECT_THAT(Find(entries, "πρόβατο")->related, ElementsAre("πρόβειο"));
    EXPECT_THAT(Find(entries, "γρήγορα")->related, ElementsAre("γοργά"));
    EXPECT_THAT(Find(entries, "γοργά")->related, ElementsAre("γρήγορα"));
    EXPECT_EQ(Find(entries, "λαμπάδα"), nullptr);
    EXPECT_EQ(Find(entries, "bits ανά"), nullptr);
    EXPECT_EQ(Find(entries, "νηστεία"), nullptr);
    EXPECT_THAT(Find(entries, "γράφω")->related, ElementsAre("προστιμάρω"));
    EXPECT_EQ(Find(entries, "ψιλή"), nullptr);
}

TEST(Thesaurus, IgnoresGeneralWordsAndCapsTheList) {
    std::vector<MappedArticle> greekEnglish;
    const char* letters[] = {"α", "β", "γ", "δ", "ε", "ζ", "η", "θ", "ι", "κ", "λ", "μ",
                             "ν", "ξ", "ο", "π", "ρ", "σ", "τ", "υ", "φ", "χ", "ψ", "ω"};
    // 24 words share "small" (cap test) and 31 share "get" (too general to count).
    for (const char* letter : letters) {
        greekEnglish.push_back(Article(std::string("μικρ") + letter, "adj", {"small", "get"}));
    }
    for (int i = 0; i < 7; ++i) {
        greekEnglish.push_back(Article("παίρν" + std::string(letters[i]), "adj", {"get"}));
    }
    std::vector<ThesaurusEntry> entries = DeriveThesaurus(greekEnglish, {});
    const ThesaurusEntry* first = Find(entries, "μικρα");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->related.size(), kMaxRelated);
    EXPECT_EQ(first->related[0], "μικρβ");
    EXPECT_EQ(Find(entries, "παίρνα"), nullptr);
}

TEST(Thesaurus, FoldsCaseAndAccents) {
    EXPECT_EQ(FoldForComparison("ΆΈΉΊΌΎΏ άέήίόύώ ΪΫϊϋΐΰ ς AbC"), "αεηιουω αεηιουω ιυιυιυ σ abc");
    EXPECT_TRUE(IsGreekOnlyText("λόγος - 2"));
    EXPECT_FALSE(IsGreekOnlyText("λόγος logos"));
    EXPECT_FALSE(IsGreekOnlyText("123"));
    EXPECT_THAT(DeriveThesaurus({}, {}), IsEmpty());
}
