// Drawing of the lookup window's owner-drawn controls: the match and translation lists, the word
// box's history entries and the About list; the bitmap buttons are in button_bitmaps_win.h.
#pragma once

#include <windows.h>

#include "ui/result_list.h"

// The answer to WM_MEASUREITEM: lists 12000 and 12001 get the height of "A" in the list's
// default context plus 2; false for any other control (default measuring).
BOOL MeasureLookupItem(HWND dialog, MEASUREITEMSTRUCT* item);

// What drawing needs of its owner: the module of the bitmaps, the word fonts (by the script of
// each item) and the small Greek font of the About list, and the state the buttons show.
struct ItemLook {
    HINSTANCE instance = nullptr;
    HFONT greekFont = nullptr;
    HFONT latinFont = nullptr;
    HFONT smallGreekFont = nullptr;
    bool greekCaptions = false;      // the Greek interface: Copy and Paste in Greek
    bool letterButtons = true;       // the form shows the alphabetical index
    int currentLetter = 0;           // the letter button drawn pressed (100..125; other: none)
    unsigned char keyboardMode = 0;  // the alphabet of the letter buttons
};

// The answer to WM_DRAWITEM for the lookup dialog, the user dictionary dialog and the About
// dialog: lists, history entries and buttons. True when the item was one this program draws.
// clicked (when given) tells whether a button just went down: the owner plays the click.
BOOL DrawLookupItem(HWND dialog, const DRAWITEMSTRUCT* item, const ItemLook& look,
                    bool* clicked = nullptr);

// Sets the list's horizontal scroll extent to the width of text in dc plus 5 pixels.
void SetListExtent(HWND dialog, int listId, HDC dc, const wchar_t* text);
