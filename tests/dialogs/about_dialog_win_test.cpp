// The About dialog over a dictionary's trailer, run for real.
#include "dialogs/about_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialog_watcher.h"
#include "texts_copy.h"
#include "resources/resource_ids.h"

using namespace dialog_test;

namespace {

class AboutDialogTest : public TextsCopyTest {
protected:
    void SetUp() override {
        TextsCopyTest::SetUp();
        std::memset(&trailer_, 0, sizeof trailer_);
        std::strcpy(trailer_.titleEnglish, "French-Greek dictionary");
        std::strcpy(trailer_.titleGreek, "\xc3\xe1\xeb\xeb\xe9\xea\xfc");  // Γαλλικό
        std::strcpy(trailer_.infoEnglish[0], "Word data from FreeDict");
        std::strcpy(trailer_.infoEnglish[1], "@line Licence: CC BY-SA 3.0");
        std::strcpy(trailer_.infoGreek[0], "\xc4\xe5\xe4\xef\xec\xdd\xed\xe1");  // Δεδομένα
    }

    std::vector<std::wstring> Items(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_ABOUT_INFORMATION_LIST);
        std::vector<std::wstring> items;
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[100] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    void ShowAbout(bool useGreek) {
        ShowAboutDialog(nullptr, GetModuleHandleW(nullptr), texts_.Path(), useGreek, trailer_,
                        nullptr, nullptr);
    }

    DictionaryTrailer trailer_;
};

// The About frame that the picture area shows; -1 for none.
int FrameOnScreen(HWND dialog) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, IDC_PICTURE), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    HDC screen = GetDC(dialog);
    HDC memory = CreateCompatibleDC(screen);
    int shown = -1;
    for (int frame = 0; frame <= ABOUT_LAST_FRAME && shown < 0; ++frame) {
        HBITMAP bitmap =
            LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_FIRST_FRAME + frame));
        BITMAP info;
        GetObjectW(bitmap, sizeof info, &info);
        HGDIOBJ old = SelectObject(memory, bitmap);
        bool same = true;
        for (int y = 0; y < info.bmHeight && same; y += 2) {
            for (int x = 0; x < info.bmWidth && same; x += 2) {
                same =
                    GetPixel(memory, x, y) == GetPixel(screen, area.left + 2 + x, area.top + 2 + y);
            }
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        shown = same ? frame : -1;
    }
    DeleteDC(memory);
    ReleaseDC(dialog, screen);
    return shown;
}

}  // namespace

TEST_F(AboutDialogTest, ShowsTheDictionaryAndItsLines) {
    EXPECT_TRUE(RunDialog(
        IDC_ABOUT_INFORMATION_LIST, [&] { ShowAbout(false); },
        [&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog), L"About");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_DICTIONARY_TITLE), L"French-Greek dictionary");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), L"Product version 2.2");
            // Two lines, a separator and the empty third line: 4 items, 3 on top, 4 below.
            const std::vector<std::wstring> items = Items(dialog);
            ASSERT_EQ(items.size(), 11u);
            EXPECT_EQ(items[3], L"Word data from FreeDict");
            EXPECT_EQ(items[4], L"");
            EXPECT_EQ(items[5], L"Licence: CC BY-SA 3.0");
            const int frame = FrameOnScreen(dialog);
            EXPECT_GE(frame, 0);
            RECT rect;
            GetWindowRect(dialog, &rect);
            EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2);
            // The animation moves on.
            Sleep(400);
            EXPECT_GE(FrameOnScreen(dialog), 0);
            EXPECT_NE(FrameOnScreen(dialog), frame);
            Click(dialog, IDOK);
        }));
}

TEST_F(AboutDialogTest, GreekTextsAndTheGreekTitle) {
    EXPECT_TRUE(RunDialog(
        IDC_ABOUT_INFORMATION_LIST, [&] { ShowAbout(true); },
        [&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_DICTIONARY_TITLE),
                      L"\x0393\x03b1\x03bb\x03bb\x03b9\x03ba\x03cc");
            // Έκδοση προγράμματος 2.2
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION),
                      L"\x0388\x03ba\x03b4\x03bf\x03c3\x03b7 \x03c0\x03c1\x03bf\x03b3\x03c1\x03ac"
                      L"\x03bc\x03bc\x03b1\x03c4\x03bf\x03c2 2.2");
            EXPECT_EQ(ItemText(dialog, IDOK), L"\x0395\x03bd\x03c4\x03ac\x03be\x03b5\x03b9");
            for (int id = IDC_ABOUT_PUBLISHER_FIRST; id <= IDC_ABOUT_PUBLISHER_LAST; ++id) {
                EXPECT_FALSE(ItemText(dialog, id).empty()) << id;
            }
            const std::wstring last = ItemText(dialog, IDC_ABOUT_PUBLISHER_LAST);
            EXPECT_TRUE(last[0] >= 0x0386 && last[0] <= 0x03ce);
            const std::vector<std::wstring> items = Items(dialog);
            ASSERT_EQ(items.size(), 11u);
            EXPECT_EQ(items[4], L"\x0394\x03b5\x03b4\x03bf\x03bc\x03ad\x03bd\x03b1");
            PressKey(GetWindowThreadProcessId(dialog, nullptr), dialog, VK_ESCAPE);
        }));
}
