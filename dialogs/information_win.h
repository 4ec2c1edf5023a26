// The program's message notice: a small modal dialog with a picture, one message chosen by its
// string id, and a beep.
#pragma once

#include <windows.h>

#include "settings/interface_texts_win.h"

// Shows the message of stringId (Greek from the texts file with the Greek interface, else from
// the string table of the language's module) and waits for OK or Escape. owner may be null.
// Always returns 2.
INT_PTR ShowInformation(HWND owner, UINT stringId, const InterfaceLanguage& language);
// The same for a message that names a file: `name` (in the system code page) takes the place of
// the message's %s.
INT_PTR ShowInformation(HWND owner, UINT stringId, const InterfaceLanguage& language,
                        const char* name);
