#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "userdict/user_dict_buttons.h"
#include "userdict/user_dict_path.h"

namespace {

UserDictSelection Selected(const char* word, const char* translation) {
    UserDictSelection s;
    strcpy(s.word, word);
    strcpy(s.translation, translation);
    return s;
}

// Search, Add, Replace as enabled ('1') or not.
std::string AfterWordEdit(const char* word, const char* translation,
                          const UserDictSelection& selected) {
    UserDictButtons b;
    b.replace = true;
    FollowWordEdit(word, translation, selected, b);
    return std::string() + (b.search ? '1' : '0') + (b.add ? '1' : '0') + (b.replace ? '1' : '0');
}

std::string AfterTranslationEdit(const char* word, const char* translation,
                                 const UserDictSelection& selected) {
    UserDictButtons b;
    b.search = true;  // not this rule's business
    FollowTranslationEdit(word, translation, selected, b);
    return std::string() + (b.search ? '1' : '0') + (b.add ? '1' : '0') + (b.replace ? '1' : '0');
}

TEST(UserDictButtons, FollowTheEditsAndTheLoadedEntry) {
    const UserDictSelection none;
    const UserDictSelection house = Selected("house", "spiti");
    struct Case {
        const char* word;
        const char* translation;
        const UserDictSelection* selected;
        const char* afterWord;
        const char* afterTranslation;
    } cases[] = {
        {"", "", &none, "000", "100"},
        {"   ", "x", &none, "000", "100"},
        {"word", "", &none, "100", "100"},
        {"word", "  ", &none, "100", "100"},  // spaces are no translation
        {" word ", "x", &none, "110", "110"},
        // The loaded entry: the same word (any ASCII case, spaces around) is no new word.
        {"house", "spiti", &house, "000", "100"},
        {"HOUSE ", "spiti", &house, "000", "100"},
        {"HOUSE", "SPITI", &house, "000", "100"},  // the same translation, by the same rule
        {"house", "oikos", &house, "000", "101"},
        {"house", "", &house, "000", "100"},
        {"houses", "oikos", &house, "110", "110"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AfterWordEdit(c.word, c.translation, *c.selected), c.afterWord)
            << "'" << c.word << "' / '" << c.translation << "'";
        EXPECT_EQ(AfterTranslationEdit(c.word, c.translation, *c.selected), c.afterTranslation)
            << "'" << c.word << "' / '" << c.translation << "'";
    }
}

TEST(UserDictFolder, BesideTheDictionariesWhileWritableElseInApplicationData) {
    char out[64];
    auto writable = [](const char*) { return true; };
    auto readOnly = [](const char*) { return false; };
    ASSERT_TRUE(
        ChooseUserDictFolder(out, sizeof out, "C:\\Wordmere", "C:\\Users\\a\\AppData", writable));
    EXPECT_STREQ(out, "C:\\Wordmere");
    ASSERT_TRUE(ChooseUserDictFolder(out, sizeof out, "C:\\Program Files\\Wordmere",
                                     "C:\\Users\\a\\AppData", readOnly));
    EXPECT_STREQ(out, "C:\\Users\\a\\AppData\\Wordmere");
    // Nowhere else to go: the program's folder, where a write will tell the user.
    ASSERT_TRUE(ChooseUserDictFolder(out, sizeof out, "C:\\Program Files\\Wordmere", "", readOnly));
    EXPECT_STREQ(out, "C:\\Program Files\\Wordmere");
    EXPECT_FALSE(ChooseUserDictFolder(out, 12, "C:\\Program Files", "", writable));
}

}  // namespace
