#include "ui/lookup_rules.h"

#include <cstring>

#include "engine/folding.h"
#include "keyboard/keyboard_driver.h"

namespace {

bool IsLatinMode(unsigned char mode) {
    return mode == kKeyboardSystem || mode == kKeyboardUs || mode == kKeyboardLatin;
}

}  // namespace

unsigned char LetterForButton(int buttonId, unsigned char keyboardMode) {
    if (buttonId < IDC_LETTER_FIRST || buttonId > IDC_LETTER_LAST) {
        return 0;
    }
    int k = buttonId - IDC_LETTER_FIRST;
    if (IsLatinMode(keyboardMode)) {
        return static_cast<unsigned char>('a' + k);
    }
    if (keyboardMode != kKeyboardGreek) {
        return 0;
    }
    // α..μ, then ν..ρ, then σ..ω (Windows-1253); final sigma 0xF2 has no button.
    if (buttonId <= 111) {
        return static_cast<unsigned char>(0xE1 + k);
    }
    if (buttonId >= 113 && buttonId <= 117) {
        return static_cast<unsigned char>(0xED + (buttonId - 113));
    }
    if (buttonId >= 118 && buttonId <= 124) {
        return static_cast<unsigned char>(0xF3 + (buttonId - 118));
    }
    return 0;
}

LetterButtonsLook LetterButtonsFor(unsigned char mainDialogMode) {
    if (IsLatinMode(mainDialogMode)) {
        return LetterButtonsLook::kLatin;
    }
    if (mainDialogMode == kKeyboardGreek || mainDialogMode == 4) {
        return LetterButtonsLook::kGreek;
    }
    return LetterButtonsLook::kUnchanged;
}

bool TakeClipboardWord(const char* text, char* word) {
    if (strlen(text) < 2) {
        return false;
    }
    while (*text == ' ') {
        ++text;
    }
    size_t n = 0;
    while (text[n] && text[n] != ' ' && n < kClipboardWordChars) {
        ++n;
    }
    if (n == 0) {
        return false;
    }
    memcpy(word, text, n);
    word[n] = '\0';
    return true;
}

bool PrepareClipboardWord(const char* text, char* word) {
    TakeClipboardWord(text, word);
    if (strlen(word) < 2) {
        return false;
    }
    LowerText(word);
    RemoveHyphens(word);
    return true;
}

WordFontChoice ChooseWordFont(bool g, bool e, unsigned char k, bool f, size_t length) {
    WordFontChoice stop{true, false, false};
    bool latinKeys = IsLatinMode(k);
    if (!g && !e && latinKeys && !f) {
        return stop;
    }
    if (g && !e && k == kKeyboardGreek && f) {
        return stop;
    }
    if (g && e && (k == kKeyboardSystem || k == kKeyboardGreek) && f) {
        return stop;
    }
    if (!g && !e && latinKeys) {
        return {false, true, false};
    }
    if (!e && k == kKeyboardGreek) {
        return {false, true, true};
    }
    if (e && (k == kKeyboardSystem || k == kKeyboardGreek)) {
        return {false, true, true};
    }
    if (length < 2) {
        return {false, false, false};
    }
    if (g == f) {
        return stop;
    }
    return {false, true, !f};
}
