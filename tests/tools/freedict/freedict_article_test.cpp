#include "tools/freedict/freedict_article.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

struct ArticleCase {
    const char* name;
    bool intoGreek;
    const char* text;
    std::vector<std::string> headwords;
    std::vector<std::string> items;
    int notes;
};

TEST(FreeDictArticle, MapsBothLayouts) {
    const ArticleCase cases[] = {
        {"plain sense",
         false,
         "αρμόζω /armˈozo/ <v>\nfit, interlock, snuggle\n",
         {"αρμόζω"},
         {"fit", "interlock", "snuggle"},
         0},
        {"numbered senses with notes and stray sub-sense numbers",
         false,
         "έκδοση /ˈek.ðo.si/ <n>\n1. publishing house\nεκδοτικός οίκος\n2. issue 2.\nη "
         "εκτύπωση\n 3.\nη σύνταξη\n3. extradition\n",
         {"έκδοση"},
         {"publishing house", "issue", "extradition"},
         4},
        {"unnumbered sense with notes",
         true,
         "abeille /a.bɛj/ <n, fem>\nμέλισσα 2.\nInsecte\n 3.\n",
         {"abeille"},
         {"μέλισσα"},
         2},
        {"double-slash pronunciation",
         true,
         "a vanvera //a /ˈvanvera// <adv>\nόπως όπως\n",
         {"a vanvera"},
         {"όπως όπως"},
         0},
        {"no pronunciation or part of speech", false, "Άαρ\nAar\n", {"Άαρ"}, {"Aar"}, 0},
        {"trailing comma after the pronunciation",
         false,
         "αδιευκρίνιστος /a.ði/,\nunclear\n",
         {"αδιευκρίνιστος"},
         {"unclear"},
         0},
        {"phrase with commas in the sense layout",
         false,
         "τέλος καλό, όλα καλά /ˈte.los/ <phrase>\nall's well that ends well\n",
         {"τέλος καλό όλα καλά"},
         {"all's well that ends well"},
         0},
        {"paragraph layout: variants and continuation lines",
         true,
         "annual percentage rate, APR /ˈanjuːəl/ /ˈapɹə/\n\nετήσιο, ετήσιο ποσό "
         "επιβαρύνσεων,\n    ΕΠΕ\n",
         {"annual percentage rate", "APR"},
         {"ετήσιο", "ετήσιο ποσό επιβαρύνσεων", "ΕΠΕ"},
         0},
        {"commas inside brackets, unbalanced brackets, repeats",
         true,
         "frame /fɹˈeɪm/\n\nπλαίσιο,  (of a\n      door, window) κούφωμα, {σώμα, πλαίσιο,,\n",
         {"frame"},
         {"πλαίσιο", "(of a door; window) κούφωμα", "{σώμα"},
         0},
        {"numbered notes of a database into Greek",
         true,
         "huis //hœːs// //ɦœʏ̯s// <n>\nσπίτι, οίκος\n1. een gebouw bestemd om in te wonen\n",
         {"huis"},
         {"σπίτι", "οίκος"},
         1},
        {"numbered translations and notes mixed",
         true,
         "accurato //akku'rato// <adj>\n1. ακριβής\n1. (matematica) eseguito\n2. επιμελής "
         "2.\n2. che agisce\n 3.\nmeticoloso\n",
         {"accurato"},
         {"ακριβής", "επιμελής"},
         4},
        {"placeholder for a missing translation",
         false,
         "αγάντα /aɣˈada/\n1. courage, endure\nεπιφώνημα\n2. ΧΧΧ\nναυτικό\n",
         {"αγάντα"},
         {"courage", "endure"},
         2},
    };
    for (const ArticleCase& c : cases) {
        MappedArticle article = MapArticle(c.text, c.intoGreek);
        EXPECT_EQ(article.headwords, c.headwords) << c.name;
        EXPECT_EQ(article.items, c.items) << c.name;
        EXPECT_EQ(article.notesDropped, c.notes) << c.name;
    }
}

TEST(FreeDictArticle, CountsPlaceholders) {
    MappedArticle article =
        MapArticle("άντλημα /ˈadlimˌa/ <n>\n1. ΧΧΧ\n2. χχχ, να προστεθεί μετάφραση\n", false);
    EXPECT_TRUE(article.items.empty());
    EXPECT_EQ(article.placeholdersDropped, 3);
}

TEST(FreeDictArticle, KeepsTheFirstPartOfSpeech) {
    EXPECT_EQ(MapArticle("abaca /ˈabaka/ <n, fem>\nαβάκα\n", true).partOfSpeech, "n");
    EXPECT_EQ(MapArticle("boil /bˈɔɪl/\n\n βράζω\n", true).partOfSpeech, "");
}

TEST(FreeDictArticle, NumbersThatAreWordsStay) {
    // "10ος" begins with digits but is no sense number; "Louis 14" ends in one without a dot.
    EXPECT_THAT(MapArticle("10e /di.zjɛm/ <adj>\n10ος\n", true).items, ElementsAre("10ος"));
    EXPECT_THAT(MapArticle("x <pn>\nLouis 14, Henri 4.\n", false).items,
                ElementsAre("Louis 14", "Henri"));
}
