// The user dictionary dialog on its own template, over a stand-in lookup dialog (word box and
// keyboard radio buttons) and a host that records what the dialog asks of the program. Each test
// drives the modal dialog from a timer that fires inside its message loop.
#include "dialogs/user_dictionary_dialog_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "userdict/user_dict_file.h"

namespace {

class RecordingHost : public UserDictionaryDialogHost {
public:
    void ShowNotice(HWND, UINT stringId) override { notices.push_back(stringId); }
    void ShowDiskError(HWND) override { ++diskErrors; }
    void SetCommandTarget(HWND target) override { commandTarget = target; }
    void InstallKeyboardHooks() override { ++hookInstalls; }
    void RemoveKeyboardHooks() override { ++hookRemovals; }

    std::vector<UINT> notices;
    int diskErrors = 0;
    HWND commandTarget = nullptr;
    int hookInstalls = 0;
    int hookRemovals = 0;
};

// The lookup dialog as the user dictionary dialog reads it.
class LookupStandIn {
public:
    explicit LookupStandIn(const wchar_t* word) {
        window_ = CreateWindowExW(0, L"STATIC", L"lookup", WS_POPUP, 0, 0, 400, 300, nullptr,
                                  nullptr, nullptr, nullptr);
        CreateWindowExW(0, L"EDIT", word, WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, window_,
                        reinterpret_cast<HMENU>(IDC_WORD_BOX), nullptr, nullptr);
        const struct {
            int id;
            const wchar_t* caption;
            bool visible;
        } radios[] = {{IDC_KEYBOARD_SYSTEM, L"Windows", true},
                      {IDC_KEYBOARD_LANG1, L"Ελληνικά", true},
                      {IDC_KEYBOARD_LANG2, L"Lang 2", false}};
        for (const auto& r : radios) {
            CreateWindowExW(0, L"BUTTON", r.caption,
                            WS_CHILD | BS_RADIOBUTTON | (r.visible ? WS_VISIBLE : 0), 0, 0, 80, 20,
                            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(r.id)), nullptr,
                            nullptr);
        }
        CheckDlgButton(window_, IDC_KEYBOARD_LANG1, BST_CHECKED);
    }
    ~LookupStandIn() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

class UserDictionaryDialogTest : public ::testing::Test {
protected:
    UserDictionaryDialogTest() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"userdict_dialog_" + std::to_wstring(GetCurrentProcessId()) +
              L"_" + std::to_wstring(::testing::UnitTest::GetInstance()->random_seed() + counter++);
        CreateDirectoryW(dir.c_str(), nullptr);
        char narrow[MAX_PATH * 2];
        WideCharToMultiByte(CP_ACP, 0, (dir + L"\\GRENG.usr").c_str(), -1, narrow, sizeof narrow,
                            nullptr, nullptr);
        path = narrow;
        keyboard.modeTable[1] = kKeyboardLatin;
        keyboard.modeTable[2] = kKeyboardGreek;
        keyboard.index = 1;
        keyboard.mode = keyboard.mainDialogMode = kKeyboardLatin;
        args.instance = GetModuleHandleW(nullptr);
        args.path = path.c_str();
        args.keyboard = &keyboard;
        args.host = &host;
    }
    ~UserDictionaryDialogTest() override {
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
        RemoveDirectoryW(dir.c_str());
    }

    // Opens the dialog and runs `script` on it from inside its message loop; the script must
    // close it. Returns the dialog's result.
    INT_PTR Run(HWND owner, std::function<void(HWND)> script) {
        current = this;
        pending = std::move(script);
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            HWND dialog = current->host.commandTarget;
            ASSERT_NE(dialog, nullptr);
            current->pending(dialog);
        });
        return ShowUserDictionaryDialog(owner, args);
    }

    std::string FileBytes() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static UserDictionaryDialogTest* current;
    static int counter;
    std::wstring dir;
    std::string path;
    KeyboardSelection keyboard;
    RecordingHost host;
    UserDictionaryDialogArgs args;
    std::function<void(HWND)> pending;
};

UserDictionaryDialogTest* UserDictionaryDialogTest::current = nullptr;
int UserDictionaryDialogTest::counter = 0;

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// Search, Add, Replace, Delete as enabled or not.
std::string Buttons(HWND dialog) {
    std::string state;
    for (int id :
         {IDC_USERDICT_SEARCH, IDC_USERDICT_ADD, IDC_USERDICT_REPLACE, IDC_USERDICT_DELETE}) {
        state += Enabled(dialog, id) ? '1' : '0';
    }
    return state;
}

std::wstring Text(HWND dialog, int id) {
    wchar_t text[200] = {};
    GetDlgItemTextW(dialog, id, text, 200);
    return text;
}

void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ListNotice(HWND dialog, int item, int code) {
    HWND list = GetDlgItem(dialog, IDC_WORD_LIST);
    SendMessageW(list, LB_SETCURSEL, item, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_WORD_LIST, code),
                 reinterpret_cast<LPARAM>(list));
}

std::vector<std::wstring> ListItems(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_WORD_LIST);
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[100] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

TEST_F(UserDictionaryDialogTest, AddSearchReplaceAndDeleteThroughTheButtons) {
    LookupStandIn lookup(L"λόγος");
    INT_PTR result = Run(lookup.Handle(), [&](HWND d) {
        // The lookup dialog's word and keyboards are taken over.
        EXPECT_EQ(Text(d, IDC_USERDICT_WORD), L"λόγος");
        EXPECT_EQ(Buttons(d), "1000");
        EXPECT_EQ(Text(d, IDC_KEYBOARD_LANG1), L"Ελληνικά");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_KEYBOARD_LANG1), BST_CHECKED);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_KEYBOARD_LANG2)));

        SetDlgItemTextW(d, IDC_USERDICT_TRANSLATION, L"word, speech");
        EXPECT_EQ(Buttons(d), "1100");
        // The button that disables itself hands the keyboard focus to the word edit.
        SetForegroundWindow(d);
        SetFocus(GetDlgItem(d, IDC_USERDICT_ADD));
        ASSERT_EQ(GetFocus(), GetDlgItem(d, IDC_USERDICT_ADD));
        Click(d, IDC_USERDICT_ADD);
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_USERDICT_WORD));
        EXPECT_EQ(Text(d, IDC_USERDICT_WORD), L"");
        EXPECT_EQ(Text(d, IDC_USERDICT_TRANSLATION), L"");
        EXPECT_EQ(Buttons(d), "0000");
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"house");
        SetDlgItemTextW(d, IDC_USERDICT_TRANSLATION, L"σπίτι");
        Click(d, IDC_USERDICT_ADD);
        EXPECT_EQ(FileBytes().size(), 2 * kUserDictRecordSize);

        // Found, selected, loaded: Replace only once the translation differs.
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"ΛΟΓ");
        Click(d, IDC_USERDICT_SEARCH);
        EXPECT_EQ(ListItems(d), std::vector<std::wstring>{L"λόγος"});
        ListNotice(d, 0, LBN_SELCHANGE);
        EXPECT_TRUE(Enabled(d, IDC_USERDICT_DELETE));
        ListNotice(d, 0, LBN_DBLCLK);
        EXPECT_EQ(Text(d, IDC_USERDICT_WORD), L"λόγος");
        EXPECT_EQ(Text(d, IDC_USERDICT_TRANSLATION), L"word, speech");
        EXPECT_FALSE(Enabled(d, IDC_USERDICT_REPLACE));
        EXPECT_FALSE(Enabled(d, IDC_USERDICT_ADD));
        SetDlgItemTextW(d, IDC_USERDICT_TRANSLATION, L"λέξη");
        EXPECT_TRUE(Enabled(d, IDC_USERDICT_REPLACE));
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"λόγοι");
        EXPECT_FALSE(Enabled(d, IDC_USERDICT_REPLACE));
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"λόγος");
        SetDlgItemTextW(d, IDC_USERDICT_TRANSLATION, L"λέξη, λόγος");
        EXPECT_TRUE(Enabled(d, IDC_USERDICT_REPLACE));
        Click(d, IDC_USERDICT_REPLACE);
        EXPECT_EQ(ListItems(d).size(), 0u);
        EXPECT_EQ(Buttons(d), "0000");

        // Deleting takes the word out of the list at once.
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"hou");
        Click(d, IDC_USERDICT_SEARCH);
        ListNotice(d, 0, LBN_SELCHANGE);
        Click(d, IDC_USERDICT_DELETE);
        EXPECT_EQ(ListItems(d).size(), 0u);
        EXPECT_FALSE(Enabled(d, IDC_USERDICT_DELETE));

        // A word that would read as a deleted record is refused, and stays in the edit.
        SetDlgItemTextW(d, IDC_USERDICT_WORD, L"&&*!@@ Deleted");
        SetDlgItemTextW(d, IDC_USERDICT_TRANSLATION, L"note");
        Click(d, IDC_USERDICT_ADD);
        EXPECT_EQ(host.notices, std::vector<UINT>{IDS_USERDICT_MARKER_WORD});
        EXPECT_EQ(Text(d, IDC_USERDICT_WORD), L"&&*!@@ Deleted");

        // F3 cycles this dialog's keyboards; F5 closes it.
        SendMessageW(d, WM_COMMAND, CMD_NEXT_KEYBOARD, 0);
        EXPECT_NE(IsDlgButtonChecked(d, IDC_KEYBOARD_LANG1), BST_CHECKED);
        EXPECT_EQ(keyboard.mainDialogMode, kKeyboardLatin);
        SendMessageW(d, WM_COMMAND, CMD_USER_DICTIONARY, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(keyboard.mode, kKeyboardLatin);
    EXPECT_EQ(keyboard.index, 1);
    EXPECT_GE(host.hookRemovals, 1);

    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 2 * kUserDictRecordSize);
    EXPECT_STREQ(bytes.c_str() + kUserDictWordSize, "\xeb\xdd\xee\xe7, \xeb\xfc\xe3\xef\xf2");
    EXPECT_STREQ(bytes.c_str() + kUserDictRecordSize, kUserDictDeletedMarker);
}

TEST_F(UserDictionaryDialogTest, OpeningAndClosingLeavesNoEmptyFileBehind) {
    LookupStandIn lookup(L"");
    INT_PTR result = Run(lookup.Handle(), [&](HWND d) {
        EXPECT_EQ(Buttons(d), "0000");
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, true);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(UserDictionaryDialogTest, AFileThatCannotBeOpenedShowsTheNoticeAndCloses) {
    CreateDirectoryA(path.c_str(), nullptr);  // a folder by the file's name
    LookupStandIn lookup(L"");
    EXPECT_EQ(ShowUserDictionaryDialog(lookup.Handle(), args), 0);
    EXPECT_EQ(host.notices, std::vector<UINT>{IDS_CANT_OPEN_USER_DICTIONARY});
}

}  // namespace
