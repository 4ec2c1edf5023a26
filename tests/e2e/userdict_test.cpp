// End-to-end: the user dictionary maintenance dialog opened with F5 from the lookup window, a
// Greek word typed through the driver, added, found in the lookup window as the user's, replaced
// and deleted again, all with X key and mouse events.
#include <cstring>
#include <string>
#include <vector>

#include "program_fixture.h"
#include "resources/resource_ids.h"
#include "x_input.h"

namespace {

// The word the Greek keyboard makes of the keys "c a r o b a r k a"; no dictionary has it.
const wchar_t kGreekWord[] = L"ψαροβαρκα";
const wchar_t kGreekWordKeys[] = L"c a r o b a r k a";

class UserDictionaryTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        DeleteFileW(UserDictPath().c_str());
    }
    void TearDown() override {
        ProgramTest::TearDown();
        DeleteFileW(UserDictPath().c_str());
    }

    // The program directory is writable here, so the Greek-English dictionary's words live
    // beside it.
    static std::wstring UserDictPath() { return ProgramDirectory() + L"\\GRENG.usr"; }
    static LONGLONG UserDictSize() {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(UserDictPath().c_str(), GetFileExInfoStandard, &data)) {
            return -1;
        }
        return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    // Presses F5 (or the given keys) over the lookup window and waits for the maintenance
    // dialog.
    void OpenMaintenance(const wchar_t* keys = L"F5") {
        ASSERT_TRUE(XFocus(program.dialog)) << "the lookup window did not take the focus";
        XKeys(keys);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<HWND> others = OtherDialogs(program.process.dwProcessId, program.dialog);
            maintenance = others.empty() ? nullptr : others.back();
            return maintenance && GetDlgItem(maintenance, IDC_USERDICT_WORD);
        })) << "F5 did not open the user dictionary dialog";
        WaitIdle(maintenance);
    }
    bool Closed() const { return !IsWindow(maintenance) || !IsWindowVisible(maintenance); }

    HWND Item(int id) const { return GetDlgItem(maintenance, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(HWND dialog, int id) const {
        return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void ClickItem(int id) {
        RECT rect = ControlRect(maintenance, Item(id));
        XClick(maintenance, rect.left + 6, (rect.top + rect.bottom) / 2);
        WaitIdle(maintenance);
    }
    // Clicks into an edit of the dialog and empties it with keys.
    void EmptyEdit(int id) {
        ClickItem(id);
        XKeys(L"End shift+Home BackSpace");
        ASSERT_TRUE(WaitUntil([&] { return WindowText(Item(id)).empty(); }));
    }
    // Double-clicks the first item of the dialog's list.
    void DoubleClickFirstFound() {
        RECT rect = ControlRect(maintenance, Item(IDC_WORD_LIST));
        POINT point = {rect.left + 10, rect.top + 6};
        ClientToScreen(maintenance, &point);
        XMoveTo(point.x, point.y);
        RunUnixCommand(L"/usr/bin/xdotool click --repeat 2 --delay 80 1");
        WaitIdle(maintenance);
    }

    // The lookup window's match list item of this text, -1 when it lists none.
    int MatchIndex(const std::wstring& text) const {
        std::vector<std::wstring> matches = Matches();
        for (size_t i = 0; i < matches.size(); ++i) {
            if (matches[i] == text) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool MarkedAsUsers(int item) const {
        LRESULT data = Send(Control(IDC_WORD_LIST), LB_GETITEMDATA, item, 0);
        return (static_cast<DWORD>(data) & 0x80000000u) != 0 &&
               static_cast<DWORD>(data) != 0xFFFFFFFFu;
    }

    HWND maintenance = nullptr;
};

TEST_F(UserDictionaryTest, AGreekWordIsAddedFoundReplacedAndDeleted) {
    SeedSettings({{"UseUserDict", "1"}});
    Start();
    ASSERT_TRUE(Checked(program.dialog, IDC_KEYBOARD_LANG1));
    TypeAndEnter(L"boat");
    ASSERT_TRUE(WaitForFirstMatch(L"boat"));

    // The dialog takes the lookup window's word and radio buttons.
    OpenMaintenance();
    EXPECT_EQ(WindowText(Item(IDC_USERDICT_WORD)), L"boat");
    EXPECT_TRUE(Enabled(IDC_USERDICT_SEARCH));
    EXPECT_FALSE(Enabled(IDC_USERDICT_ADD));
    EXPECT_TRUE(Checked(maintenance, IDC_KEYBOARD_LANG1));
    EXPECT_EQ(WindowText(Item(IDC_KEYBOARD_LANG2)), WindowText(Control(IDC_KEYBOARD_LANG2)));

    // The Greek keyboard here, the word typed through the driver.
    ClickItem(IDC_KEYBOARD_LANG2);
    ASSERT_TRUE(Checked(maintenance, IDC_KEYBOARD_LANG2));
    EmptyEdit(IDC_USERDICT_WORD);
    XKeys(kGreekWordKeys);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(Item(IDC_USERDICT_WORD)) == kGreekWord; }))
        << "the word edit shows "
        << testing::PrintToString(StoredBytes(WindowText(Item(IDC_USERDICT_WORD))));
    // F3 cycles this dialog's keyboards: the translation in English.
    XKeys(L"F3");
    ASSERT_TRUE(WaitUntil([&] { return Checked(maintenance, IDC_KEYBOARD_SYSTEM); }));
    ClickItem(IDC_USERDICT_TRANSLATION);
    XType(L"boat, small");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_USERDICT_ADD); }))
        << "a word and a translation enable Add Word";
    SaveWindowPng(maintenance, ScreenshotPath(L"userdict-english-" + CodePageName() + L".png"),
                  true);
    ClickItem(IDC_USERDICT_ADD);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Item(IDC_USERDICT_WORD)).empty(); }));
    EXPECT_TRUE(WindowText(Item(IDC_USERDICT_TRANSLATION)).empty());
    EXPECT_EQ(UserDictSize(), 130);

    // F5 closes it with the Greek keyboard chosen here; the lookup window's keyboard is as it
    // was, and types Latin letters.
    ClickItem(IDC_KEYBOARD_LANG2);
    XKeys(L"F5");
    ASSERT_TRUE(WaitUntil([&] { return Closed(); })) << "F5 did not close the dialog";
    EXPECT_TRUE(Checked(program.dialog, IDC_KEYBOARD_LANG1));
    EXPECT_FALSE(Checked(program.dialog, IDC_KEYBOARD_LANG2));
    ASSERT_TRUE(XFocus(program.dialog));
    HWND wordEdit = FindWindowExW(Control(IDC_WORD_BOX), nullptr, L"Edit", nullptr);
    RECT box = ControlRect(program.dialog, wordEdit);
    XClick(program.dialog, box.left + 5, (box.top + box.bottom) / 2);
    XKeys(L"End shift+Home BackSpace c a r");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(IDC_WORD_BOX)) == L"car"; }))
        << "the lookup window types "
        << testing::PrintToString(StoredBytes(WindowText(Control(IDC_WORD_BOX))));

    // The lookup window finds the word as the user's, with its translation.
    TypeAndEnter(kGreekWord);
    int item = -1;
    ASSERT_TRUE(WaitUntil([&] { return (item = MatchIndex(kGreekWord)) >= 0; }))
        << "the lookup window does not list the user's word";
    EXPECT_TRUE(MarkedAsUsers(item));
    SelectListItem(program.dialog, IDC_WORD_LIST, item);
    EXPECT_EQ(Translations(), (std::vector<std::wstring>{L"boat", L"small"}));
    SaveWindowPng(program.dialog, ScreenshotPath(L"userdict-found-" + CodePageName() + L".png"));

    // Replace: search, double-click the found word, change the translation.
    OpenMaintenance();
    EXPECT_EQ(WindowText(Item(IDC_USERDICT_WORD)), kGreekWord);
    ClickItem(IDC_USERDICT_SEARCH);
    ASSERT_TRUE(WaitUntil([&] { return !ListBoxItems(Item(IDC_WORD_LIST)).empty(); }));
    EXPECT_EQ(ListBoxItems(Item(IDC_WORD_LIST)), (std::vector<std::wstring>{kGreekWord}));
    DoubleClickFirstFound();
    ASSERT_TRUE(WaitUntil([&] {
        return WindowText(Item(IDC_USERDICT_TRANSLATION)) == L"boat, small";
    })) << "a double click loads the record";
    EXPECT_FALSE(Enabled(IDC_USERDICT_REPLACE));
    EmptyEdit(IDC_USERDICT_TRANSLATION);
    XType(L"fishing boat");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_USERDICT_REPLACE); }));
    ClickItem(IDC_USERDICT_REPLACE);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Item(IDC_USERDICT_WORD)).empty(); }));
    XKeys(L"Escape");
    ASSERT_TRUE(WaitUntil([&] { return Closed(); }));
    // The word box still holds the word: the lists were searched again at the close.
    ASSERT_TRUE(WaitUntil([&] { return (item = MatchIndex(kGreekWord)) >= 0; }));
    SelectListItem(program.dialog, IDC_WORD_LIST, item);
    EXPECT_EQ(Translations(), (std::vector<std::wstring>{L"fishing boat"}));

    // Delete: search, select, Delete word; gone from the lookup window at once.
    OpenMaintenance();
    ClickItem(IDC_USERDICT_SEARCH);
    ASSERT_TRUE(WaitUntil([&] { return !ListBoxItems(Item(IDC_WORD_LIST)).empty(); }));
    RECT first = ControlRect(maintenance, Item(IDC_WORD_LIST));
    XClick(maintenance, first.left + 10, first.top + 6);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_USERDICT_DELETE); }));
    ClickItem(IDC_USERDICT_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(Item(IDC_WORD_LIST)).empty(); }));
    ClickItem(IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return Closed(); }));
    EXPECT_TRUE(WaitUntil([&] { return MatchIndex(kGreekWord) < 0; }))
        << "the deleted word is still listed";
    EXPECT_EQ(UserDictSize(), 130) << "a deleted record keeps its place";
}

// wordmere-userdict may add words while the program runs: the lookup window reads them once it
// is active again.
TEST_F(UserDictionaryTest, WordsAddedMeanwhileShowWhenTheWindowIsActiveAgain) {
    SeedSettings({{"UseUserDict", "1"}});
    Start();
    TypeAndEnter(L"boat");
    ASSERT_TRUE(WaitForFirstMatch(L"boat"));

    // Another window takes the front; the word is added meanwhile, as the shell tool adds it.
    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(elsewhere, nullptr);
    ASSERT_TRUE(XFocus(elsewhere));
    char record[130] = {};
    strcpy(record, "boatmere");
    strcpy(record + 30, "naval officer");
    HANDLE file = CreateFileW(UserDictPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, record, sizeof record, &written, nullptr));
    CloseHandle(file);

    TypeAndEnter(L"boatm");
    int item = -1;
    EXPECT_TRUE(WaitUntil([&] { return (item = MatchIndex(L"boatmere")) >= 0; }))
        << "the word added meanwhile is not listed";
    EXPECT_TRUE(item >= 0 && MarkedAsUsers(item));
    DestroyWindow(elsewhere);
}

TEST_F(UserDictionaryTest, OpeningAndClosingLeavesNoFileAndShowsGreekTexts) {
    SeedSettings({{"UseUserDict", "1"}, {"UseGreek", "1"}});
    Start();
    // From the window menu: "Update user dictionary" is the fifth item from the bottom.
    OpenMaintenance(L"alt+space Up Up Up Up Up Return");
    EXPECT_EQ(UserDictSize(), 0) << "the dialog creates the file while it is open";
    EXPECT_NE(WindowText(maintenance), L"User Dictionary maintanance");
    SaveWindowPng(maintenance, ScreenshotPath(L"userdict-greek-" + CodePageName() + L".png"), true);
    XKeys(L"Escape");
    ASSERT_TRUE(WaitUntil([&] { return Closed(); }));
    EXPECT_EQ(UserDictSize(), -1) << "an empty user dictionary is removed at the close";
}

}  // namespace
