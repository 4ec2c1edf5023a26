// Text between the program's stored 8-bit bytes and the controls, which hold UTF-16: stored
// bytes are decoded by their script on the way in (Windows-1253 for Greek, Windows-1252 else)
// and encoded per character on the way out, so Greek and accented Latin show right whatever
// the system code page is.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Stored bytes to UTF-16, decoded by the script of the whole text.
std::wstring StoredToWide(const char* stored);
// The same into *out, whose storage is reused: a list filled with thousands of words then
// allocates no text per item.
void StoredToWide(const char* stored, std::wstring* out);
// Stored bytes to a control's text, decoded by the script of the whole text.
void SetStoredWindowText(HWND window, const char* stored);
// A window's text as stored bytes, at most maxChars characters (out holds maxChars + 1), made
// character by character as the shell tools make typed text (TypedToStored): a character
// neither code page holds takes its stand-in, or becomes '?' when it has none.
void GetStoredWindowText(HWND window, char* out, size_t maxChars);
// UTF-16 to stored bytes the same way, cut to size - 1 bytes.
void WideToStored(const wchar_t* wide, char* out, size_t size);
// Item index of a list box, or of a combo box's list (combo), as stored bytes cut to size - 1;
// empty when there is no such item.
void GetStoredItemText(HWND control, bool combo, int index, char* out, size_t size);

// The message box of a failed dictionary read, owned by the lookup dialog (or no window).
void ShowDiskErrorBox(HWND owner);
