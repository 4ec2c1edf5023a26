#include "dialogs/help_balloons.h"

namespace {

const HelpControl kLookupTable[] = {
    {IDC_LETTER_FIRST, IDC_LETTER_LAST, 1},
    {IDC_COPY, IDC_COPY, 4},
    {IDC_SMALL_COPY, IDC_SMALL_COPY, 4},
    {IDC_CLIPBOARD, IDC_CLIPBOARD, 5},
    {IDC_SMALL_CLIPBOARD, IDC_SMALL_CLIPBOARD, 5},
    {IDC_SEARCH, IDC_SEARCH, 7},
    {IDC_WORD_BOX, IDC_WORD_BOX, 8},
    {IDC_WORD_LIST, IDC_WORD_LIST, 9},
    {IDC_TRANSLATION_LIST, IDC_TRANSLATION_LIST, 10},
    {IDC_DICTIONARY_LIST, IDC_DICTIONARY_LIST, 12},
    {IDC_KEYBOARD_SYSTEM, IDC_KEYBOARD_SYSTEM, 13},
    {IDC_KEYBOARD_LANG1, IDC_KEYBOARD_LANG2, 14},
};

const HelpControl kAdjustmentsTable[] = {
    {IDC_HOTKEY_SHIFT, IDC_HOTKEY_SHIFT, 1},
    {IDC_HOTKEY_CONTROL, IDC_HOTKEY_CONTROL, 2},
    {IDC_HOTKEY_ALT, IDC_HOTKEY_ALT, 3},
    {IDC_HOTKEY_KEY_LIST, IDC_HOTKEY_KEY_LIST, 4},
    {IDC_HOTKEY_DISABLE, IDC_HOTKEY_DISABLE, 5},
    {IDC_OPTION_ACCENT, IDC_OPTION_ACCENT, 6},
    {IDC_OPTION_ROOT, IDC_OPTION_ROOT, 7},
    {IDC_OPTION_FORM_TYPE, IDC_OPTION_FORM_TYPE, 8},
    {IDC_OPTION_USE_GREEK, IDC_OPTION_USE_GREEK, 9},
    {IDC_ADJUSTMENTS_OK, IDC_ADJUSTMENTS_OK, 10},
    {2, 2, 11},  // Cancel
    {IDC_OPTION_CLIPBOARD, IDC_OPTION_CLIPBOARD, 12},
    {IDC_OPTION_LARGE_FONT, IDC_OPTION_LARGE_FONT, 13},
    {IDC_OPTION_USER_DICTIONARY, IDC_OPTION_USER_DICTIONARY, 14},
    {IDC_OPTION_SOUNDS, IDC_OPTION_SOUNDS, 15},
    {IDC_OPTION_TASK_BAR_ICON, IDC_OPTION_TASK_BAR_ICON, 16},
    {IDC_OPTION_GIVE_BACK_CLIPBOARD, IDC_OPTION_GIVE_BACK_CLIPBOARD, 18},
    {IDC_OPTION_SEARCH_AS_YOU_TYPE, IDC_OPTION_SEARCH_AS_YOU_TYPE, 17},
};

// The user dictionary dialog's controls: the word and translation boxes, the list, the keyboard
// choice, Search, Add, Replace, Delete and Close.
const HelpControl kUserDictionaryTable[] = {
    {IDC_USERDICT_WORD, IDC_USERDICT_WORD, 1},
    {IDC_USERDICT_TRANSLATION, IDC_USERDICT_TRANSLATION, 2},
    {IDC_WORD_LIST, IDC_WORD_LIST, 3},
    {IDC_KEYBOARD_SYSTEM, IDC_KEYBOARD_SYSTEM, 4},
    {IDC_KEYBOARD_LANG1, IDC_KEYBOARD_LANG2, 5},
    {IDC_USERDICT_SEARCH, IDC_USERDICT_SEARCH, 6},
    {IDC_USERDICT_ADD, IDC_USERDICT_ADD, 7},
    {IDC_USERDICT_REPLACE, IDC_USERDICT_REPLACE, 8},
    {IDC_USERDICT_DELETE, IDC_USERDICT_DELETE, 9},
    {2, 2, 10},
};

template <size_t N>
const HelpControl* Table(const HelpControl (&table)[N], size_t* count) {
    *count = N;
    return table;
}

PixelRect Grown(const PixelRect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

}  // namespace

const HelpControl* HelpTable(int base, size_t* count) {
    switch (base) {
        case kLookupHelpBase:
            return Table(kLookupTable, count);
        case kAdjustmentsHelpBase:
            return Table(kAdjustmentsTable, count);
        case kUserDictionaryHelpBase:
            return Table(kUserDictionaryTable, count);
    }
    *count = 0;
    return nullptr;
}

int HelpTextOffset(int base, int controlId) {
    size_t count = 0;
    const HelpControl* table = HelpTable(base, &count);
    for (size_t i = 0; i < count; ++i) {
        if (controlId >= table[i].firstId && controlId <= table[i].lastId) {
            return table[i].offset;
        }
    }
    return 0;
}

int BalloonTextWidth(const PixelRect& dialogWindow) {
    return (dialogWindow.right - dialogWindow.left) / 3;
}

BalloonPlace PlaceBalloon(const PixelRect& control, const PixelRect& dialogWindow, int textHeight,
                          int captionHeight) {
    const PixelRect& c = control;
    const PixelRect& d = dialogWindow;
    const int w = BalloonTextWidth(d);
    const int h3 = (d.bottom - d.top) / 3;
    const bool toRight = 2 * w >= c.right;
    const bool below = 2 * h3 >= c.bottom;

    BalloonPlace place;
    PixelRect& b = place.balloon;
    const int middle = c.left + (c.right - c.left) / 2;
    if (toRight) {
        b.left = middle + 30;
        b.right = b.left + w;
    } else {
        b.right = middle - 30;
        b.left = b.right - w;
    }
    if (below) {
        b.top = c.bottom + 10;
        b.bottom = b.top + textHeight;
    } else {
        b.bottom = c.top - 12;
        b.top = b.bottom - textHeight;
    }
    // The tail keeps pointing from where the balloon was first meant to be, whatever the moves.
    place.tail = below ? (toRight ? TailCorner::kTopLeft : TailCorner::kTopRight)
                       : (toRight ? TailCorner::kBottomLeft : TailCorner::kBottomRight);
    b = Grown(b, 15);
    if (b.right > d.right) {
        b.left -= b.right - d.right;
        b.right = d.right;
    }
    if (b.bottom > d.bottom) {
        const int height = b.bottom - b.top;
        b.bottom = c.top;
        b.top = b.bottom - height;
    }
    const int lowestTop = d.top + captionHeight + 5;
    if (b.top < lowestTop) {
        const int height = b.bottom - b.top;
        b.top = lowestTop;
        b.bottom = b.top + height;
    }
    place.fits =
        !(b.right > d.right || b.bottom > d.bottom || b.top < lowestTop || b.left < d.left);
    place.save = Grown(b, 15);
    return place;
}
