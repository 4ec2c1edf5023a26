// The user dictionary maintenance dialog (template 10007): search, add, replace and delete the
// current dictionary's user words, with its own keyboard radio buttons.
#pragma once

#include <windows.h>

#include "dialogs/help_balloons_win.h"
#include "keyboard/keyboard_selection.h"

// What the dialog asks of the rest of the program; the lookup dialog, which opens it, answers.
class UserDictionaryDialogHost {
public:
    virtual ~UserDictionaryDialogHost() = default;
    // The Information notice with a string id (a file that cannot be opened, a refused word).
    virtual void ShowNotice(HWND owner, UINT stringId) = 0;
    // The disk error message of a failed read.
    virtual void ShowDiskError(HWND owner) = 0;
    // The keyboard hooks: their commands (F3 770, F5 771) go to `target` while it is open.
    virtual void SetCommandTarget(HWND target) = 0;
    virtual void InstallKeyboardHooks() = 0;
    virtual void RemoveKeyboardHooks() = 0;
};

struct UserDictionaryDialogArgs {
    HINSTANCE instance = nullptr;
    const char* path = nullptr;             // the user dictionary file
    KeyboardSelection* keyboard = nullptr;  // the keyboard in use; the dialog's choice is undone
    HFONT greekFont = nullptr;              // for edits holding Greek text
    HFONT latinFont = nullptr;
    bool greekTexts = false;  // captions from the texts file
    const char* textsFile = nullptr;
    HelpContext help;  // the help line and balloons of the controls
    UserDictionaryDialogHost* host = nullptr;
};

// Runs the dialog over the owner (the lookup dialog, whose word box, keyboard radio buttons and
// position it takes). Returns 2 after a normal close, 0 when the file could not be opened (the
// notice has told the user).
INT_PTR ShowUserDictionaryDialog(HWND owner, const UserDictionaryDialogArgs& args);
