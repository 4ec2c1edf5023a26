// The program's message notice: a small modal dialog with a picture, one message chosen by its
// string id, and a beep.
#pragma once

#include <windows.h>

// Shows the message of stringId (Greek from the texts file with Greek interface texts on, else
// from the string table) and waits for OK or Escape. owner may be null. Always returns 2.
INT_PTR ShowInformation(HWND owner, UINT stringId);
