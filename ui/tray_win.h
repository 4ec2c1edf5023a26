// The notification-area (tray) icon that stands for the program when it has no task-bar button.
#pragma once

#include <windows.h>

// Adds the icon: mouse events over it come to owner as callbackMessage (lParam = the mouse
// message). The tip is cut to the 63 characters the shell shows. False when the shell refused.
bool AddTrayIcon(HWND owner, UINT iconId, UINT callbackMessage, HICON icon, const wchar_t* tip);

// Takes the icon away; false when the shell had no such icon.
bool RemoveTrayIcon(HWND owner, UINT iconId);

// The message the shell broadcasts when it has started again (after a crash of the task bar):
// every icon is gone then and must be added again.
UINT TaskbarCreatedMessage();
