// The owner-drawn lists and buttons, drawn into a bitmap and read back pixel by pixel.
#include "ui/result_list_win.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/button_bitmaps_win.h"
#include "tests/ui/canvas_win.h"
#include "ui/forms_win.h"

namespace {

// The fonts and module the items are drawn with, made by the fixture.
ItemLook program;

}  // namespace

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM:
            if (MeasureLookupItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_DRAWITEM:
            DrawLookupItem(window, reinterpret_cast<DRAWITEMSTRUCT*>(lParam), program);
            return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class ResultListWinTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WordmereResultListTest";
        RegisterClassW(&windowClass);
        parent_ = CreateWindowExW(0, L"WordmereResultListTest", L"", WS_POPUP, 0, 0, 400, 300,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                                LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        matches_ = CreateChild(L"LISTBOX", listStyle, IDC_WORD_LIST, 0, 0, 120, 200);
        translations_ =
            CreateChild(L"LISTBOX", listStyle | LBS_SORT, IDC_TRANSLATION_LIST, 130, 0, 120, 200);
        wordBox_ = CreateChild(
            L"COMBOBOX", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
            IDC_WORD_BOX, 260, 0, 120, 200);
        about_ =
            CreateChild(L"LISTBOX", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                        IDC_ABOUT_INFORMATION_LIST, 0, 210, 200, 80);

        // Word fonts of clearly different sizes, so the drawn height tells which one was used.
        program = ItemLook();
        program.instance = GetModuleHandleW(nullptr);
        program.greekFont =
            CreateFontByName(parent_, nullptr, "Arial", 24, kAnyFontType, GREEK_CHARSET);
        program.latinFont =
            CreateFontByName(parent_, nullptr, "Arial", 8, kAnyFontType, ANSI_CHARSET);
        program.smallGreekFont =
            CreateFontByName(parent_, nullptr, "Arial", 9, kAnyFontType, GREEK_CHARSET);
        ASSERT_NE(program.greekFont, nullptr);
        ASSERT_NE(program.latinFont, nullptr);
        ASSERT_NE(program.smallGreekFont, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        for (HFONT* font : {&program.greekFont, &program.latinFont, &program.smallGreekFont}) {
            DeleteObject(*font);
            *font = nullptr;
        }
        UnregisterClassW(L"WordmereResultListTest", GetModuleHandleW(nullptr));
    }

    HWND CreateChild(const wchar_t* windowClass, DWORD style, int id, int x, int y, int width,
                     int height) {
        return CreateWindowExW(0, windowClass, L"", style, x, y, width, height, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
    }

    static int Add(HWND list, const wchar_t* text, LPARAM data = 0) {
        int index =
            static_cast<int>(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
        SendMessageW(list, LB_SETITEMDATA, index, data);
        return index;
    }

    // Draws one item of a list into the canvas through the dialog's drawing routine.
    BOOL Draw(Canvas& canvas, HWND control, UINT type, int id, int index, UINT action, UINT state,
              int width = 200, int height = 40) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = type;
        item.CtlID = static_cast<UINT>(id);
        item.itemID = static_cast<UINT>(index);
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = control;
        item.hDC = canvas.Dc();
        item.rcItem = RECT{0, 0, width, height};
        if (type == ODT_LISTBOX && index >= 0) {
            item.itemData = static_cast<ULONG_PTR>(SendMessageW(control, LB_GETITEMDATA, index, 0));
        }
        return DrawLookupItem(parent_, &item, program);
    }

    static int TextWidth(HFONT font, const wchar_t* text) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size.cx;
    }

    HWND parent_ = nullptr;
    HWND matches_ = nullptr;
    HWND translations_ = nullptr;
    HWND wordBox_ = nullptr;
    HWND about_ = nullptr;
};

const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const COLORREF kWindowText = GetSysColor(COLOR_WINDOWTEXT);
const COLORREF kHighlight = GetSysColor(COLOR_HIGHLIGHT);
const COLORREF kHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
const COLORREF kActiveCaption = GetSysColor(COLOR_ACTIVECAPTION);

}  // namespace

TEST_F(ResultListWinTest, ItemsInTheColoursOfTheirState) {
    const int word = Add(matches_, L"house", 120);
    const int userWord =
        Add(matches_, L"hello", static_cast<LPARAM>(static_cast<int32_t>(0x80000003u)));
    Canvas canvas(200, 40);

    ASSERT_TRUE(Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, word, ODA_DRAWENTIRE, 0));
    EXPECT_EQ(canvas.Pixel(0, 0), kWindow);
    EXPECT_EQ(canvas.Pixel(199, 39), kWindow);  // the whole item rectangle is filled
    EXPECT_GT(canvas.Count(kWindowText), 0);

    // A user dictionary entry: active-caption text while not selected...
    canvas.Fill(kUntouched);
    Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, userWord, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), kWindow);
    EXPECT_GT(canvas.Count(kActiveCaption), 0);
    ASSERT_NE(kActiveCaption, kWindowText);
    EXPECT_EQ(canvas.Count(kWindowText), 0);

    // ...and the highlight colours when selected.
    canvas.Fill(kUntouched);
    Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, userWord, ODA_DRAWENTIRE, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(0, 0), kHighlight);
    EXPECT_EQ(canvas.Pixel(199, 39), kHighlight);
    EXPECT_GT(canvas.Count(kHighlightText), 0);

    // Negative item data means nothing in the translation list.
    const int translation =
        Add(translations_, L"dwelling", static_cast<LPARAM>(static_cast<int32_t>(0x80000001u)));
    canvas.Fill(kUntouched);
    Draw(canvas, translations_, ODT_LISTBOX, IDC_TRANSLATION_LIST, translation, ODA_DRAWENTIRE, 0);
    EXPECT_GT(canvas.Count(kWindowText), 0);

    // Focus changes draw nothing (no focus rectangle).
    canvas.Fill(kUntouched);
    Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, word, ODA_FOCUS, ODS_FOCUS);
    EXPECT_EQ(canvas.Count(kUntouched), 200 * 40);
}

TEST_F(ResultListWinTest, GreekItemsInTheGreekFont) {
    const int greek = Add(matches_, L"\x03bb\x03cc\x03b3\x03bf\x03c2");  // λόγος
    const int latin = Add(matches_, L"logos");
    Canvas canvas(200, 60);
    Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, greek, ODA_DRAWENTIRE, 0, 200, 60);
    RECT greekInk = canvas.Ink(kWindow);
    canvas.Fill(kUntouched);
    Draw(canvas, matches_, ODT_LISTBOX, IDC_WORD_LIST, latin, ODA_DRAWENTIRE, 0, 200, 60);
    RECT latinInk = canvas.Ink(kWindow);
    ASSERT_GE(greekInk.right, 0);
    ASSERT_GE(latinInk.right, 0);
    // 24 points against 8: the Greek word is far taller.
    EXPECT_GT(greekInk.bottom - greekInk.top, 2 * (latinInk.bottom - latinInk.top));
    // Text starts 2 pixels in from the item's left edge.
    EXPECT_GE(latinInk.left, 2);
    EXPECT_LE(latinInk.left, 4);
}

TEST_F(ResultListWinTest, SelectedItemSetsTheScrollExtent) {
    const wchar_t* longText = L"a translation far wider than the list that shows it";
    const int wide = Add(translations_, longText);
    const int narrow = Add(translations_, L"ox");
    Canvas canvas(600, 40);
    Draw(canvas, translations_, ODT_LISTBOX, IDC_TRANSLATION_LIST, wide, ODA_DRAWENTIRE,
         ODS_SELECTED, 600);
    const int wideExtent = TextWidth(program.latinFont, longText) + 5;
    EXPECT_EQ(SendMessageW(translations_, LB_GETHORIZONTALEXTENT, 0, 0), wideExtent);
    // An unselected item leaves the extent alone; a narrower selected one shrinks it again.
    Draw(canvas, translations_, ODT_LISTBOX, IDC_TRANSLATION_LIST, narrow, ODA_DRAWENTIRE, 0, 600);
    EXPECT_EQ(SendMessageW(translations_, LB_GETHORIZONTALEXTENT, 0, 0), wideExtent);
    Draw(canvas, translations_, ODT_LISTBOX, IDC_TRANSLATION_LIST, narrow, ODA_DRAWENTIRE,
         ODS_SELECTED, 600);
    EXPECT_EQ(SendMessageW(translations_, LB_GETHORIZONTALEXTENT, 0, 0),
              TextWidth(program.latinFont, L"ox") + 5);
}

TEST_F(ResultListWinTest, SelectingInTheRealListRedrawsAndScrolls) {
    const wchar_t* longText = L"a selection wider than this list, to be scrolled to its end";
    Add(matches_, L"short");
    const int wide = Add(matches_, longText);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    UpdateWindow(parent_);
    // The list asks for a select redraw, which repaints the item whole in its selected look.
    SendMessageW(matches_, LB_SETCURSEL, wide, 0);
    UpdateWindow(matches_);
    EXPECT_EQ(SendMessageW(matches_, LB_GETHORIZONTALEXTENT, 0, 0),
              TextWidth(program.latinFont, longText) + 5);
}

TEST_F(ResultListWinTest, ItemHeightFromTheSystemFont) {
    HDC dc = GetDC(matches_);
    SIZE size = {};
    GetTextExtentPoint32A(dc, "A", 1, &size);
    ReleaseDC(matches_, dc);
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_LISTBOX;
    for (int id : {IDC_WORD_LIST, IDC_TRANSLATION_LIST}) {
        measure.CtlID = static_cast<UINT>(id);
        measure.itemHeight = 0;
        EXPECT_TRUE(MeasureLookupItem(parent_, &measure));
        EXPECT_EQ(measure.itemHeight, static_cast<UINT>(size.cy + 2));
    }
    // The lists ask once, as they are made, and every item then has that height.
    for (HWND list : {matches_, translations_}) {
        EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), size.cy + 2);
    }
    measure.CtlType = ODT_COMBOBOX;
    measure.CtlID = IDC_WORD_BOX;
    measure.itemHeight = 7;
    EXPECT_FALSE(MeasureLookupItem(parent_, &measure));
    EXPECT_EQ(measure.itemHeight, 7u);
}

TEST_F(ResultListWinTest, HistoryEntries) {
    SendMessageW(wordBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"house"));
    Canvas canvas(100, 20);
    // The edit field's own entry is highlighted, one pixel short of the right edge.
    ASSERT_TRUE(Draw(canvas, wordBox_, ODT_COMBOBOX, IDC_WORD_BOX, 0, ODA_DRAWENTIRE,
                     ODS_COMBOBOXEDIT, 100, 20));
    EXPECT_EQ(canvas.Pixel(0, 0), kHighlight);
    EXPECT_EQ(canvas.Pixel(98, 19), kHighlight);
    EXPECT_EQ(canvas.Pixel(99, 10), kUntouched);
    EXPECT_GT(canvas.Count(kHighlightText), 0);

    canvas.Fill(kUntouched);
    Draw(canvas, wordBox_, ODT_COMBOBOX, IDC_WORD_BOX, 0, ODA_SELECT, ODS_FOCUS, 100, 20);
    EXPECT_EQ(canvas.Pixel(0, 0), kWindow);
    EXPECT_GT(canvas.Count(kWindowText), 0);
    canvas.Fill(kUntouched);
    Draw(canvas, wordBox_, ODT_COMBOBOX, IDC_WORD_BOX, 0, ODA_FOCUS, ODS_FOCUS, 100, 20);
    EXPECT_EQ(canvas.Pixel(0, 0), kHighlight);

    // No entry: nothing drawn.
    canvas.Fill(kUntouched);
    Draw(canvas, wordBox_, ODT_COMBOBOX, IDC_WORD_BOX, -1, ODA_DRAWENTIRE, ODS_COMBOBOXEDIT, 100,
         20);
    EXPECT_EQ(canvas.Count(kUntouched), 100 * 20);
}

TEST_F(ResultListWinTest, AboutLinesCentred) {
    const wchar_t* line = L"Wordmere";
    SendMessageW(about_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    Canvas canvas(200, 20);
    Draw(canvas, about_, ODT_LISTBOX, IDC_ABOUT_INFORMATION_LIST, 0, ODA_DRAWENTIRE, ODS_SELECTED,
         200, 20);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(canvas.Pixel(0, 0), face);
    RECT ink = canvas.Ink(face);
    const int width = TextWidth(program.smallGreekFont, line);
    const int expectedLeft = (200 - width) / 2;
    EXPECT_NEAR(ink.left, expectedLeft, 2);
    EXPECT_NEAR(ink.right, expectedLeft + width, 3);
}

TEST_F(ResultListWinTest, NothingDrawnWithoutABitmap) {
    Canvas canvas(40, 40);
    RECT rect = {0, 0, 40, 40};
    DrawButtonItem(GetModuleHandleW(nullptr), 0, canvas.Dc(), &rect, kButtonDrawStretch);
    DrawButtonItem(GetModuleHandleW(nullptr), 4242, canvas.Dc(), &rect, kButtonDrawStretch);
    DrawButtonItem(nullptr, 1137, canvas.Dc(), &rect, kButtonDrawStretch);
    DrawButtonItem(GetModuleHandleW(nullptr), 1137, nullptr, &rect, kButtonDrawStretch);
    EXPECT_EQ(canvas.Count(kUntouched), 40 * 40);
}
