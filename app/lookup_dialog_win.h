// The lookup window: the modal dialog in which the user types or picks a word, chooses a
// dictionary and sees the matching headwords and their translations. One dialog procedure
// serves the three forms (templates 10000, 10003 and 10004). Its data is private to
// lookup_dialog_win.cpp and lives for one run; the program's state (settings, engine, fonts)
// is read and written through Program().
//
// Where the secondary dialogs join: RunSecondaryDialog in lookup_dialog_win.cpp calls one
// ShowXxxDialog(owner, ...) per system-menu item 101 "Parameters ...", 102 "About ...",
// 105 "Update user dictionary", 106 "Tip of the Day..." and per command 771 (F5) and 9874, with
// the hot key given back around it. The keyboard hooks (keyboard/keyboard_hooks_win.h) post their
// commands (765, 766, 769, 770, 771) to this dialog as WM_COMMAND, and the copy keystrokes post
// 773 when the selection of another program is on the clipboard.
#pragma once

#include <windows.h>

#include "app/program_state_win.h"

// Runs the lookup dialog from templateId, owned by owner. 1: open it again (another form),
// 2: end the program.
INT_PTR ShowLookupDialog(HWND owner, int templateId);

// Closes every open dictionary file (at program end).
void CloseLookupDictionaries(ProgramState& program);
