#include "keyboard/keyboard_selection.h"

#include <cstring>

KeyboardSelection CurrentKeyboard;

namespace {

const int kRadioIds[3] = {IDC_KEYBOARD_SYSTEM, IDC_KEYBOARD_LANG1, IDC_KEYBOARD_LANG2};

struct KeyboardPart {
    char label[kKeyboardLabelSize];
    unsigned char mode;
};

// One "Label.mode" part of a description, the characters [begin, end). A part without a dot is
// all label, with mode 0. The mode keeps the low 8 bits of its decimal digits, as a byte would.
void ParsePart(const char* begin, const char* end, KeyboardPart& part) {
    const char* dot = begin;
    while (dot < end && *dot != '.') {
        ++dot;
    }
    size_t length = static_cast<size_t>(dot - begin);
    if (length > sizeof(part.label) - 1) {
        length = sizeof(part.label) - 1;
    }
    std::memcpy(part.label, begin, length);
    part.label[length] = '\0';

    unsigned value = 0;
    for (const char* p = dot + 1; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = (value * 10 + static_cast<unsigned>(*p - '0')) & 0xFF;
    }
    part.mode = static_cast<unsigned char>(value);
}

void CheckOnly(KeyboardDialog& dialog, int radioId) {
    for (int id : kRadioIds) {
        dialog.CheckRadio(id, id == radioId);
    }
}

// The lookup dialog's choice is the one the user dictionary dialog returns to when it closes.
void KeepLookupChoice(KeyboardSelection& keyboard, KeyboardDialog& dialog) {
    if (dialog.IsLookupDialog()) {
        keyboard.mainDialogMode = keyboard.mode;
        dialog.PostRefreshLetters();
    }
}

}  // namespace

void ApplyKeyboardDescription(KeyboardSelection& keyboard, KeyboardDialog& dialog,
                              const char* description) {
    keyboard.modeTable[0] = keyboard.modeTable[1] = keyboard.modeTable[2] = 0;
    keyboard.index = 0;

    size_t length = 0;
    while (description != nullptr && length < kKeyboardDescriptionSize &&
           description[length] != '\0') {
        ++length;
    }
    if (length != 0) {
        const char* end = description + length;
        const char* at = static_cast<const char*>(std::memchr(description, '@', length));
        KeyboardPart part;
        ParsePart(description, at != nullptr ? at : end, part);
        dialog.SetRadioCaption(IDC_KEYBOARD_LANG1, part.label);
        keyboard.modeTable[1] = part.mode;
        if (at != nullptr) {
            ParsePart(at + 1, end, part);
            dialog.SetRadioCaption(IDC_KEYBOARD_LANG2, part.label);
            keyboard.modeTable[2] = part.mode;
        }
    }

    bool firstOffered = keyboard.modeTable[1] != 0;
    dialog.ShowRadio(IDC_KEYBOARD_SYSTEM, firstOffered);
    dialog.ShowRadio(IDC_KEYBOARD_LANG1, firstOffered);
    dialog.ShowRadio(IDC_KEYBOARD_LANG2, keyboard.modeTable[2] != 0);
    CheckOnly(dialog, IDC_KEYBOARD_SYSTEM);

    keyboard.mode = keyboard.modeTable[0];
    keyboard.mainDialogMode = keyboard.modeTable[0];
    dialog.PostRefreshLetters();
}

void SelectKeyboard(KeyboardSelection& keyboard, KeyboardDialog& dialog, int radioId) {
    if (radioId < IDC_KEYBOARD_SYSTEM || radioId > IDC_KEYBOARD_LANG2) {
        return;
    }
    CheckOnly(dialog, radioId);
    keyboard.index = static_cast<unsigned char>(radioId - IDC_KEYBOARD_SYSTEM);
    keyboard.mode = keyboard.modeTable[keyboard.index];
    KeepLookupChoice(keyboard, dialog);
    // The driver translates the keys of the US layout; with any other layout active its letter
    // map would not match the keys the user presses.
    if (keyboard.mode != kKeyboardSystem) {
        dialog.ActivateUsEnglishLayout();
    }
}

void NextKeyboard(KeyboardSelection& keyboard, KeyboardDialog& dialog) {
    keyboard.index = keyboard.index >= 2 ? 0 : static_cast<unsigned char>(keyboard.index + 1);
    keyboard.mode = keyboard.modeTable[keyboard.index];
    if (keyboard.mode != kKeyboardSystem) {
        dialog.ActivateUsEnglishLayout();
    } else {
        keyboard.index = 0;
    }
    CheckOnly(dialog, kRadioIds[keyboard.index]);
    KeepLookupChoice(keyboard, dialog);
}

void RestoreKeyboardMode(KeyboardSelection& keyboard, KeyboardDialog& dialog,
                         unsigned char savedMode) {
    for (int id : kRadioIds) {
        dialog.CheckRadio(id, false);
    }
    keyboard.mode = savedMode;
    keyboard.mainDialogMode = savedMode;
    for (int i = 0; i < 3; ++i) {
        if (keyboard.modeTable[i] == savedMode) {
            keyboard.index = static_cast<unsigned char>(i);
            dialog.CheckRadio(kRadioIds[i], true);
            return;
        }
    }
    keyboard.index = 0;
    keyboard.mode = kKeyboardSystem;
    keyboard.mainDialogMode = kKeyboardSystem;
}
