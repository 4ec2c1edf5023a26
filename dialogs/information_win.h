// The program's message notice: a small modal dialog with a picture, one message chosen by its
// string id, and a beep.
#pragma once

#include <windows.h>

#include "settings/interface_texts_win.h"

// Shows the message of stringId (Greek from the texts file with the Greek interface, else from
// the string table of the language's module) and waits for OK or Escape. owner may be null.
// Always returns 2.
INT_PTR ShowInformation(HWND owner, UINT stringId, const InterfaceLanguage& language);
