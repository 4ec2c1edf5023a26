// Input as a user's keyboard and mouse give it: X events made by xdotool, which Wine takes in
// like any key or click, so the program's hot key, hooks and tray icon meet real input. The test
// program runs under Wine and starts xdotool as a Unix program.
#pragma once

#include <windows.h>

#include <string>

// Runs a Unix command line (for /bin/sh) and waits for it to end, bounded. Wine does not tell
// when a Unix program it started has ended, so the shell leaves a mark file behind at the end.
bool RunUnixCommand(const std::wstring& command, DWORD timeoutMs = 15000);
// Quoted for /bin/sh.
std::wstring ShellQuote(const std::wstring& text);

// The X window Wine made for a top-level Win32 window (0 when it has none).
unsigned long XWindowOf(HWND window);

// Gives the X input focus to the window and makes it Wine's foreground window, as a click on it
// would.
bool XFocus(HWND window);

// xdotool key names, space-separated ("ctrl+alt+w", "l semicolon o").
void XKeys(const std::wstring& keys);
// Types text as key presses: letters and digits by their names, other characters by their
// Unicode key names (Wine may miss the first of those while the X keyboard map changes).
void XType(const std::wstring& text);
// A left click at a point of the window (its client coordinates), or of the screen, with the
// pointer moved there first.
void XClick(HWND window, int x, int y);
void XClickAt(int x, int y);
void XMoveTo(int x, int y);

// Any of Ctrl, Alt, Shift, Insert or a Windows key still held, as the system sees it.
bool AnyKeyHeld();

// Saves the whole X screen as a PNG file (Unix path).
bool SaveScreenPng(const std::string& unixPath);
