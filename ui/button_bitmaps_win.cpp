#include "ui/button_bitmaps_win.h"

#include "resources/resource_ids.h"

void DrawButtonItem(HINSTANCE instance, int bitmapId, HDC dc, const RECT* rect, int mode) {
    if (bitmapId == 0 || instance == nullptr || dc == nullptr || rect == nullptr) {
        return;
    }
    HBITMAP bitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(bitmapId));
    if (bitmap == nullptr) {
        return;
    }
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    HDC memoryDc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    if (mode == kButtonDrawStretch) {
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   memoryDc, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } else {
        BitBlt(dc, rect->left, rect->top, info.bmWidth, info.bmHeight, memoryDc, 0, 0, SRCCOPY);
    }
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    DeleteObject(bitmap);
}

void DrawLookupButton(const DRAWITEMSTRUCT* item, const ItemLook& look, bool* clicked) {
    const int id = static_cast<int>(item->CtlID);
    ButtonLook button;
    if (id >= IDC_LETTER_FIRST && id <= IDC_LETTER_LAST) {
        if (!look.letterButtons) {
            return;
        }
        button = LetterButtonLook(LetterBitmapBase(id, look.keyboardMode), item->itemAction,
                                  item->itemState, id == look.currentLetter);
    } else {
        int base = CommandButtonBase(id, look.greekCaptions);
        if (base == 0) {
            return;
        }
        button = CommandButtonLook(base, item->itemAction, item->itemState);
    }
    if (clicked) {
        *clicked = button.clickSound;
    }
    DrawButtonItem(look.instance, button.bitmapId, item->hDC, &item->rcItem, kButtonDrawStretch);
}
