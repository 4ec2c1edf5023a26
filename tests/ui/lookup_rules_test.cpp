// The lookup window's rules without a window: index letters per keyboard, the clipboard word and
// the word box font.
#include "ui/lookup_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "keyboard/keyboard_driver.h"

namespace {

TEST(LetterForButton, LatinKeyboardsGiveTheAlphabet) {
    for (unsigned char mode : {kKeyboardSystem, kKeyboardUs, kKeyboardLatin}) {
        EXPECT_EQ(LetterForButton(100, mode), 'a') << int(mode);
        EXPECT_EQ(LetterForButton(112, mode), 'm') << int(mode);
        EXPECT_EQ(LetterForButton(125, mode), 'z') << int(mode);
    }
}

TEST(LetterForButton, GreekKeyboardSkipsFinalSigmaAndTwoButtons) {
    struct Case {
        int id;
        unsigned char letter;
    };
    const Case cases[] = {
        {100, 0xE1},  // alpha
        {111, 0xEC},  // mu
        {112, 0},     // no letter
        {113, 0xED},  // nu
        {117, 0xF1},  // rho
        {118, 0xF3},  // sigma, not final sigma 0xF2
        {124, 0xF9},  // omega
        {125, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LetterForButton(c.id, kKeyboardGreek), c.letter) << c.id;
    }
}

TEST(LetterForButton, OtherModesAndIdsGiveNothing) {
    for (unsigned char mode : {3, 4, 5, 9}) {
        EXPECT_EQ(LetterForButton(105, mode), 0) << int(mode);
    }
    EXPECT_EQ(LetterForButton(99, kKeyboardSystem), 0);
    EXPECT_EQ(LetterForButton(126, kKeyboardGreek), 0);
}

TEST(LetterButtonsFor, ShowsAllForLatinHidesTwoForGreekLeavesOthers) {
    EXPECT_EQ(LetterButtonsFor(kKeyboardSystem), LetterButtonsLook::kLatin);
    EXPECT_EQ(LetterButtonsFor(kKeyboardUs), LetterButtonsLook::kLatin);
    EXPECT_EQ(LetterButtonsFor(kKeyboardLatin), LetterButtonsLook::kLatin);
    EXPECT_EQ(LetterButtonsFor(kKeyboardGreek), LetterButtonsLook::kGreek);
    EXPECT_EQ(LetterButtonsFor(4), LetterButtonsLook::kGreek);
    EXPECT_EQ(LetterButtonsFor(3), LetterButtonsLook::kUnchanged);
}

std::string Prepared(const char* clipboard, const char* before, bool* search = nullptr) {
    char word[80];
    snprintf(word, sizeof word, "%s", before);
    bool result = PrepareClipboardWord(clipboard, word);
    if (search) {
        *search = result;
    }
    return word;
}

TEST(PrepareClipboardWord, TakesTheFirstBlankDelimitedWord) {
    struct Case {
        const char* clipboard;
        const char* expected;
    };
    const Case cases[] = {
        {"  word-list more", "wordlist"},
        {"House ", "house"},
        {"word\r\nnext line", "word\r\nnext"},  // only a blank ends the word
        {"a\tb c", "a\tb"},
        {"\xCB\xFC\xC3\xCF\xD3 x", "\xEB\xFC\xE3\xEF\xF3"},  // ΛΌΓΟΣ: lower case, accent kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Prepared(c.clipboard, "previous"), c.expected) << c.clipboard;
    }
}

TEST(PrepareClipboardWord, CutsALongWordToForty) {
    std::string text(45, 'q');
    EXPECT_EQ(Prepared(text.c_str(), "previous"), std::string(40, 'q'));
}

TEST(PrepareClipboardWord, ShortOrBlankTextKeepsTheCurrentWord) {
    bool search = false;
    EXPECT_EQ(Prepared("x", "previous", &search), "previous");
    EXPECT_TRUE(search);  // the caller then finds it equal to the last searched word
    EXPECT_EQ(Prepared("    ", "previous"), "previous");
    EXPECT_EQ(Prepared("", "a", &search), "a");
    EXPECT_FALSE(search);
}

TEST(ChooseWordFont, FollowsTheKeyboardThenTheScript) {
    struct Case {
        bool greekText, greekLayout;
        unsigned char mode;
        bool greekFont;
        size_t length;
        bool stop, change, greek;
        const char* what;
    };
    const Case cases[] = {
        {false, false, kKeyboardSystem, false, 5, true, false, false, "Latin text keeps Latin"},
        {false, false, kKeyboardSystem, true, 5, false, true, false, "Latin keyboard: Latin font"},
        {true, false, kKeyboardGreek, true, 5, true, false, false, "Greek driver keeps Greek"},
        {false, false, kKeyboardGreek, false, 5, false, true, true, "Greek driver: Greek font"},
        {true, true, kKeyboardSystem, true, 5, true, false, false, "Greek layout keeps Greek"},
        {false, true, kKeyboardSystem, false, 1, false, true, true, "Greek layout: Greek font"},
        {true, false, kKeyboardSystem, false, 1, false, false, false, "one Greek letter waits"},
        {true, false, kKeyboardSystem, false, 2, false, true, true, "two Greek letters switch"},
        {false, true, kKeyboardUs, false, 4, true, false, false, "script already matches"},
        {false, true, kKeyboardUs, true, 4, false, true, false, "script decides: Latin"},
    };
    for (const Case& c : cases) {
        WordFontChoice choice =
            ChooseWordFont(c.greekText, c.greekLayout, c.mode, c.greekFont, c.length);
        EXPECT_EQ(choice.stop, c.stop) << c.what;
        EXPECT_EQ(choice.change, c.change) << c.what;
        if (c.change) {
            EXPECT_EQ(choice.greek, c.greek) << c.what;
        }
    }
}

}  // namespace
