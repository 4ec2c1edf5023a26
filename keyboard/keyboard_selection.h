// Which keyboard the user types with: the system layout or one of the (at most two) keyboards the
// current dictionary offers, shown as three radio buttons in the lookup dialog and in the user
// dictionary dialog.
#pragma once

#include "keyboard/keyboard_driver.h"
#include "resources/resource_ids.h"

// A keyboard description is read up to its terminator or this many bytes, the size of the
// dictionary trailer's field, whichever comes first; a label is at most that long too.
constexpr int kKeyboardDescriptionSize = 70;
constexpr int kKeyboardLabelSize = kKeyboardDescriptionSize + 1;

struct KeyboardSelection {
    unsigned char mode = kKeyboardSystem;            // KeyboardMode, saved as GrEng
    unsigned char mainDialogMode = kKeyboardSystem;  // the lookup dialog's last choice
    unsigned char modeTable[3] = {0, 0, 0};          // mode per keyboard index; entry 0 stays 0
    unsigned char index = 0;                         // the checked radio button
};

// The keyboard in use by the whole program; the hooks, the letter buttons, the word box font and
// the settings all read it.
extern KeyboardSelection CurrentKeyboard;

// What a keyboard choice does to the dialog that shows the radio buttons, and to the system.
// Captions are 8-bit text (Windows-1253 for Greek labels).
class KeyboardDialog {
public:
    virtual ~KeyboardDialog() = default;
    // The lookup dialog keeps the main-dialog mode and redraws its letters; the user dictionary
    // dialog does neither.
    virtual bool IsLookupDialog() const = 0;
    virtual void SetRadioCaption(int radioId, const char* caption) = 0;
    virtual void ShowRadio(int radioId, bool visible) = 0;
    virtual void CheckRadio(int radioId, bool checked) = 0;
    virtual void PostRefreshLetters() = 0;       // post MSG_REFRESH_LETTERS to the dialog
    virtual void ActivateUsEnglishLayout() = 0;  // layout 0x0409, KLF_REORDER
};

// Takes the keyboards a dictionary offers, as "Label.mode" or "Label.mode@Label.mode" (for
// example "English.1@Greek.2"), and returns to the system layout.
void ApplyKeyboardDescription(KeyboardSelection& keyboard, KeyboardDialog& dialog,
                              const char* description);

// A click on radio button 12012..12014. Other ids change nothing.
void SelectKeyboard(KeyboardSelection& keyboard, KeyboardDialog& dialog, int radioId);

// F3: the next keyboard the dictionary offers, back to the system layout after the last one.
void NextKeyboard(KeyboardSelection& keyboard, KeyboardDialog& dialog);

// Puts back a saved mode (the GrEng setting) when the lookup dialog opens: both modes take it, and
// the first radio button whose keyboard has that mode is checked. When the current dictionary
// offers no such keyboard, nothing is checked and both modes return to the system layout.
void RestoreKeyboardMode(KeyboardSelection& keyboard, KeyboardDialog& dialog,
                         unsigned char savedMode);
