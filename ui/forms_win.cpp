#include "ui/forms_win.h"

#include <cstring>
#include <initializer_list>

#include "resources/resource_ids.h"
#include "ui/result_list.h"

static PixelRect ToPixelRect(const RECT& r) {
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

void SetDlgWindowPos(HWND window, HWND reference, BOOL repaint) {
    if (window == nullptr || !IsWindow(window)) {
        return;
    }
    RECT own;
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;

    PixelRect referenceRect;
    const PixelRect* referencePtr = nullptr;
    RECT r;
    if (reference != nullptr && IsWindow(reference) && GetWindowRect(reference, &r)) {
        referenceRect = ToPixelRect(r);
        referencePtr = &referenceRect;
    }
    PixelRect area = CentringArea(referencePtr, width, height, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN));
    PixelPoint p = CentredPosition(area, width, height);
    MoveWindow(window, p.x, p.y, width, height, repaint);
}

bool ControlClientRect(HWND dialog, int controlId, RECT* rect) {
    SetRectEmpty(rect);
    HWND control = controlId == 0 ? dialog : GetDlgItem(dialog, controlId);
    if (control == nullptr || !GetWindowRect(control, rect)) {
        return false;
    }
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ScreenToClient(dialog, &corners[0]);
    ScreenToClient(dialog, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

static void MovePlace(HWND dialog, int controlId, const ControlPlace& place) {
    HWND control = GetDlgItem(dialog, controlId);
    if (control != nullptr) {
        MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
    }
}

void LayoutSmallForm(HWND dialog, bool restore, Settings& settings) {
    if (restore && SmallFormRectIsSet(settings.SRL, settings.SRT, settings.SRR, settings.SRB)) {
        // A remembered rectangle from another screen, or a damaged one, is brought into the
        // work area of the monitor nearest to it, at a usable size.
        RECT stored = {settings.SRL, settings.SRT, settings.SRR, settings.SRB};
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (GetMonitorInfoW(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor)) {
            work = monitor.rcWork;
        }
        PixelRect fitted =
            FitSmallFormRect(PixelRect{settings.SRL, settings.SRT, settings.SRR, settings.SRB},
                             PixelRect{work.left, work.top, work.right, work.bottom});
        // The WM_SIZE this move sends lays out the controls.
        MoveWindow(dialog, fitted.left, fitted.top, fitted.right - fitted.left,
                   fitted.bottom - fitted.top, TRUE);
        return;
    }

    // A dialog is sized once while it is created, before it has controls: that size is the
    // template's, not one the user chose, and there is nothing to lay out yet.
    if (GetDlgItem(dialog, IDC_SEARCH) == nullptr || GetDlgItem(dialog, IDC_WORD_BOX) == nullptr) {
        return;
    }

    RECT window;
    GetWindowRect(dialog, &window);
    settings.SRL = window.left;
    settings.SRT = window.top;
    settings.SRR = window.right;
    settings.SRB = window.bottom;

    RECT button, wordBox;
    ControlClientRect(dialog, IDC_SEARCH, &button);
    ControlClientRect(dialog, IDC_WORD_BOX, &wordBox);
    const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME) +
                        GetSystemMetrics(SM_CYBORDER);
    SmallFormLayout layout = ComputeSmallFormLayout(
        window.right - window.left, window.bottom - window.top, button.right - button.left,
        button.bottom - button.top, wordBox.top, wordBox.bottom - wordBox.top, caption);

    MovePlace(dialog, IDC_WORD_BOX, layout.wordBox);
    MovePlace(dialog, IDC_SEARCH, layout.searchButton);
    MovePlace(dialog, IDC_SMALL_COPY, layout.copyButton);
    MovePlace(dialog, IDC_SMALL_CLIPBOARD, layout.clipboardButton);
    MovePlace(dialog, IDC_DICTIONARY_LIST, layout.dictionaryList);
    MovePlace(dialog, IDC_WORD_LIST, layout.matchList);
    MovePlace(dialog, IDC_TRANSLATION_LIST, layout.translationList);
    // A list that grew (or lost its scroll bar) repaints all of itself now, not at the next
    // search: the dialog's background would otherwise stay in its new part.
    for (int id : {IDC_WORD_LIST, IDC_TRANSLATION_LIST}) {
        InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
    }
}

void ShowBitmapFrame(HINSTANCE instance, HWND dialog, int action, int controlId, int firstBitmapId,
                     int lastFrame) {
    // One counter for every picture sequence; each dialog starts its own with a reset.
    static uint8_t frame = 0;
    if (dialog == nullptr || instance == nullptr) {
        return;
    }

    RECT area;
    if (!ControlClientRect(dialog, controlId, &area)) {
        return;
    }
    InflateRect(&area, -2, -2);
    frame = NextBitmapFrame(frame, action, lastFrame);

    HBITMAP bitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(firstBitmapId + frame));
    if (bitmap == nullptr) {
        return;
    }
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    HDC windowDc = GetDC(dialog);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(windowDc, area.left, area.top, info.bmWidth, info.bmHeight, memoryDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    ReleaseDC(dialog, windowDc);
    DeleteObject(bitmap);
}

// What the font factory is looking for during one creation call.
struct FontSearch {
    char faceName[LF_FACESIZE] = {};
    int wantedType = kAnyFontType;
    bool needWeight = false;
    bool needItalic = false;
    bool found = false;
    LOGFONTA result = {};
};
static FontSearch fontSearch;

static void TakeFont(const LOGFONTA& font) {
    LOGFONTA& r = fontSearch.result;
    r = font;
    r.lfWidth = 0;
    fontSearch.found = true;
}

static const char* FullNameOf(const LOGFONTA* font) {
    // The enumeration hands over an ENUMLOGFONTEXA whose first member is this LOGFONTA.
    return reinterpret_cast<const char*>(
        reinterpret_cast<const ENUMLOGFONTEXA*>(font)->elfFullName);
}

extern "C" int CALLBACK EnumFontsFam(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType,
                                     LPARAM) {
    switch (MatchFontExact(fontSearch.wantedType, static_cast<int>(fontType), FullNameOf(font),
                           fontSearch.faceName)) {
        case FontMatch::kContinue:
            return 1;
        case FontMatch::kStop:
            return 0;
        case FontMatch::kTake:
            TakeFont(*font);
            return 0;
    }
    return 0;
}

extern "C" int CALLBACK EnumFontsFamAttr(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType,
                                         LPARAM) {
    if (MatchFontPrefix(fontSearch.wantedType, static_cast<int>(fontType), FullNameOf(font),
                        fontSearch.faceName, fontSearch.needWeight, fontSearch.needItalic,
                        font->lfWeight, font->lfItalic) != FontMatch::kTake) {
        return 1;
    }
    TakeFont(*font);
    return 0;
}

static HFONT CreateEnumeratedFont(HWND window, HDC dc, const char* faceName, int pointSize,
                                  int wantedType, BYTE charSet, bool needWeight, bool needItalic,
                                  FONTENUMPROCA callback) {
    if (faceName == nullptr || std::strlen(faceName) < static_cast<size_t>(kMinFaceNameLength) ||
        std::strlen(faceName) >= LF_FACESIZE) {
        return nullptr;
    }
    fontSearch = FontSearch{};
    std::strcpy(fontSearch.faceName, faceName);
    fontSearch.wantedType = wantedType;
    fontSearch.needWeight = needWeight;
    fontSearch.needItalic = needItalic;

    HDC useDc = dc != nullptr ? dc : GetDC(window);
    if (useDc == nullptr) {
        return nullptr;
    }
    LOGFONTA wanted = {};
    std::strcpy(wanted.lfFaceName, faceName);
    wanted.lfCharSet = charSet;
    EnumFontFamiliesExA(useDc, &wanted, callback, 0, 0);

    HFONT font = nullptr;
    if (fontSearch.found) {
        fontSearch.result.lfHeight = FontHeightForPoints(fontSearch.result.lfHeight, pointSize,
                                                         GetDeviceCaps(useDc, LOGPIXELSY));
        font = CreateFontIndirectA(&fontSearch.result);
    }
    if (dc == nullptr) {
        ReleaseDC(window, useDc);
    }
    return font;
}

HFONT CreateFontByName(HWND window, HDC dc, const char* faceName, int pointSize, int wantedType,
                       BYTE charSet) {
    return CreateEnumeratedFont(window, dc, faceName, pointSize, wantedType, charSet, false, false,
                                EnumFontsFam);
}

HFONT CreateFontByNameAttr(HWND window, HDC dc, const char* faceName, int pointSize, int wantedType,
                           BYTE charSet, bool needWeight, bool needItalic) {
    return CreateEnumeratedFont(window, dc, faceName, pointSize, wantedType, charSet, needWeight,
                                needItalic, EnumFontsFamAttr);
}
