// The keyboard driver's two hooks on the program's user-interface thread: the keyboard hook
// (F2, F3, F5, Ctrl+C, Ctrl+V and the dead keys) and the message hook (the character rewrite).
// They live while the lookup dialog or the user dictionary dialog is the active window, so a
// hook on this thread alone sees every key those dialogs get.
#pragma once

#include <windows.h>

// Installs each of the two hooks that is not installed yet, on the calling thread, and makes
// commandTarget the window the keyboard hook posts its commands to (WM_COMMAND, id in wParam,
// lParam 0). True when both hooks are in place; a hook that failed is tried again next time.
bool InstallKeyboardHooks(HWND commandTarget);

// Unhooks both hooks. The command target stays.
void RemoveKeyboardHooks();

// The window that receives the keyboard hook's commands: the lookup dialog, or the user
// dictionary dialog while it is open.
void SetKeyboardCommandTarget(HWND commandTarget);
HWND KeyboardCommandTarget();

// The UTF-16 character of one of the driver's bytes in its code page (Windows-1253 or -1252).
wchar_t DriverCharacter(unsigned char byte, int codePage);
