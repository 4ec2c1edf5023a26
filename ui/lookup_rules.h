// The lookup window's rules that need no window, so they are checked natively: the letter of an
// index button, which index buttons a keyboard shows, the word taken from a clipboard text and
// the word box font while the user types.
#pragma once

#include <cstddef>

#include "resources/resource_ids.h"

// The stored byte an index button looks up with this keyboard mode, or 0 for none.
unsigned char LetterForButton(int buttonId, unsigned char keyboardMode);

enum class LetterButtonsLook {
    kUnchanged,  // a mode without an index of its own: the buttons stay as they are
    kLatin,      // all 26 buttons
    kGreek,      // 24 buttons: 112 and 125 hidden
};
LetterButtonsLook LetterButtonsFor(unsigned char mainDialogMode);

// The clipboard word: at most 40 characters of the first blank-delimited word of the text.
constexpr size_t kClipboardWordChars = 40;
// Copies the first word of a clipboard text into `word` (room for kClipboardWordChars + 1) and
// returns true. Leading blanks are skipped and only a blank (0x20) ends the word: line breaks
// and tabs are part of it. A text of fewer than two characters, or of blanks only, copies
// nothing and leaves `word` as it was.
bool TakeClipboardWord(const char* text, char* word);

// The word a clipboard lookup searches: the first word of the text (as TakeClipboardWord) in
// lower case without hyphens. `word` keeps its previous content when the text gives no word.
// False when the result is shorter than two characters (nothing is looked up then).
bool PrepareClipboardWord(const char* text, char* word);

// What the word box font does after an edit of the word box.
struct WordFontChoice {
    bool stop = false;    // nothing at all
    bool change = false;  // give the box a font ...
    bool greek = false;   // ... the Greek one (else the Latin one)
};
// textIsGreek: the trimmed box text counts as Greek; layoutIsGreek: the system keyboard layout
// is Greek; keyboardMode: the keyboard in use; fontIsGreek: the box has the Greek font now;
// length: the length of the box text. When not stop, the caller puts the text back with the
// caret at its end.
WordFontChoice ChooseWordFont(bool textIsGreek, bool layoutIsGreek, unsigned char keyboardMode,
                              bool fontIsGreek, size_t length);
