// The bitmap buttons of the lookup window drawn from the program's bitmap resources: the letter
// buttons of the index in the keyboard's alphabet and the command buttons in their four looks.
#pragma once

#include <windows.h>

#include "ui/button_looks.h"
#include "ui/result_list_win.h"

// Copies bitmap resource bitmapId into rect of dc: stretched to the rectangle with
// kButtonDrawStretch (what the program always uses), at its own size with kButtonDrawActualSize.
// Nothing is drawn for id 0, a missing instance or context, or a bitmap that does not exist.
void DrawButtonItem(HINSTANCE instance, int bitmapId, HDC dc, const RECT* rect, int mode);

// Draws a letter or command button of the lookup window for one WM_DRAWITEM. clicked (when
// given) tells whether this is the moment the button went down: the owner plays its click.
void DrawLookupButton(const DRAWITEMSTRUCT* item, const ItemLook& look, bool* clicked);
