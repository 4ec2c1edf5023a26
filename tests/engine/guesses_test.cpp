#include "engine/guesses.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "engine/word_forms.h"
#include "engine_fixture.h"
#include "tests/temp_directory.h"

namespace {

// The sample dictionary with a guesser, as the window and the shell tool search.
class GuessesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary = OpenFixture("guesses");
        dictionary->options.accent = true;
        dictionary->options.root = true;
        dictionary->engine->guesser = &guesser;
    }
    void TearDown() override { dictionary->engine->guesser = nullptr; }

    std::string First() {
        std::vector<std::string> words = dictionary->Words();
        return words.empty() ? "" : words[0];
    }
    std::string Status() const { return Utf8(dictionary->view.status); }

    Guesser guesser;
    std::unique_ptr<OpenDictionary> dictionary;
};

TEST_F(GuessesTest, MisspellingsByEarFindTheWordMeant) {
    struct Case {
        const char* typed;
        const char* first;
    } cases[] = {
        {"σπήτι", "σπίτι"},  // a slip that no index block would recover
        {"πέδι", "πέδη"},    // sounds like παιδί too: the one spelt closer first
        {"ελινικός", "ελληνικός"},
        {"ικογένεια", "οικογένεια"},  // the first letters wrong
        {"εφχαριστώ", "ευχαριστώ"},
        {"αφτοκίνητο", "αυτοκίνητο"},
        {"κερός", "καιρός"},
        {"θάλλασα", "θάλασσα"},
        {"καλιμερα", "καλημέρα"},
        {"οικογενια", "οικογένεια"},  // not one sound off: one edit away
        {"ευχαρστώ", "ευχαριστώ"},    // a letter left out
    };
    for (const Case& c : cases) {
        dictionary->Search(c.typed);
        EXPECT_EQ(First(), c.first) << c.typed;
        EXPECT_EQ(Status(), std::string("Did you mean: ") + c.first) << c.typed;
        EXPECT_EQ(guesser.LastGuesses().at(0).reason, MatchReason::kSpelling) << c.typed;
    }
    dictionary->Search("πέδι");
    EXPECT_EQ(dictionary->Words().at(1), "παιδί");
}

TEST_F(GuessesTest, GreeklishFindsTheGreekWord) {
    struct Case {
        const char* typed;
        const char* first;
    } cases[] = {
        {"kalimera", "καλημέρα"},     {"spiti", "σπίτι"},    {"efharisto", "ευχαριστώ"},
        {"8alassa", "θάλασσα"},       {"xenos", "ξένος"},    {"psomi", "ψωμί"},
        {"mpyra", "μπύρα"},           {"domata", "ντομάτα"}, {"paidi", "παιδί"},
        {"kali orexi", "καλή όρεξη"},
    };
    for (const Case& c : cases) {
        dictionary->Search(c.typed);
        EXPECT_EQ(First(), c.first) << c.typed;
        EXPECT_EQ(Status(), std::string("In Greek letters: ") + c.first) << c.typed;
    }
    // An English word that is found stays as the index shows it.
    dictionary->Search("spit");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"spit"}));
    EXPECT_EQ(Status(), "");
}

TEST_F(GuessesTest, AWordThatIsAHeadwordListsAsWithoutGuesses) {
    for (const char* word : {"σπίτι", "όρεξη", "καλή", "λόγ", "σ", "house"}) {
        dictionary->Search(word);
        std::vector<std::string> with = dictionary->Words();
        std::string statusWith = Status();
        dictionary->engine->guesser = nullptr;
        dictionary->Search(word);
        EXPECT_EQ(with, dictionary->Words()) << word;
        EXPECT_EQ(statusWith, Status()) << word;
        dictionary->engine->guesser = &guesser;
    }
}

TEST_F(GuessesTest, AFormListsItsHeadwordFirstThenWhatBeginsWithIt) {
    std::map<std::string, std::vector<std::string>> forms = {
        {Stored("λόγου"), {Stored("λόγος")}},
        {Stored("σπιτιού"), {Stored("σπίτι"), Stored("σπιτικός")}},
        {Stored("παιδιά"), {Stored("παιδάκι"), Stored("παιδί")}},  // a lemma not in it is skipped
    };
    guesser.SetFormLemmas([&](std::string_view form) {
        auto found = forms.find(std::string(form));
        return found == forms.end() ? std::vector<std::string>() : found->second;
    });
    dictionary->Search("λόγου");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"λόγος", "λόγου χάρη"}));
    EXPECT_EQ(Status(), "A form of: λόγος");
    EXPECT_EQ(dictionary->Translations().at(0), "reason");

    dictionary->Search("σπιτιού");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"σπίτι", "σπιτικός"}));
    EXPECT_EQ(guesser.LastGuesses().at(1).reason, MatchReason::kFormOf);

    dictionary->Search("παιδιά");
    EXPECT_EQ(First(), "παιδί");
    EXPECT_EQ(Status(), "A form of: παιδί");
}

TEST_F(GuessesTest, WithoutAFormsTableAFormIsGuessedByItsSpellingOrListsAsBefore) {
    dictionary->Search("σπιτιού");
    EXPECT_EQ(First(), "σπίτι");
    EXPECT_EQ(Status(), "Did you mean: σπίτι");
    // Something begins with it: no spelling guesses crowd the words that do.
    dictionary->Search("λόγου");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"λόγου χάρη"}));
    EXPECT_EQ(Status(), "");
}

TEST_F(GuessesTest, NothingLikeTheWordKeepsTheOldMessages) {
    EXPECT_FALSE(dictionary->Search("ξψ"));
    EXPECT_TRUE(dictionary->Words().empty());
    EXPECT_EQ(Status(), "Can't find the requested word");
    EXPECT_TRUE(guesser.LastGuesses().empty());
}

TEST_F(GuessesTest, PhrasesWithTheWordFollowTheWordsFound) {
    dictionary->options.listPhrases = true;
    dictionary->Search("όρεξη");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"όρεξη", "καλή όρεξη", "με όρεξη"}));
    dictionary->Search("ορεξη");  // compared without accents, as the search compares
    EXPECT_EQ(dictionary->Words().size(), 3u);
    // A phrase that begins with the word is listed once.
    dictionary->Search("λόγος");
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"λόγος"}));
    EXPECT_EQ(
        guesser.PhrasesWith(*dictionary->engine, &dictionary->view, Stored("με").c_str()).size(),
        0u);  // too short a word to be worth it
}

TEST_F(GuessesTest, ThePhrasesOfAWordCanTakeTheListsPlace) {
    dictionary->Search("σπίτι");
    EXPECT_EQ(ListPhrasesWith(*dictionary->engine, dictionary->view, dictionary->options,
                              Stored("σπίτι").c_str()),
              0);
    EXPECT_EQ(First(), "σπίτι");  // no phrase: the list stays
    EXPECT_EQ(ListPhrasesWith(*dictionary->engine, dictionary->view, dictionary->options,
                              Stored("όρεξη").c_str()),
              2);
    EXPECT_EQ(dictionary->Words(), std::vector<std::string>({"καλή όρεξη", "με όρεξη"}));
    EXPECT_EQ(dictionary->Translations(), std::vector<std::string>({"enjoy your meal"}));
    EXPECT_EQ(Status(), "Phrases with: όρεξη");
    EXPECT_STREQ(dictionary->view.count, "2");
}

TEST_F(GuessesTest, TheIndexIsReadAgainAfterTheFilesChange) {
    dictionary->Search("σπήτι");
    EXPECT_EQ(First(), "σπίτι");
    std::string body;
    std::string index;
    CompileFixture("greek_english", &body, &index);
    OpenDictionary other(body, index);
    other.options.accent = true;
    other.engine->guesser = &guesser;
    other.Search("βυβλίο");
    EXPECT_EQ(other.Words().at(0), "βιβλίο");
    other.engine->guesser = nullptr;
}

TEST_F(GuessesTest, TheFormsTableIsReadFromItsFileOnlyOnAMiss) {
    TempDirectory dir;
    std::string path = dir.Path() + "/forms.dat";
    std::string table = BuildWordFormsFile({{Stored("σπιτιού"), {Stored("σπίτι")}}});
    std::ofstream(path, std::ios::binary) << table;
    int asked = 0;
    FormLemmas lemmas = WordFormsLemmas(path);
    guesser.SetFormLemmas([&](std::string_view form) {
        ++asked;
        return lemmas(form);
    });
    dictionary->Search("σπίτι");
    EXPECT_EQ(asked, 0);
    dictionary->Search("σπιτιού");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Status(), "A form of: σπίτι");
    EXPECT_EQ(guesser.LastGuesses().at(0).reason, MatchReason::kFormOf);

    // A missing or damaged table: no forms, and the spelling guesses as without one.
    std::string damaged = table;
    damaged[damaged.size() - 1] ^= 0x55;
    std::ofstream(dir.Path() + "/damaged.dat", std::ios::binary) << damaged;
    for (const std::string& file : {dir.Path() + "/missing.dat", dir.Path() + "/damaged.dat"}) {
        guesser.SetFormLemmas(WordFormsLemmas(file));
        dictionary->Search("σπιτιού");
        EXPECT_EQ(First(), "σπίτι") << file;
        EXPECT_EQ(Status(), "Did you mean: σπίτι") << file;
    }
}

}  // namespace
