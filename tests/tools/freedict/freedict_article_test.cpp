#include "tools/freedict/freedict_article.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

struct ArticleCase {
    const char* name;
    const char* text;
    std::vector<std::string> headwords;
    std::vector<std::string> items;
    int notes;
};

TEST(FreeDictArticle, MapsBothLayouts) {
    const ArticleCase cases[] = {
        {"plain sense",
         "αρμόζω /armˈozo/ <v>\nfit, interlock, snuggle\n",
         {"αρμόζω"},
         {"fit", "interlock", "snuggle"},
         0},
        {"numbered senses with notes and stray sub-sense numbers",
         "έκδοση /ˈek.ðo.si/ <n>\n1. publishing house\nεκδοτικός οίκος\n2. issue 2.\nη "
         "εκτύπωση\n 3.\nη σύνταξη\n3. extradition\n",
         {"έκδοση"},
         {"publishing house", "issue", "extradition"},
         4},
        {"unnumbered sense with notes",
         "abeille /a.bɛj/ <n, fem>\nμέλισσα 2.\nInsecte\n 3.\n",
         {"abeille"},
         {"μέλισσα"},
         2},
        {"double-slash pronunciation",
         "a vanvera //a /ˈvanvera// <adv>\nόπως όπως\n",
         {"a vanvera"},
         {"όπως όπως"},
         0},
        {"no pronunciation or part of speech", "Άαρ\nAar\n", {"Άαρ"}, {"Aar"}, 0},
        {"trailing comma after the pronunciation",
         "αδιευκρίνιστος /a.ði/,\nunclear\n",
         {"αδιευκρίνιστος"},
         {"unclear"},
         0},
        {"phrase with commas in the sense layout",
         "τέλος καλό, όλα καλά /ˈte.los/ <phrase>\nall's well that ends well\n",
         {"τέλος καλό όλα καλά"},
         {"all's well that ends well"},
         0},
        {"paragraph layout: variants and continuation lines",
         "annual percentage rate, APR /ˈanjuːəl/ /ˈapɹə/\n\nετήσιο, ετήσιο ποσό "
         "επιβαρύνσεων,\n    ΕΠΕ\n",
         {"annual percentage rate", "APR"},
         {"ετήσιο", "ετήσιο ποσό επιβαρύνσεων", "ΕΠΕ"},
         0},
        {"commas inside brackets, unbalanced brackets, repeats",
         "frame /fɹˈeɪm/\n\nπλαίσιο,  (of a\n      door, window) κούφωμα, {σώμα, πλαίσιο,,\n",
         {"frame"},
         {"πλαίσιο", "(of a door; window) κούφωμα", "{σώμα"},
         0},
    };
    for (const ArticleCase& c : cases) {
        MappedArticle article = MapArticle(c.text);
        EXPECT_EQ(article.headwords, c.headwords) << c.name;
        EXPECT_EQ(article.items, c.items) << c.name;
        EXPECT_EQ(article.notesDropped, c.notes) << c.name;
    }
}

TEST(FreeDictArticle, KeepsTheFirstPartOfSpeech) {
    EXPECT_EQ(MapArticle("abaca /ˈabaka/ <n, fem>\nαβάκα\n").partOfSpeech, "n");
    EXPECT_EQ(MapArticle("boil /bˈɔɪl/\n\n βράζω\n").partOfSpeech, "");
}

TEST(FreeDictArticle, NumbersThatAreWordsStay) {
    // "10ος" begins with digits but is no sense number; "Louis 14" ends in one without a dot.
    EXPECT_THAT(MapArticle("10e /di.zjɛm/ <adj>\n10ος\n").items, ElementsAre("10ος"));
    EXPECT_THAT(MapArticle("x <pn>\nLouis 14, Henri 4.\n").items, ElementsAre("Louis 14", "Henri"));
}
