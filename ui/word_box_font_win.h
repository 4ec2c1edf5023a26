// The font of the lookup window's word box (12003): the Greek or the Latin word font, following
// the keyboard in use and the script of the text while the user types.
#pragma once

#include <windows.h>

// The word and list fonts' sizes, by UseLargeFont.
constexpr int kLargeWordPoints = 13;
constexpr int kWordPoints = 10;

// The two word fonts and which one the box has now. ignoreNextEdit is 1 after the program gave
// the box a font itself: the edit notification that change brings is skipped.
struct WordBoxFont {
    HFONT greek = nullptr;
    HFONT latin = nullptr;
    bool isGreek = false;
    unsigned char ignoreNextEdit = 0;
};

// Gives word box 12003 the Greek or the Latin word font.
void SetWordBoxFont(HWND dialog, WordBoxFont& font, bool greek, bool redraw);
// After the program itself put a word (stored bytes) in the box: its script decides the font.
void FollowWordFont(HWND dialog, WordBoxFont& font, const char* word);
// Message 9872, after each edit of the word box: the rule of the typed text's script, the
// system layout and the keyboard mode in use.
void ApplyWordFontRule(HWND dialog, WordBoxFont& font, unsigned char keyboardMode);
