// The looks of the lookup window's owner-drawn controls, as tables apart from the drawing: which
// bitmap a button shows for a draw action and state, when the click sound plays, and which
// system colours an item is painted in.
#pragma once

#include <cstdint>

#include "resources/resource_ids.h"

// Draw actions and item states of an owner-drawn control (the Windows values).
constexpr unsigned kActionDrawEntire = 0x1;
constexpr unsigned kActionSelect = 0x2;
constexpr unsigned kActionFocus = 0x4;
constexpr unsigned kStateSelected = 0x1;
constexpr unsigned kStateDisabled = 0x4;
constexpr unsigned kStateFocus = 0x10;
constexpr unsigned kStateComboBoxEdit = 0x1000;

// System colour indexes.
constexpr int kColourActiveCaption = 2;
constexpr int kColourWindow = 5;
constexpr int kColourWindowText = 8;
constexpr int kColourHighlight = 13;
constexpr int kColourHighlightText = 14;
constexpr int kColourButtonFace = 15;

// DrawButtonItem modes.
constexpr int kButtonDrawActualSize = 0;
constexpr int kButtonDrawStretch = 1;

// The About dialog's list of centred lines, drawn here too.
constexpr int kAboutList = IDC_ABOUT_INFORMATION_LIST;

// The letter a button shows for a keyboard mode: Latin capitals for modes 0, 1 and 8, Greek
// capitals (sharing the Latin bitmap where the letters look alike) for any other. 0 = none.
int LetterBitmapBase(int id, int keyboardMode);

// The base of button 137, 138, 139, 143 or 144 (138 and 139 by caption language); 0 otherwise.
int CommandButtonBase(int id, bool greekCaptions);

// A button's look for one draw request: the bitmap to draw (0 = nothing) and whether this is
// the moment the button went down, which clicks.
struct ButtonLook {
    int bitmapId = 0;
    bool clickSound = false;
};

// Only the low state bits take part: newer systems add keyboard-cue bits (no accelerator, no
// focus rectangle) that say nothing about the button's look.
ButtonLook LetterButtonLook(int base, unsigned action, unsigned state, bool isCurrentLetter);
ButtonLook CommandButtonLook(int base, unsigned action, unsigned state);

// The fill and text colours of an item.
struct ItemColours {
    int fill = kColourWindow;
    int text = kColourWindowText;
};

// A list item: highlight when selected; unselected items of the match list with negative item
// data (the user dictionary's) take the active-caption colour for their text.
ItemColours ListItemColours(bool selected, int listId, int32_t itemData);

// A history entry of the word box: highlighted while it is the selection, has the focus or is
// the edit field's own text.
bool HistoryItemHighlighted(unsigned action, unsigned state);

// The x of a text centred in an item (About list lines).
int CentredTextLeft(int itemLeft, int itemWidth, int textWidth);
