// Drawing of the lookup window's owner-drawn controls: the match and translation lists, the word
// box's history entries, the About list, and the bitmap buttons in each of their looks.
#pragma once

#include <windows.h>

#include "ui/result_list.h"

// The answer to WM_MEASUREITEM: lists 12000 and 12001 get the height of "A" in the list's
// default context plus 2; false for any other control (default measuring).
BOOL MeasureLookupItem(HWND dialog, MEASUREITEMSTRUCT* item);

// The answer to WM_DRAWITEM for the lookup dialog, the user dictionary dialog and the About
// dialog. currentLetter is the letter button drawn pressed (100..125, any other value: none).
// True when the item was one this program draws.
BOOL DrawLookupItem(HWND dialog, const DRAWITEMSTRUCT* item, int currentLetter);

// Sets the list's horizontal scroll extent to the width of text in dc plus 5 pixels.
void SetListExtent(HWND dialog, int listId, HDC dc, const wchar_t* text);

// The bitmap base of a letter button for the lookup dialog's keyboard (0: no bitmap).
int LetterBitmapBase(int id);

// Copies bitmap resource bitmapId into rect of dc: stretched to the rectangle with
// kButtonDrawStretch (what the program always uses), at its own size with kButtonDrawActualSize.
// Nothing is drawn for id 0, a missing instance or context, or a bitmap that does not exist.
void DrawButtonItem(HINSTANCE instance, int bitmapId, HDC dc, const RECT* rect, int mode);
