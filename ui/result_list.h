// The looks of the lookup window's owner-drawn lists, as tables apart from the drawing: which
// system colours an item is painted in and where a centred line starts. The draw actions and
// item states are the Windows values; the buttons' looks are in button_looks.h.
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
