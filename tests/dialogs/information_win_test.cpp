// The Information notice, run for real and closed from a second thread, never by a person.
#include "dialogs/information_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "resources/resource_ids.h"
#include "tests/dialogs/dialog_watcher.h"

namespace {

// The module, texts file and interface language the notice is shown with.
InterfaceLanguage noticeLanguage;
std::string noticeTextsFile;

}  // namespace

using namespace dialog_test;

namespace {

// What the watcher saw of the notice while it was open.
struct Seen {
    bool found = false;
    bool closed = false;  // went away after the key or click, without help
    std::wstring title;
    std::wstring message;
    std::wstring ok;
    RECT rect = {};
    bool pictureDrawn = false;
};

// True when the notice's picture area shows the notice picture rather than the dialog face.
bool PictureOnScreen(HWND dialog) {
    HBITMAP bitmap =
        LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_INFORMATION_PICTURE));
    if (bitmap == nullptr) {
        return false;
    }
    RECT area;
    GetWindowRect(GetDlgItem(dialog, IDC_PICTURE), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    HDC screen = GetDC(dialog);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int compared = 0, same = 0;
    for (int y = 0; y < info.bmHeight; y += 3) {
        for (int x = 0; x < info.bmWidth; x += 3) {
            ++compared;
            same += GetPixel(memory, x, y) == GetPixel(screen, area.left + 2 + x, area.top + 2 + y);
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(dialog, screen);
    DeleteObject(bitmap);
    return compared > 0 && same == compared;
}

enum class Close { kEscape, kOkClick };

// Shows the notice and, from a second thread, reads it and closes it the way a user would.
INT_PTR ShowAndClose(HWND owner, UINT stringId, Close how, Seen* seen) {
    const DWORD uiThread = GetCurrentThreadId();
    INT_PTR result = 0;
    seen->found = dialog_test::RunDialog(
        IDC_INFORMATION_TEXT, [&] { result = ShowInformation(owner, stringId, noticeLanguage); },
        [&](HWND dialog) {
            Sleep(100);  // with the watcher's own wait, time for the picture to be painted
            seen->title = TextOf(dialog);
            seen->message = ItemText(dialog, IDC_INFORMATION_TEXT);
            seen->ok = ItemText(dialog, IDOK);
            GetWindowRect(dialog, &seen->rect);
            seen->pictureDrawn = PictureOnScreen(dialog);
            if (how == Close::kEscape) {
                PressKey(uiThread, dialog, VK_ESCAPE);
            } else {
                PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            }
            seen->closed = WaitClosed(dialog);
        });
    return result;
}

class InformationWinTest : public testing::Test {
protected:
    void SetUp() override {
        noticeLanguage = InterfaceLanguage();
        noticeLanguage.instance = GetModuleHandleW(nullptr);
    }
    void TearDown() override { noticeLanguage.greek = false; }

    // A texts file with the given "DialogGreekTokens" lines, in Windows-1253.
    void WriteTextsFile(const char* lines) {
        noticeTextsFile = folder_.File("vbrtexts.res");
        FILE* file = std::fopen(noticeTextsFile.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fprintf(file, "[DialogGreekTokens]\r\n%s", lines);
        std::fclose(file);
        noticeLanguage.textsFile = noticeTextsFile.c_str();
        noticeLanguage.greek = true;
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(InformationWinTest, EnglishMessageCentredAndClosedByEscape) {
    Seen seen;
    EXPECT_EQ(ShowAndClose(nullptr, IDS_CANT_OPEN_USER_DICTIONARY, Close::kEscape, &seen), 2);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.closed);
    EXPECT_EQ(seen.title, L"Information");
    EXPECT_EQ(seen.message, L"Can't open user dictionary due to an I/O error");
    EXPECT_EQ(seen.ok, L"OK");
    const int width = seen.rect.right - seen.rect.left;
    const int height = seen.rect.bottom - seen.rect.top;
    EXPECT_EQ(seen.rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(seen.rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_TRUE(seen.pictureDrawn);
}

TEST_F(InformationWinTest, MessageWithoutATextShowsItsNumber) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    Seen seen;
    EXPECT_EQ(ShowAndClose(owner, IDS_STATUS_CLEAR, Close::kOkClick, &seen), 2);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.closed);
    EXPECT_EQ(seen.message, L"Error code : (14504)");
    DestroyWindow(owner);
}

TEST_F(InformationWinTest, GreekTextsComeFromTheTextsFile) {
    // Πληροφορίες / Εντάξει / Δεν ανοίγει
    const char kAllTexts[] =
        "14507=\xd0\xeb\xe7\xf1\xef\xf6\xef\xf1\xdf\xe5\xf2\r\n"
        "15001=\xc5\xed\xf4\xdc\xee\xe5\xe9\r\n"
        "14511=\xc4\xe5\xed \xe1\xed\xef\xdf\xe3\xe5\xe9\r\n";
    const wchar_t kGreekTitle[] =
        L"\x03a0\x03bb\x03b7\x03c1\x03bf\x03c6\x03bf\x03c1\x03af\x03b5\x03c2";
    const wchar_t kGreekOk[] = L"\x0395\x03bd\x03c4\x03ac\x03be\x03b5\x03b9";
    struct Case {
        const char* name;
        const char* lines;
        UINT stringId;
        const wchar_t* title;
        const wchar_t* ok;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"every text", kAllTexts, IDS_CANT_OPEN_USER_DICTIONARY, kGreekTitle, kGreekOk,
         L"\x0394\x03b5\x03bd \x03b1\x03bd\x03bf\x03af\x03b3\x03b5\x03b9"},
        // A message the texts file lacks stays empty: no English in a Greek notice.
        {"message missing", kAllTexts, IDS_CANT_OPEN_FILES, kGreekTitle, kGreekOk, L""},
        // A title and button the file lacks keep the template's.
        {"title and button missing", "14511=\xc4\xe5\xed\r\n", IDS_CANT_OPEN_FILES, L"Information",
         L"OK", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteTextsFile(c.lines);
        Seen seen;
        EXPECT_EQ(ShowAndClose(nullptr, c.stringId, Close::kEscape, &seen), 2);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.ok, c.ok);
        EXPECT_EQ(seen.message, c.message);
    }
}
