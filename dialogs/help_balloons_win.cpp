#include "dialogs/help_balloons_win.h"

#include <cstdio>

#include "settings/interface_texts.h"
#include "settings/interface_texts_win.h"
#include "settings/settings_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT kTextsCodePage = 1253;

// Shared by the three dialogs, as the mouse moves from one to another: the control whose help
// was shown last, and the balloon on the screen.
struct BalloonState {
    HWND lastControl = nullptr;
    bool shown = false;
    HWND window = nullptr;
    RECT save = {};
};
BalloonState balloon;

RECT ClientRectOf(HWND window, HWND dialog) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

PixelRect ToPixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The dialog's own child that holds window (the edit field of a combo box is a grandchild).
HWND DialogChild(HWND dialog, HWND window) {
    while (window != nullptr && window != dialog && GetParent(window) != dialog) {
        window = GetParent(window);
    }
    return window;
}

// The same text is not set again: a repainted help line would tell the dialog of a new event
// and take a balloon that was just drawn away.
void SetLineText(HWND line, const wchar_t* text) {
    wchar_t current[kGreekItemSize] = {};
    GetWindowTextW(line, current, kGreekItemSize);
    if (lstrcmpW(current, text) != 0) {
        SetWindowTextW(line, text);
    }
}

void SetHelpLine(const HelpContext& help, HWND dialog, int lineId, int id) {
    HWND line = GetDlgItem(dialog, lineId);
    if (line == nullptr) {
        return;
    }
    wchar_t text[kGreekItemSize] = {};
    if (help.useGreek) {
        char greek[kGreekItemSize];
        GetGreekText(static_cast<unsigned>(id), greek, sizeof greek, help.textsFile);
        if (MultiByteToWideChar(kTextsCodePage, 0, greek, -1, text, kGreekItemSize) == 0) {
            text[0] = L'\0';
        }
    } else if (LoadStringW(help.instance, static_cast<UINT>(id), text, kHelpLineStringSize) <= 0) {
        text[0] = L'\0';
    }
    SetLineText(line, text);
}

void DrawTail(HDC dc, const RECT& b, TailCorner corner, HBRUSH brush, HPEN pen) {
    const int l = b.left, t = b.top, r = b.right, m = b.bottom;
    struct Shape {
        POINT square[2];
        POINT move, line1, line2, fill;
    };
    Shape s;
    switch (corner) {
        case TailCorner::kTopLeft:
            s = {{{l, t}, {l + 10, t + 10}},
                 {l + 10, t + 1},
                 {l - 14, t - 10},
                 {l + 1, t + 10},
                 {l, t}};
            break;
        case TailCorner::kTopRight:
            s = {{{r, t}, {r - 10, t + 10}},
                 {r - 10, t + 1},
                 {r + 14, t - 10},
                 {r - 1, t + 10},
                 {r, t}};
            break;
        case TailCorner::kBottomLeft:
            s = {{{l, m}, {l + 10, m - 10}},
                 {l + 10, m - 1},
                 {l - 14, m + 10},
                 {l + 1, m - 10},
                 {l, m}};
            break;
        default:
            s = {{{r, m}, {r - 10, m - 10}},
                 {r - 10, m - 1},
                 {r + 14, m + 10},
                 {r - 1, m - 10},
                 {r, m}};
            break;
    }
    // The corner of the round rectangle is covered first, so that the tail grows out of a
    // square corner; the two edges then close it and the fill paints it inside.
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, brush);
    Rectangle(dc, s.square[0].x, s.square[0].y, s.square[1].x, s.square[1].y);
    SelectObject(dc, pen);
    MoveToEx(dc, s.move.x, s.move.y, nullptr);
    LineTo(dc, s.line1.x, s.line1.y);
    LineTo(dc, s.line2.x, s.line2.y);
    LOGPEN penInfo;
    GetObjectW(pen, sizeof penInfo, &penInfo);
    ExtFloodFill(dc, s.fill.x, s.fill.y, penInfo.lopnColor, FLOODFILLBORDER);
}

}  // namespace

bool DrawBalloon(HWND dialog, HWND control, HFONT font, HBITMAP saveBitmap, bool save,
                 const char* text, COLORREF colour) {
    if (dialog == nullptr || control == nullptr || text == nullptr) {
        return false;
    }
    wchar_t wide[kBalloonTextSize];
    if (MultiByteToWideChar(kTextsCodePage, 0, text, -1, wide, kBalloonTextSize) == 0) {
        return false;
    }
    const RECT c = ClientRectOf(control, dialog);
    const RECT d = ClientRectOf(dialog, dialog);
    const PixelRect dialogRect = ToPixelRect(d);

    HDC dc = GetDC(dialog);
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    RECT measure = {0, 0, BalloonTextWidth(dialogRect), 0};
    DrawTextW(dc, wide, -1, &measure, DT_CALCRECT | DT_WORDBREAK);
    const BalloonPlace place = PlaceBalloon(
        ToPixelRect(c), dialogRect, measure.bottom - measure.top, GetSystemMetrics(SM_CYCAPTION));
    if (!place.fits) {
        if (oldFont != nullptr) {
            SelectObject(dc, oldFont);
        }
        ReleaseDC(dialog, dc);
        return false;
    }
    if (save) {
        balloon.save = {place.save.left, place.save.top, place.save.right, place.save.bottom};
        balloon.window = dialog;
        balloon.shown = true;
        if (saveBitmap != nullptr) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, saveBitmap);
            BitBlt(memory, 0, 0, place.save.right - place.save.left,
                   place.save.bottom - place.save.top, dc, place.save.left, place.save.top,
                   SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }

    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    RECT b = {place.balloon.left + 3, place.balloon.top + 3, place.balloon.right - 3,
              place.balloon.bottom - 3};
    RoundRect(dc, b.left, b.top, b.right, b.bottom, 30, 30);
    DrawTail(dc, b, place.tail, brush, pen);

    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    InflateRect(&b, -10, -10);
    DrawTextW(dc, wide, -1, &b, DT_WORDBREAK);

    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
    DeleteObject(pen);
    DeleteObject(brush);
    ReleaseDC(dialog, dc);
    return true;
}

void HideBalloon(HBITMAP saveBitmap) {
    if (!balloon.shown) {
        return;
    }
    balloon.shown = false;
    if (saveBitmap == nullptr || !IsWindow(balloon.window)) {
        return;
    }
    HDC dc = GetDC(balloon.window);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, saveBitmap);
    // Only what the bitmap could hold was saved; the rest is left for the dialog to repaint.
    const LONG width = balloon.save.right - balloon.save.left;
    const LONG height = balloon.save.bottom - balloon.save.top;
    BitBlt(dc, balloon.save.left, balloon.save.top,
           width < kBalloonSaveSize ? width : kBalloonSaveSize,
           height < kBalloonSaveSize ? height : kBalloonSaveSize, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(balloon.window, dc);
}

void ShowHelpText(const HelpContext& help, HWND dialog, HWND control, int lineId, int base,
                  bool show) {
    // A hide (base 0) goes ahead in an inactive dialog too: a balloon left on the screen would
    // later be "restored" over whatever the dialog drew since.
    if (base != 0 && dialog != nullptr && GetActiveWindow() != dialog) {
        return;
    }
    if (control == balloon.lastControl) {
        return;
    }
    if (help.balloonsOn) {
        if (dialog != nullptr) {
            KillTimer(dialog, TIMER_BALLOON_DELAY);
            KillTimer(dialog, TIMER_BALLOON_LIFE);
        }
        HideBalloon(help.saveBitmap);
    }
    if (base == 0) {
        return;
    }
    if (show) {
        control = balloon.lastControl;
    }
    balloon.lastControl = control;
    const int controlId = control != nullptr && control != dialog ? GetDlgCtrlID(control) : 0;
    const int offset = HelpTextOffset(base, controlId);
    const int id = base + offset;
    SetHelpLine(help, dialog, lineId, id);
    if (offset == 0 || !help.balloonsOn) {
        return;
    }
    if (show) {
        char key[12];
        snprintf(key, sizeof key, "%d", id);
        char text[kBalloonTextSize];
        WinProfileFile texts(help.textsFile);
        texts.GetString(help.useGreek ? kGreekBalloonsSection : kEnglishBalloonsSection, key, "",
                        text, sizeof text);
        if (text[0] != '\0') {
            DrawBalloon(dialog, control, help.balloonFont, help.saveBitmap, true, text,
                        kBalloonColour);
        }
        return;
    }
    SetTimer(dialog, TIMER_BALLOON_DELAY, kBalloonDelayMs, nullptr);
}

bool HandleHelpMessage(const HelpContext& help, HWND dialog, UINT message, WPARAM wParam, int base,
                       bool* balloonShown, INT_PTR* result) {
    if (message == WM_SETCURSOR) {
        HWND under = DialogChild(dialog, reinterpret_cast<HWND>(wParam));
        ShowHelpText(help, dialog, under, IDC_HINT_LINE, base, false);
        *result = FALSE;  // the cursor is set as usual
        return true;
    }
    if (message != WM_TIMER) {
        return false;
    }
    if (wParam == TIMER_BALLOON_DELAY) {
        KillTimer(dialog, TIMER_BALLOON_DELAY);
        ShowHelpText(help, dialog, nullptr, IDC_HINT_LINE, base, true);
        *balloonShown = true;
        SetTimer(dialog, TIMER_BALLOON_LIFE, kBalloonLifeMs, nullptr);
        *result = FALSE;
        return true;
    }
    if (wParam == TIMER_BALLOON_LIFE) {
        KillTimer(dialog, TIMER_BALLOON_LIFE);
        ShowHelpText(help, dialog, nullptr, 0, 0, false);
        *balloonShown = false;
        *result = FALSE;
        return true;
    }
    return false;
}

void CancelPendingBalloon(HWND dialog) {
    if (KillTimer(dialog, TIMER_BALLOON_DELAY)) {
        balloon.lastControl = nullptr;
    }
}

void HideDialogBalloon(const HelpContext& help, HWND dialog, bool* balloonShown) {
    if (*balloonShown) {
        ShowHelpText(help, dialog, nullptr, 0, 0, false);
        *balloonShown = false;
    }
}

void ResetHelpState() {
    balloon = BalloonState{};
}
