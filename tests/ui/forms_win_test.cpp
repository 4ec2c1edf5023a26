// Placement and fonts on real windows, under Wine.
#include "ui/forms_win.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"

namespace {

HWND CreatePopup(int x, int y, int width, int height, DWORD style = WS_POPUP) {
    return CreateWindowExW(0, L"STATIC", L"", style, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

RECT WindowRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

LOGFONTA FontDescription(HFONT font) {
    LOGFONTA description = {};
    GetObjectA(font, sizeof description, &description);
    return description;
}

}  // namespace

TEST(FormsWinTest, CentresOnTheScreenOrOverALargeEnoughReference) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreatePopup(5, 5, 200, 100);
    SetDlgWindowPos(window, nullptr, FALSE);
    RECT r = WindowRect(window);
    EXPECT_EQ(r.left, (screenWidth - 200) / 2);
    EXPECT_EQ(r.top, (screenHeight - 100) / 2);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);

    HWND reference = CreatePopup(50, 60, 400, 300);
    SetDlgWindowPos(window, reference, TRUE);
    r = WindowRect(window);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);

    // A reference narrower than the window: the screen instead.
    HWND narrow = CreatePopup(50, 60, 150, 300);
    SetDlgWindowPos(window, narrow, FALSE);
    r = WindowRect(window);
    EXPECT_EQ(r.left, (screenWidth - 200) / 2);
    EXPECT_EQ(r.top, (screenHeight - 100) / 2);

    // Wider than the screen: left edge.
    MoveWindow(window, 7, 7, screenWidth + 1, 100, FALSE);
    SetDlgWindowPos(window, nullptr, FALSE);
    r = WindowRect(window);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, (screenHeight - 100) / 2);

    // A reference that is gone counts as none; a window that is gone is left alone.
    DestroyWindow(narrow);
    MoveWindow(window, 7, 7, 200, 100, FALSE);
    SetDlgWindowPos(window, narrow, FALSE);
    EXPECT_EQ(WindowRect(window).left, (screenWidth - 200) / 2);
    DestroyWindow(reference);
    DestroyWindow(window);
    SetDlgWindowPos(window, nullptr, FALSE);
    SetDlgWindowPos(nullptr, nullptr, FALSE);
}

TEST(FormsWinTest, ControlRectangleInClientCoordinates) {
    HWND dialog = CreatePopup(100, 80, 300, 200, WS_POPUP | WS_CAPTION | WS_THICKFRAME);
    HWND child =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 30, 40, dialog,
                        reinterpret_cast<HMENU>(12009), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    RECT r;
    ASSERT_TRUE(ControlClientRect(dialog, 12009, &r));
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 60);

    // Id 0: the dialog's own window rectangle, which begins above and left of its client area.
    ASSERT_TRUE(ControlClientRect(dialog, 0, &r));
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(r.left, 100 - origin.x);
    EXPECT_EQ(r.top, 80 - origin.y);
    EXPECT_LT(r.top, r.left);  // the caption is taller than the frame
    EXPECT_EQ(r.right - r.left, 300);

    EXPECT_FALSE(ControlClientRect(dialog, 4321, &r));
    EXPECT_TRUE(IsRectEmpty(&r));
    DestroyWindow(dialog);
}

namespace {

// The settings the small form stand-in remembers its rectangle in.
Settings smallFormSettings;

// A small form stand-in: a sizable window with the controls the layout moves, laying itself out
// on every WM_SIZE as the lookup dialog does.
LRESULT CALLBACK SmallFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        LayoutSmallForm(window, false, smallFormSettings);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateSmallForm(int x, int y, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = SmallFormProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WordmereSmallFormTest";
        RegisterClassW(&windowClass);
        registered = true;
    }
    HWND form = CreateWindowExW(0, L"WordmereSmallFormTest", L"Wordmere",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, x, y, width,
                                height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    struct Control {
        const wchar_t* windowClass;
        DWORD style;
        int id, x, y, width, height;
    } controls[] = {
        {L"COMBOBOX", CBS_DROPDOWN, IDC_WORD_BOX, 4, 5, 200, 100},
        {L"BUTTON", BS_OWNERDRAW, IDC_SEARCH, 210, 4, 22, 21},
        {L"BUTTON", BS_OWNERDRAW, IDC_SMALL_COPY, 240, 4, 22, 21},
        {L"BUTTON", BS_OWNERDRAW, IDC_SMALL_CLIPBOARD, 270, 4, 22, 21},
        {L"COMBOBOX", CBS_DROPDOWNLIST, IDC_DICTIONARY_LIST, 300, 5, 150, 100},
        {L"LISTBOX", WS_BORDER, IDC_WORD_LIST, 4, 30, 200, 60},
        {L"LISTBOX", WS_BORDER, IDC_TRANSLATION_LIST, 210, 30, 200, 60},
    };
    for (const Control& c : controls) {
        CreateWindowExW(0, c.windowClass, L"", WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width,
                        c.height, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                        GetModuleHandleW(nullptr), nullptr);
    }
    return form;
}

RECT ClientRectOf(HWND form, int id) {
    RECT r;
    ControlClientRect(form, id, &r);
    return r;
}

}  // namespace

TEST(FormsWinTest, SmallFormRemembersItsRectangleAndSplitsItsWidth) {
    Settings& settings = smallFormSettings;
    settings.SRL = settings.SRT = settings.SRR = settings.SRB = 0;
    HWND form = CreateSmallForm(40, 50, 520, 110);
    ASSERT_NE(form, nullptr);
    // The size it got while being created, before its controls existed, is not remembered.
    EXPECT_EQ(settings.SRR, 0);
    EXPECT_EQ(settings.SRB, 0);
    RECT wordBoxBefore = ClientRectOf(form, IDC_WORD_BOX);

    // Nothing remembered: the form stays where it opened and remembers that.
    LayoutSmallForm(form, true, smallFormSettings);
    EXPECT_EQ(settings.SRL, 40);
    EXPECT_EQ(settings.SRT, 50);
    EXPECT_EQ(settings.SRR, 560);
    EXPECT_EQ(settings.SRB, 160);

    RECT words = ClientRectOf(form, IDC_WORD_LIST);
    RECT translations = ClientRectOf(form, IDC_TRANSLATION_LIST);
    EXPECT_EQ(words.left, 1);
    EXPECT_EQ(words.top, wordBoxBefore.top + (wordBoxBefore.bottom - wordBoxBefore.top) + 3);
    EXPECT_EQ(words.right - words.left, (520 - 16) / 2);
    EXPECT_EQ(translations.right - translations.left, (520 - 16) / 2);
    EXPECT_EQ(translations.left - words.right, 3);
    const int half = (520 - 3 * 22 - 15) / 2;
    EXPECT_EQ(ClientRectOf(form, IDC_WORD_BOX).right - 1, half);
    EXPECT_EQ(ClientRectOf(form, IDC_SEARCH).left, half + 3);
    EXPECT_EQ(ClientRectOf(form, IDC_SMALL_CLIPBOARD).left, half + 3 + 2 * 23);
    RECT dictionaries = ClientRectOf(form, IDC_DICTIONARY_LIST);
    EXPECT_EQ(dictionaries.left, half + 3 + 3 * 23);
    EXPECT_EQ(dictionaries.right - dictionaries.left, half);

    // The lists end just inside the client area, their bottom border in sight.
    RECT client;
    GetClientRect(form, &client);
    EXPECT_LE(words.bottom, client.bottom);
    EXPECT_GE(words.bottom, client.bottom - 8);

    // Resizing by the user lays out again and remembers the new rectangle.
    SetWindowPos(form, nullptr, 0, 0, 700, 130, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(settings.SRR - settings.SRL, 700);
    EXPECT_EQ(settings.SRB - settings.SRT, 130);
    words = ClientRectOf(form, IDC_WORD_LIST);
    EXPECT_EQ(words.right - words.left, (700 - 16) / 2);
    EXPECT_EQ(ClientRectOf(form, IDC_TRANSLATION_LIST).left, words.right + 3);
    DestroyWindow(form);

    // A remembered (0, 0, 500, 90) counts as set: the next small form opens there.
    settings.SRL = 0;
    settings.SRT = 0;
    settings.SRR = 500;
    settings.SRB = 90;
    form = CreateSmallForm(40, 50, 520, 110);
    LayoutSmallForm(form, true, smallFormSettings);
    RECT r = WindowRect(form);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 500);
    EXPECT_EQ(r.bottom, 90);
    words = ClientRectOf(form, IDC_WORD_LIST);
    EXPECT_EQ(words.right - words.left, (500 - 16) / 2);
    DestroyWindow(form);
}

TEST(FormsWinTest, ArialByNameWithTheGreekCharacterSet) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    HFONT font = CreateFontByName(nullptr, nullptr, "Arial", 10, kAnyFontType, GREEK_CHARSET);
    ASSERT_NE(font, nullptr) << "no font answers to \"Arial\" in this Wine prefix";
    LOGFONTA description = FontDescription(font);
    EXPECT_STREQ(description.lfFaceName, "Arial");
    EXPECT_EQ(description.lfCharSet, GREEK_CHARSET);
    EXPECT_EQ(description.lfHeight, -MulDiv(10, dpi, 72));
    EXPECT_EQ(description.lfWidth, 0);

    // What the system really selects: Arial, Greek, with a glyph for a Greek letter.
    HGDIOBJ old = SelectObject(screen, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, sizeof face, face);
    EXPECT_STREQ(face, "Arial");
    EXPECT_EQ(GetTextCharset(screen), GREEK_CHARSET);
    WORD glyph = 0;
    EXPECT_EQ(GetGlyphIndicesW(screen, L"\x03bb", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS), 1u);
    EXPECT_NE(glyph, 0xFFFF);
    SelectObject(screen, old);
    DeleteObject(font);

    // The Latin word font, and the large size.
    font = CreateFontByName(nullptr, screen, "arial", 13, kAnyFontType, ANSI_CHARSET);
    ASSERT_NE(font, nullptr);
    description = FontDescription(font);
    EXPECT_EQ(description.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(description.lfHeight, -MulDiv(13, dpi, 72));
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
}

namespace {

int CALLBACK FirstArialHeight(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM height) {
    *reinterpret_cast<LONG*>(height) = font->lfHeight;
    return 0;
}

}  // namespace

TEST(FormsWinTest, FontFailuresAndTheEnumeratedHeight) {
    EXPECT_EQ(CreateFontByName(nullptr, nullptr, "Ar", 10, kAnyFontType, GREEK_CHARSET), nullptr);
    EXPECT_EQ(CreateFontByName(nullptr, nullptr, "", 10, kAnyFontType, GREEK_CHARSET), nullptr);
    EXPECT_EQ(CreateFontByName(nullptr, nullptr, "No Such Face Here", 10, kAnyFontType, 0),
              nullptr);
    // Arial is a TrueType font, never a raster one.
    EXPECT_EQ(CreateFontByName(nullptr, nullptr, "Arial", 10, RASTER_FONTTYPE, GREEK_CHARSET),
              nullptr);
    HFONT trueType =
        CreateFontByName(nullptr, nullptr, "Arial", 10, TRUETYPE_FONTTYPE, GREEK_CHARSET);
    EXPECT_NE(trueType, nullptr);
    DeleteObject(trueType);

    // Point size 0 keeps the height the enumeration gave.
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted = {};
    lstrcpyW(wanted.lfFaceName, L"Arial");
    wanted.lfCharSet = GREEK_CHARSET;
    LONG enumerated = 0;
    EnumFontFamiliesExW(screen, &wanted, FirstArialHeight, reinterpret_cast<LPARAM>(&enumerated),
                        0);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontByName(nullptr, nullptr, "Arial", 0, kAnyFontType, GREEK_CHARSET);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(enumerated, 0);
    EXPECT_EQ(FontDescription(font).lfHeight, enumerated);
    DeleteObject(font);
}

TEST(FormsWinTest, FontByNameWithAttributes) {
    HFONT font = CreateFontByNameAttr(nullptr, nullptr, "Arial", 25, kAnyFontType, GREEK_CHARSET,
                                      true, true);
    ASSERT_NE(font, nullptr);
    LOGFONTA description = FontDescription(font);
    EXPECT_STREQ(description.lfFaceName, "Arial");
    EXPECT_NE(description.lfItalic, 0);
    EXPECT_NE(description.lfWeight, 0);
    EXPECT_EQ(description.lfCharSet, GREEK_CHARSET);
    DeleteObject(font);

    EXPECT_EQ(
        CreateFontByNameAttr(nullptr, nullptr, "Ar", 25, kAnyFontType, GREEK_CHARSET, true, true),
        nullptr);
    EXPECT_EQ(CreateFontByNameAttr(nullptr, nullptr, "No Such Face Here", 25, kAnyFontType,
                                   GREEK_CHARSET, false, false),
              nullptr);
}
