// The clipboard exchange of the lookup window on the real clipboard, under Wine.
#include "ui/clipboard_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/interface_texts.h"
#include "tests/ui/lookup_window_fixture.h"
#include "ui/list_controls_win.h"

namespace {

void PutOnClipboard(UINT format, const void* data, size_t bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), data, bytes);
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
}

void PutUnicode(const std::wstring& text) {
    PutOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool ReadClipboard(std::wstring* unicode, std::string* bytes) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        *unicode = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        *bytes = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return true;
}

// A lookup that goes wrong and searches with no dictionary open shows the disk error box; it is
// closed at once and counted, so a failing test never waits for a human.
DWORD WINAPI CloseDiskErrorBoxes(void* count) {
    for (;;) {
        if (HWND box = FindWindowA("#32770", kDiskErrorCaption)) {
            ++*static_cast<LONG*>(count);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
    }
}

class ClipboardWinTest : public testing::Test {
protected:
    void SetUp() override {
        dialog = CreateLookupStandIn();
        watchdog = CreateThread(nullptr, 0, CloseDiskErrorBoxes, &diskErrors, 0, nullptr);
    }
    void TearDown() override {
        TerminateThread(watchdog, 0);
        CloseHandle(watchdog);
        DestroyWindow(dialog);
        EXPECT_EQ(diskErrors, 0);
    }
    HWND Control(int id) { return GetDlgItem(dialog, id); }

    // The word a clipboard lookup takes, over a current word that held `before`; the word
    // stays when the clipboard gives none. The lookup itself compares it with lastSearched.
    std::string WordTakenFrom(const char* lastSearched, const char* before) {
        char word[80];
        snprintf(word, sizeof word, "%s", before);
        ReadClipboardWord(dialog, word);
        EXPECT_TRUE(lastSearched[0] != '\0');
        return word;
    }

    HWND dialog = nullptr;
    HANDLE watchdog = nullptr;
    LONG diskErrors = 0;
};

TEST_F(ClipboardWinTest, CopiesTheSelectedTranslationWithOneBlankInBothForms) {
    WinListBox translations(Control(IDC_TRANSLATION_LIST));
    translations.Add("house");
    translations.Add("\xF3\xF0\xDF\xF4\xE9");  // σπίτι
    struct Case {
        int index;
        const wchar_t* unicode;
        const char* bytes;
    };
    const Case cases[] = {
        {0, L"house ", "house "},
        {1, L"σπίτι ", "\xF3\xF0\xDF\xF4\xE9 "},
    };
    for (const Case& c : cases) {
        translations.Select(c.index);
        CopyTranslation(dialog, false);
        std::wstring unicode;
        std::string bytes;
        ASSERT_TRUE(ReadClipboard(&unicode, &bytes));
        EXPECT_EQ(unicode, c.unicode);
        EXPECT_EQ(bytes, c.bytes);
    }
    // The copy enabled the clipboard button; with nothing selected the clipboard stays as it is.
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CLIPBOARD)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_COPY)));
    translations.Select(-1);
    CopyTranslation(dialog, false);
    UpdateClipboardButtons(dialog, false);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_COPY)));
    std::wstring unicode;
    std::string bytes;
    ASSERT_TRUE(ReadClipboard(&unicode, &bytes));
    EXPECT_EQ(unicode, L"σπίτι ");
}

TEST_F(ClipboardWinTest, TakesTheFirstWordOfTheUnicodeText) {
    PutUnicode(L"  Word-List more");
    EXPECT_EQ(WordTakenFrom("wordlist", "previous"), "wordlist");
    PutUnicode(L"ΣΠΊΤΙ\r\nάλλο");
    EXPECT_EQ(WordTakenFrom("\xF3\xF0\xDF\xF4\xE9\r\n\xDC\xEB\xEB\xEF", "previous"),
              "\xF3\xF0\xDF\xF4\xE9\r\n\xDC\xEB\xEB\xEF");
    PutUnicode(L"x");
    EXPECT_EQ(WordTakenFrom("previous", "previous"), "previous");
    PutUnicode(L"    ");
    EXPECT_EQ(WordTakenFrom("previous", "previous"), "previous");
}

TEST_F(ClipboardWinTest, ReadsEightBitTextOfOtherPrograms) {
    // A program that puts only 8-bit text: its Latin accents arrive as they are.
    const char text[] = "Caf\xE9 au lait";
    PutOnClipboard(CF_TEXT, text, sizeof text);
    EXPECT_EQ(WordTakenFrom("caf\xE9", "previous"), "caf\xE9");
}

TEST_F(ClipboardWinTest, ClipboardButtonFollowsTheClipboard) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    UpdateClipboardButtons(dialog, false);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_CLIPBOARD)));
    // An empty clipboard leaves the word alone.
    EXPECT_EQ(WordTakenFrom("previous", "previous"), "previous");
    PutUnicode(L"house");
    UpdateClipboardButtons(dialog, false);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CLIPBOARD)));
}

}  // namespace

namespace {

// A format of global memory under a registered name, as HTML and RTF are.
std::string ReadFormat(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) {
        return bytes;
    }
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

TEST(ClipboardSnapshot, GivesBackTextRegisteredFormatsAndBitmapsButNoPrivateHandles) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const std::string page = "<b>a copied paragraph</b>";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::wstring text = L"a copied paragraph";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    block = GlobalAlloc(GMEM_MOVEABLE, page.size() + 1);
    memcpy(GlobalLock(block), page.c_str(), page.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(html, block);
    HDC screen = GetDC(nullptr);
    SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen, 21, 13));
    ReleaseDC(nullptr, screen);
    // A private handle: nobody but its owner knows what it is.
    SetClipboardData(CF_PRIVATEFIRST, GlobalAlloc(GMEM_MOVEABLE, 4));
    CloseClipboard();

    ClipboardSnapshot snapshot;
    ASSERT_TRUE(snapshot.Take(nullptr));
    EXPECT_TRUE(snapshot.Held());
    PutUnicode(L"house");  // the hot key's copy
    ASSERT_TRUE(snapshot.GiveBack(nullptr));
    EXPECT_FALSE(snapshot.Held());

    std::wstring unicode;
    std::string bytes;
    ASSERT_TRUE(ReadClipboard(&unicode, &bytes));
    EXPECT_EQ(unicode, text);
    EXPECT_EQ(bytes, "a copied paragraph");
    EXPECT_EQ(ReadFormat(html).c_str(), page);
    ASSERT_TRUE(OpenClipboard(nullptr));
    BITMAP bitmap{};
    HANDLE handle = GetClipboardData(CF_BITMAP);
    ASSERT_NE(handle, nullptr);
    GetObjectW(handle, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 21);
    EXPECT_EQ(bitmap.bmHeight, 13);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_PRIVATEFIRST));
    CloseClipboard();
}

TEST(ClipboardSnapshot, AnUntouchedClipboardIsLeftAsItIs) {
    PutUnicode(L"mine");
    ClipboardSnapshot snapshot;
    ASSERT_TRUE(snapshot.Take(nullptr));
    const DWORD sequence = GetClipboardSequenceNumber();
    ASSERT_TRUE(snapshot.GiveBack(nullptr));
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "nothing changed, so nothing is rewritten";
    // Only once: a second give-back has nothing to give.
    PutUnicode(L"later");
    EXPECT_FALSE(snapshot.GiveBack(nullptr));
    std::wstring unicode;
    std::string bytes;
    ASSERT_TRUE(ReadClipboard(&unicode, &bytes));
    EXPECT_EQ(unicode, L"later");
}

TEST(ClipboardSnapshot, AnEmptyClipboardIsGivenBackEmpty) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    ClipboardSnapshot snapshot;
    ASSERT_TRUE(snapshot.Take(nullptr));
    EXPECT_EQ(snapshot.FormatCount(), 0u);
    PutUnicode(L"house");
    ASSERT_TRUE(snapshot.GiveBack(nullptr));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

}  // namespace
