// The lookup window: the dialog in which words are typed and results shown.
#ifndef WORDMERE_UI_LOOKUP_DIALOG_WIN_H
#define WORDMERE_UI_LOOKUP_DIALOG_WIN_H

#include <windows.h>

// Runs the lookup dialog modally; returns the dialog's end result.
int RunLookupDialog(HINSTANCE instance, HWND owner);

#endif
