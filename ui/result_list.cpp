#include "ui/result_list.h"

ItemColours ListItemColours(bool selected, int listId, int32_t itemData) {
    if (selected) {
        return ItemColours{kColourHighlight, kColourHighlightText};
    }
    if (listId == IDC_WORD_LIST && itemData < 0) {
        return ItemColours{kColourWindow, kColourActiveCaption};
    }
    return ItemColours{kColourWindow, kColourWindowText};
}

bool HistoryItemHighlighted(unsigned action, unsigned state) {
    return (action == kActionSelect && (state & kStateSelected) != 0) ||
           (action == kActionFocus && (state & kStateFocus) != 0) ||
           (state & kStateComboBoxEdit) != 0;
}

int CentredTextLeft(int itemLeft, int itemWidth, int textWidth) {
    return itemLeft + (itemWidth - textWidth) / 2;
}
