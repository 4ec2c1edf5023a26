#include "engine/sound_key.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"

namespace {

std::string Key(const std::string& utf8) {
    return GreekSoundKey(Stored(utf8));
}

TEST(SoundKeyTest, SpellingsThatSoundAlikeShareTheKey) {
    struct Case {
        const char* misspelt;
        const char* word;
        const char* key;
    } cases[] = {
        {"σπήτι", "σπίτι", "spiti"},                 // η for ι
        {"πέδι", "παιδί", "peDi"},                   // ε for αι, ι anywhere
        {"ελινικός", "ελληνικός", "elinikos"},       // a double consonant written once
        {"ικογένεια", "οικογένεια", "ikoyenia"},     // οι at the start
        {"εφχαριστώ", "ευχαριστώ", "efharisto"},     // ευ sounds ef before χ
        {"αφτοκίνητο", "αυτοκίνητο", "aftokinito"},  // αυ sounds af before τ
        {"εβρώπη", "ευρώπη", "evropi"},              // and ev before a voiced letter
        {"κερός", "καιρός", "keros"},                // ε for αι
        {"θάλασα", "ΘΆΛΑΣΣΑ", "8alasa"},             // case and accents go
        {"ξύλο", "κσίλο", "ksilo"},                  // ξ is κσ
        {"αγκαλιά", "αγγαλιά", "agalia"},            // γκ and γγ
        {"μπίρα", "μπύρα", "bira"},
        {"ντομάτα", "ντομμάτα", "domata"},
        {"καλή όρεξη", "καλί όρεξι", "kali oreksi"},  // a phrase keeps its blank
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Key(c.misspelt), c.key) << c.misspelt;
        EXPECT_EQ(Key(c.word), c.key) << c.word;
    }
}

TEST(SoundKeyTest, LettersHeardApartStayApart) {
    EXPECT_EQ(Key("τσάι"), "tsai");      // the accent on α: two vowels, not ε
    EXPECT_EQ(Key("προϊόν"), "proion");  // the dialytika: ο-ι, not ι
    EXPECT_EQ(Key("κορόιδο"), "koroiDo");
    EXPECT_EQ(Key("είναι"), "ine");  // the accent on the second letter is a digraph's
    EXPECT_NE(Key("δέμα"), Key("ντέμα"));
    EXPECT_NE(Key("βάζο"), Key("μπάζο"));
    EXPECT_NE(Key("ου"), Key("υ"));
}

TEST(SoundKeyTest, GreeklishReadsAsTheSameKeys) {
    struct Case {
        const char* latin;
        const char* greek;
    } cases[] = {
        {"kalimera", "καλημέρα"},     {"kalhmera", "καλημέρα"},
        {"spiti", "σπίτι"},           {"efharisto", "ευχαριστώ"},
        {"eyxaristw", "ευχαριστώ"},   {"euxaristo", "ευχαριστώ"},
        {"8alassa", "θάλασσα"},       {"thalasa", "θάλασσα"},
        {"xenos", "ξένος"},           {"ksenos", "ξένος"},
        {"3enos", "ξένος"},           {"psomi", "ψωμί"},
        {"mpyra", "μπύρα"},           {"bira", "μπύρα"},
        {"ntomata", "ντομάτα"},       {"domata", "ντομάτα"},
        {"aggelos", "άγγελος"},       {"angelos", "άγγελος"},
        {"paidi", "παιδί"},           {"pedi", "παιδί"},
        {"oikogeneia", "οικογένεια"}, {"aftokinito", "αυτοκίνητο"},
        {"autokinhto", "αυτοκίνητο"}, {"kairos", "καιρός"},
        {"Kalh Orexh", "καλή όρεξη"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> keys = GreeklishSoundKeys(Stored(c.latin));
        EXPECT_LE(keys.size(), kMaxGreeklishKeys) << c.latin;
        EXPECT_NE(std::find(keys.begin(), keys.end(), Key(c.greek)), keys.end())
            << c.latin << " gives no " << Key(c.greek);
    }
    EXPECT_TRUE(GreeklishSoundKeys("123").empty());
    // Every ambiguous letter doubles the readings; they stop at the limit.
    EXPECT_LE(GreeklishSoundKeys("hxbdgucy hxbdguc").size(), kMaxGreeklishKeys);
}

TEST(SoundKeyTest, EditDistanceCountsASwapAsOneAndStopsAtTheLimit) {
    struct Case {
        const char* a;
        const char* b;
        int limit;
        int distance;
    } cases[] = {
        {"spiti", "spiti", 2, 0},  {"spiti", "spti", 2, 1}, {"spiti", "sipti", 2, 1},
        {"spiti", "spitia", 2, 1}, {"spiti", "piti", 2, 1}, {"spiti", "xyz", 2, 3},
        {"", "ab", 2, 2},          {"abcdef", "a", 1, 2},   {"kitten", "sitting", 5, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditDistance(c.a, c.b, c.limit), c.distance) << c.a << " " << c.b;
    }
}

}  // namespace
