#include "ui/result_list_win.h"

#include "engine/code_pages.h"
#include "engine/folding.h"
#include "ui/button_bitmaps_win.h"
#include "ui/forms.h"

static_assert(kActionDrawEntire == ODA_DRAWENTIRE && kActionSelect == ODA_SELECT &&
                  kActionFocus == ODA_FOCUS,
              "draw actions");
static_assert(kStateSelected == ODS_SELECTED && kStateDisabled == ODS_DISABLED &&
                  kStateFocus == ODS_FOCUS && kStateComboBoxEdit == ODS_COMBOBOXEDIT,
              "item states");
static_assert(kColourActiveCaption == COLOR_ACTIVECAPTION && kColourWindow == COLOR_WINDOW &&
                  kColourWindowText == COLOR_WINDOWTEXT && kColourHighlight == COLOR_HIGHLIGHT &&
                  kColourHighlightText == COLOR_HIGHLIGHTTEXT && kColourButtonFace == COLOR_BTNFACE,
              "system colours");

// Item texts are read into a fixed buffer: drawing allocates nothing but its pen and brush.
// The lists' texts are far shorter; a longer one is drawn cut.
constexpr int kItemTextSize = 512;

// An item's text as the controls hold it (UTF-16) and as the program stores it (8-bit), so the
// language test can choose the font.
struct ItemText {
    wchar_t wide[kItemTextSize];
    char stored[kItemTextSize];
    int length = 0;
};

static bool ReadItemText(HWND control, bool comboBox, int index, ItemText* text) {
    text->length = 0;
    text->wide[0] = L'\0';
    text->stored[0] = '\0';
    if (index < 0) {
        return false;
    }
    const UINT lengthMessage = comboBox ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = comboBox ? CB_GETLBTEXT : LB_GETTEXT;
    LRESULT length = SendMessageW(control, lengthMessage, index, 0);
    if (length < 0) {
        return false;
    }
    if (length < kItemTextSize) {
        SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(text->wide));
    } else {
        // Too long for the buffer: no message reads part of an item, so go through the heap
        // once for this rare item.
        wchar_t* whole = new wchar_t[length + 1];
        SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(whole));
        lstrcpynW(text->wide, whole, kItemTextSize);
        delete[] whole;
    }
    int n = 0;
    for (; n < kItemTextSize - 1 && text->wide[n] != L'\0'; ++n) {
        int byte = EncodeStoredChar(static_cast<char32_t>(text->wide[n]));
        text->stored[n] = static_cast<char>(byte < 0 ? '?' : byte);
    }
    text->wide[n] = L'\0';
    text->stored[n] = '\0';
    text->length = n;
    return true;
}

BOOL MeasureLookupItem(HWND dialog, MEASUREITEMSTRUCT* item) {
    if (item->CtlID != static_cast<UINT>(IDC_WORD_LIST) &&
        item->CtlID != static_cast<UINT>(IDC_TRANSLATION_LIST)) {
        return FALSE;
    }
    // A fresh context holds the system font, not the word fonts: every item gets one height.
    // The lists are of fixed item height, so this is asked once for each list as it is made.
    HWND list = GetDlgItem(dialog, static_cast<int>(item->CtlID));
    HDC dc = GetDC(list);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, "A", 1, &size);
    ReleaseDC(list, dc);
    item->itemHeight = static_cast<UINT>(size.cy + 2);
    return TRUE;
}

void SetListExtent(HWND dialog, int listId, HDC dc, const wchar_t* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SendDlgItemMessageW(dialog, listId, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(size.cx + 5),
                        0);
}

// Fills rect with a pen and brush of the fill colour and writes the text from (x, y) in the text
// colour and font; with listId set, the selected item's width becomes the list's scroll extent.
static void PaintItem(HWND dialog, HDC dc, RECT rect, int fill, int textColour, HFONT font, int x,
                      int y, const ItemText& text, int extentListId) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(fill));
    HBRUSH brush = CreateSolidBrush(GetSysColor(fill));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    COLORREF oldText = SetTextColor(dc, GetSysColor(textColour));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    TextOutW(dc, x, y, text.wide, text.length);
    if (extentListId != 0) {
        SetListExtent(dialog, extentListId, dc, text.wide);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

static HFONT WordFontFor(const ItemText& text, const ItemLook& look) {
    return IsGreekText(text.stored) ? look.greekFont : look.latinFont;
}

static void DrawListItem(HWND dialog, const DRAWITEMSTRUCT* item, const ItemLook& look) {
    const int listId = static_cast<int>(item->CtlID);
    if (item->itemAction == ODA_SELECT) {
        // Drawn again whole, so the highlight and the scroll extent follow the selection.
        InvalidateRect(item->hwndItem, &item->rcItem, TRUE);
        return;
    }
    if (item->itemAction != ODA_DRAWENTIRE) {
        return;
    }
    ItemText text;
    if (!ReadItemText(item->hwndItem, false, static_cast<int>(item->itemID), &text)) {
        return;
    }
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    ItemColours colours = ListItemColours(selected, listId, static_cast<int32_t>(item->itemData));
    PaintItem(dialog, item->hDC, item->rcItem, colours.fill, colours.text, WordFontFor(text, look),
              item->rcItem.left + 2, item->rcItem.top, text, selected ? listId : 0);
}

static void DrawAboutLine(HWND dialog, const DRAWITEMSTRUCT* item, const ItemLook& look) {
    if (item->itemAction != ODA_DRAWENTIRE) {
        return;
    }
    ItemText text;
    if (!ReadItemText(item->hwndItem, false, static_cast<int>(item->itemID), &text)) {
        return;
    }
    HFONT font = look.smallGreekFont;
    HGDIOBJ oldFont = font != nullptr ? SelectObject(item->hDC, font) : nullptr;
    SIZE size = {0, 0};
    GetTextExtentPoint32W(item->hDC, text.wide, text.length, &size);
    if (oldFont != nullptr) {
        SelectObject(item->hDC, oldFont);
    }
    const int x =
        CentredTextLeft(item->rcItem.left, item->rcItem.right - item->rcItem.left, size.cx);
    PaintItem(dialog, item->hDC, item->rcItem, kColourButtonFace, kColourWindowText, font, x,
              item->rcItem.top, text, 0);
}

static void DrawHistoryItem(HWND dialog, const DRAWITEMSTRUCT* item, const ItemLook& look) {
    if (item->itemAction != ODA_DRAWENTIRE && item->itemAction != ODA_SELECT &&
        item->itemAction != ODA_FOCUS) {
        return;
    }
    ItemText text;
    if (static_cast<int>(item->itemID) < 0 ||
        !ReadItemText(item->hwndItem, true, static_cast<int>(item->itemID), &text)) {
        return;
    }
    const bool highlighted = HistoryItemHighlighted(item->itemAction, item->itemState);
    RECT rect = item->rcItem;
    rect.right -= 1;
    PaintItem(dialog, item->hDC, rect, highlighted ? kColourHighlight : kColourWindow,
              highlighted ? kColourHighlightText : kColourWindowText, WordFontFor(text, look),
              item->rcItem.left + 2, item->rcItem.top, text, 0);
}

BOOL DrawLookupItem(HWND dialog, const DRAWITEMSTRUCT* item, const ItemLook& look, bool* clicked) {
    if (clicked) {
        *clicked = false;
    }
    switch (item->CtlType) {
        case ODT_LISTBOX:
            if (item->CtlID == static_cast<UINT>(IDC_WORD_LIST) ||
                item->CtlID == static_cast<UINT>(IDC_TRANSLATION_LIST)) {
                DrawListItem(dialog, item, look);
                return TRUE;
            }
            if (item->CtlID == static_cast<UINT>(IDC_ABOUT_INFORMATION_LIST)) {
                DrawAboutLine(dialog, item, look);
                return TRUE;
            }
            return FALSE;
        case ODT_COMBOBOX:
            if (item->CtlID != static_cast<UINT>(IDC_WORD_BOX)) {
                return FALSE;
            }
            DrawHistoryItem(dialog, item, look);
            return TRUE;
        case ODT_BUTTON:
            DrawLookupButton(item, look, clicked);
            return TRUE;
    }
    return FALSE;
}
