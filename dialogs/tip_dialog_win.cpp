#include "dialogs/tip_dialog_win.h"

#include <memory>

#include <initializer_list>

#include "settings/interface_texts_win.h"
#include "settings/settings_win.h"
#include "dialogs/tips.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"

namespace {

constexpr UINT kTextsCodePage = 1253;
constexpr COLORREF kBandGrey = RGB(128, 128, 128);
constexpr int kHeadingPoints = 25;
constexpr int kBodyPoints = 10;
constexpr int kHeadingSize = 39;  // 38 characters and the terminator
constexpr UINT kFirstFrameMs = 150;
constexpr UINT kNextFrameMs = 250;

// Large with its tip buffers, so it lives on the heap for the time the dialog is open.
struct TipDialog {
    TipSource source;
    bool* showAtStart = nullptr;
    int16_t currentTip = 0;
    char storedTip[kTipTextSize];
    wchar_t tipText[kTipTextSize];
};

void LoadHeading(const TipSource& source, wchar_t* heading) {
    heading[0] = L'\0';
    if (!source.useGreek) {
        LoadStringW(source.instance, IDS_DID_YOU_KNOW, heading, kHeadingSize);
        return;
    }
    // No English fallback: a Greek interface without the text shows no heading.
    char greek[kHeadingSize];
    GetGreekText(IDS_DID_YOU_KNOW, greek, sizeof greek, source.textsFile);
    if (MultiByteToWideChar(kTextsCodePage, 0, greek, -1, heading, kHeadingSize) == 0) {
        heading[0] = L'\0';
    }
}

void LoadTip(TipDialog& data) {
    WinProfileFile texts(data.source.textsFile);
    ReadTipText(texts, data.currentTip, data.source.useGreek, data.storedTip,
                sizeof data.storedTip);
    if (MultiByteToWideChar(kTextsCodePage, 0, data.storedTip, -1, data.tipText, kTipTextSize) ==
        0) {
        data.tipText[0] = L'\0';
    }
}

void PaintPanel(HWND dialog, HDC dc, TipDialog& data) {
    RECT panel;
    ControlClientRect(dialog, IDC_TIP_PANEL, &panel);
    const LONG bandRight = panel.left + (panel.right - panel.left) / 5;

    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HBRUSH grey = CreateSolidBrush(kBandGrey);
    HGDIOBJ oldBrush = SelectObject(dc, grey);
    // A null pen leaves the right and bottom edge out, hence the extra pixel.
    Rectangle(dc, panel.left, panel.top, bandRight + 1, panel.bottom + 1);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, bandRight, panel.top, panel.right + 1, panel.bottom + 1);

    const LONG ruleY = panel.top + 2 * ((panel.bottom - panel.top) / 10);
    HPEN rule = CreatePen(PS_SOLID, 2, kBandGrey);
    SelectObject(dc, rule);
    MoveToEx(dc, bandRight, ruleY, nullptr);
    LineTo(dc, panel.right - 1, ruleY);

    const COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const LONG pageWidth = panel.right - bandRight;

    HFONT headingFont = nullptr;
    // Without Times New Roman the heading keeps its size and style in the face the word lists
    // use, rather than shrinking to the dialog's own font.
    for (const char* face : {"Times New Roman", "Arial"}) {
        if (headingFont == nullptr) {
            headingFont = CreateFontByNameAttr(dialog, dc, face, kHeadingPoints, kAnyFontType,
                                               GREEK_CHARSET, true, true);
        }
    }
    // The context's own font goes back in the end whichever of the two fonts was made, so
    // neither is deleted while still selected.
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    if (headingFont != nullptr) {
        SelectObject(dc, headingFont);
    }
    wchar_t heading[kHeadingSize];
    LoadHeading(data.source, heading);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, heading, lstrlenW(heading), &size);
    if (size.cx < pageWidth) {
        TextOutW(dc, bandRight + (pageWidth - size.cx) / 2, panel.top + 2, heading,
                 lstrlenW(heading));
    }

    HFONT bodyFont =
        CreateFontByName(dialog, dc, "Arial", kBodyPoints, kAnyFontType, GREEK_CHARSET);
    if (bodyFont != nullptr) {
        SelectObject(dc, bodyFont);
    }
    RECT area = {bandRight + 5, ruleY, panel.right - 15, panel.bottom};
    RECT text = area;
    DrawTextW(dc, data.tipText, -1, &text, DT_CALCRECT | DT_WORDBREAK);
    const LONG spareHeight = (area.bottom - area.top) - (text.bottom - text.top);
    const LONG spareWidth = (area.right - area.left) - (text.right - text.left);
    if (spareHeight > 4) {
        OffsetRect(&text, 0, spareHeight / 2);
    }
    if (spareWidth > 4) {
        OffsetRect(&text, spareWidth / 2, 0);
    }
    DrawTextW(dc, data.tipText, -1, &text, DT_WORDBREAK);

    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(headingFont), static_cast<HGDIOBJ>(bodyFont),
                           static_cast<HGDIOBJ>(rule), static_cast<HGDIOBJ>(grey)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
}

void OnInitDialog(HWND dialog, TipDialog& data) {
    CheckDlgButton(dialog, IDC_SHOW_TIPS, *data.showAtStart ? BST_CHECKED : BST_UNCHECKED);
    if (data.source.useGreek) {
        const char* texts = data.source.textsFile;
        LoadGreekTitle(dialog, KEY_TIP_TITLE, texts);
        LoadGreekItem(dialog, IDC_SHOW_TIPS, KEY_TIP_SHOW_TIPS, texts);
        LoadGreekItem(dialog, IDOK, KEY_TIP_NEXT, texts);
        LoadGreekItem(dialog, IDCANCEL, KEY_TIP_CLOSE, texts);
    }
    SetDlgWindowPos(dialog, GetWindow(dialog, GW_OWNER), FALSE);
    data.currentTip = data.source.todayTip;
    LoadTip(data);
}

void OnCommand(HWND dialog, TipDialog& data, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK: {
            data.currentTip = NextTip(data.currentTip, data.source.tipCount);
            LoadTip(data);
            RECT panel;
            ControlClientRect(dialog, IDC_TIP_PANEL, &panel);
            InvalidateRect(dialog, &panel, FALSE);
            break;
        }
        case IDCANCEL:
            EndDialog(dialog, static_cast<INT_PTR>(wParam));
            break;
        case IDC_SHOW_TIPS: {
            *data.showAtStart = !*data.showAtStart;
            CheckDlgButton(dialog, IDC_SHOW_TIPS, *data.showAtStart ? BST_CHECKED : BST_UNCHECKED);
            WriteShowTips(data.source.settingsIni, *data.showAtStart);
            break;
        }
    }
}

INT_PTR CALLBACK TipProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<TipDialog>(dialog, message, lParam);
    if (data == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, *data);
            return TRUE;
        case WM_PAINT: {
            KillTimer(dialog, TIMER_PICTURE);
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(dialog, &paint);
            PaintPanel(dialog, dc, *data);
            EndPaint(dialog, &paint);
            ShowBitmapFrame(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)),
                            dialog, kFrameReset, IDC_TIP_PICTURE, IDB_TIP_FIRST_FRAME,
                            TIP_LAST_FRAME);
            SetTimer(dialog, TIMER_PICTURE, kFirstFrameMs, nullptr);
            return TRUE;
        }
        case WM_TIMER:
            if (wParam == TIMER_PICTURE) {
                KillTimer(dialog, TIMER_PICTURE);
                ShowBitmapFrame(
                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), dialog,
                    kFrameNext, IDC_TIP_PICTURE, IDB_TIP_FIRST_FRAME, TIP_LAST_FRAME);
                SetTimer(dialog, TIMER_PICTURE, kNextFrameMs, nullptr);
            }
            return FALSE;
        case WM_COMMAND:
            OnCommand(dialog, *data, wParam);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int16_t ShowTipOfTheDayDialog(HWND owner, const TipSource& source, bool* showAtStart) {
    bool unused = true;
    auto data = std::make_unique<TipDialog>();
    data->source = source;
    data->showAtStart = showAtStart != nullptr ? showAtStart : &unused;
    data->currentTip = source.todayTip;
    DialogBoxParamW(source.instance, MAKEINTRESOURCEW(IDD_TIP_OF_THE_DAY), owner, TipProc,
                    reinterpret_cast<LPARAM>(data.get()));
    return data->currentTip;
}
