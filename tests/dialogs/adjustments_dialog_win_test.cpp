// The program adjustments dialog, run for real and clicked from a second thread.
#include "dialogs/adjustments_dialog_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "dialog_watcher.h"
#include "texts_copy.h"
#include "resources/resource_ids.h"

using namespace dialog_test;

namespace {

class AdjustmentsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        help_.instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(texts_.Made());
        help_.textsFile = texts_.Path();
        settings_.HotKeyState = 0;
        settings_.Control = 1;
        settings_.Alt = 1;
        settings_.ScanCode = 'W';
        settings_.Accent = 1;
        settings_.Root = 1;
        settings_.FormType = 1;
        settings_.TaskBarIcon = 0;
        ResetHelpState();
    }

    // Runs the dialog; drive clicks it and must close it.
    bool Run(const std::function<void(HWND)>& drive, AdjustmentChanges* changes = nullptr) {
        bool result = false;
        EXPECT_TRUE(RunDialog(
            IDC_HOTKEY_KEY_LIST,
            [&] { result = ShowAdjustmentsDialog(nullptr, help_, settings_, changes); }, drive));
        return result;
    }

    // Runs the dialog, clicks boxes in turn, then drive (when given), then OK.
    bool ClickAndConfirm(std::initializer_list<int> boxes, AdjustmentChanges* changes,
                         const std::function<void(HWND)>& drive = nullptr) {
        return Run(
            [&](HWND dialog) {
                for (int id : boxes) {
                    Click(dialog, id);
                }
                if (drive) {
                    drive(dialog);
                }
                Click(dialog, IDC_ADJUSTMENTS_OK);
            },
            changes);
    }

    TextsCopy texts_;
    HelpContext help_;
    Settings settings_;
};

int SelectedKey(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(SendMessageW(list, LB_GETITEMDATA, index, 0));
}

}  // namespace

TEST_F(AdjustmentsDialogTest, ShowsTheSettingsAndTheKeyList) {
    settings_.UseSounds = 1;
    settings_.TaskBarIcon = 1;
    const bool changed = Run([&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), L"Program adjustments");
        EXPECT_TRUE(Checked(dialog, IDC_HOTKEY_CONTROL));
        EXPECT_TRUE(Checked(dialog, IDC_HOTKEY_ALT));
        EXPECT_FALSE(Checked(dialog, IDC_HOTKEY_SHIFT));
        EXPECT_FALSE(Checked(dialog, IDC_HOTKEY_DISABLE));
        EXPECT_TRUE(Checked(dialog, IDC_OPTION_ACCENT));
        EXPECT_TRUE(Checked(dialog, IDC_OPTION_FORM_TYPE));
        EXPECT_FALSE(Checked(dialog, IDC_OPTION_USE_GREEK));
        EXPECT_TRUE(Checked(dialog, IDC_OPTION_SOUNDS));
        EXPECT_TRUE(Checked(dialog, IDC_OPTION_TASK_BAR_ICON));
        HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 86);
        EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), VK_BACK);
        EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 85, 0), VK_OEM_7);
        EXPECT_EQ(SelectedKey(dialog), 'W');
        // The accent examples come from the texts file in both languages.
        EXPECT_EQ(ItemText(dialog, IDC_ACCENT_EXAMPLES),
                  L"(\x03ac=\x03b1, \x03ad=\x03b5, \x03ae=\x03b7, \x03af=\x03ca=\x0390=\x03b9, "
                  L"\x03cc=\x03bf, \x03cd=\x03cb=\x03b0=\x03c5, \x03ce=\x03c9)");
        // Centred on the screen.
        RECT rect;
        GetWindowRect(dialog, &rect);
        EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(changed);
}

TEST_F(AdjustmentsDialogTest, DisableHotkeyGreysTheHotKeyAtOnce) {
    Run([&](HWND dialog) {
        for (int id : {IDC_HOTKEY_SHIFT, IDC_HOTKEY_CONTROL, IDC_HOTKEY_ALT, IDC_HOTKEY_KEY_LIST}) {
            EXPECT_TRUE(Enabled(dialog, id)) << id;
        }
        Click(dialog, IDC_HOTKEY_DISABLE);
        EXPECT_TRUE(Checked(dialog, IDC_HOTKEY_DISABLE));
        for (int id : {IDC_HOTKEY_SHIFT, IDC_HOTKEY_CONTROL, IDC_HOTKEY_ALT, IDC_HOTKEY_KEY_LIST}) {
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        }
        EXPECT_TRUE(Enabled(dialog, IDC_OPTION_ACCENT));
        Click(dialog, IDC_HOTKEY_DISABLE);
        EXPECT_FALSE(Checked(dialog, IDC_HOTKEY_DISABLE));
        for (int id : {IDC_HOTKEY_SHIFT, IDC_HOTKEY_CONTROL, IDC_HOTKEY_ALT, IDC_HOTKEY_KEY_LIST}) {
            EXPECT_TRUE(Enabled(dialog, id)) << id;
        }
        Click(dialog, IDCANCEL);
    });
}

TEST_F(AdjustmentsDialogTest, CancelEscapeAndEnterChangeNothing) {
    const Settings before = settings_;
    const DWORD uiThread = GetCurrentThreadId();
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        const bool changed = Run([&](HWND dialog) {
            Click(dialog, IDC_OPTION_USE_GREEK);
            Click(dialog, IDC_HOTKEY_SHIFT);
            EXPECT_TRUE(Checked(dialog, IDC_OPTION_USE_GREEK));
            if (way == 0) {
                Click(dialog, IDCANCEL);
            } else {
                PressKey(uiThread, dialog, way == 1 ? VK_ESCAPE : VK_RETURN);
            }
        });
        EXPECT_FALSE(changed);
        EXPECT_TRUE(SameAdjustments(settings_, before));
    }
}

TEST_F(AdjustmentsDialogTest, OkWithoutAChangeReportsNone) {
    AdjustmentChanges changes;
    // Ticked and unticked again: the same values as before.
    EXPECT_FALSE(ClickAndConfirm({IDC_OPTION_ROOT, IDC_OPTION_ROOT}, &changes));
    EXPECT_FALSE(changes.any);
}

TEST_F(AdjustmentsDialogTest, OkHandsTheChangesBack) {
    AdjustmentChanges changes;
    const bool changed = ClickAndConfirm(
        {IDC_OPTION_FORM_TYPE, IDC_OPTION_USE_GREEK, IDC_OPTION_LARGE_FONT, IDC_HOTKEY_ALT,
         IDC_HOTKEY_SHIFT},
        &changes, [](HWND dialog) {
            // A key chosen in the list, as the mouse would.
            HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
            const LRESULT f5 =
                SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"F5"));
            SendMessageW(list, LB_SETCURSEL, f5, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_HOTKEY_KEY_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
        });
    EXPECT_TRUE(changed);
    EXPECT_TRUE(changes.any);
    EXPECT_TRUE(changes.reopenLookupWindow);
    EXPECT_TRUE(changes.fontSize);
    EXPECT_FALSE(changes.taskBarIcon);
    EXPECT_EQ(settings_.FormType, 0);
    EXPECT_EQ(settings_.UseGreek, 1);
    EXPECT_EQ(settings_.UseLargeFont, 1);
    EXPECT_EQ(settings_.Alt, 0);
    EXPECT_EQ(settings_.Shift, 1);
    EXPECT_EQ(settings_.Control, 1);
    EXPECT_EQ(settings_.ScanCode, VK_F5);
}

TEST_F(AdjustmentsDialogTest, UnknownKeyLeavesTheListWithoutSelection) {
    settings_.ScanCode = 0;
    settings_.HotKeyState = 1;
    Run([&](HWND dialog) {
        EXPECT_EQ(SelectedKey(dialog), -1);
        EXPECT_TRUE(Checked(dialog, IDC_HOTKEY_DISABLE));
        EXPECT_FALSE(Enabled(dialog, IDC_HOTKEY_KEY_LIST));
        Click(dialog, IDCANCEL);
    });
}

TEST_F(AdjustmentsDialogTest, GreekTexts) {
    help_.useGreek = true;
    Run([&](HWND dialog) {
        // Ρυθμίσεις προγράμματος / Άκυρο / Εντάξει
        EXPECT_EQ(TextOf(dialog),
                  L"\x03a1\x03c5\x03b8\x03bc\x03af\x03c3\x03b5\x03b9\x03c2 "
                  L"\x03c0\x03c1\x03bf\x03b3\x03c1\x03ac\x03bc\x03bc\x03b1\x03c4"
                  L"\x03bf\x03c2");
        EXPECT_EQ(ItemText(dialog, IDCANCEL), L"\x0386\x03ba\x03c5\x03c1\x03bf");
        EXPECT_EQ(ItemText(dialog, IDC_ADJUSTMENTS_OK),
                  L"\x0395\x03bd\x03c4\x03ac\x03be\x03b5\x03b9");
        for (int id : {IDC_HOTKEY_DISABLE, IDC_OPTION_ACCENT, IDC_OPTION_ROOT, IDC_OPTION_FORM_TYPE,
                       IDC_OPTION_USE_GREEK, IDC_OPTION_CLIPBOARD, IDC_OPTION_LARGE_FONT,
                       IDC_OPTION_SOUNDS, IDC_OPTION_USER_DICTIONARY, IDC_OPTION_TASK_BAR_ICON,
                       IDC_OPTION_SEARCH_AS_YOU_TYPE, IDC_HOTKEY_TEXT, IDC_HOTKEY_KEY_TEXT}) {
            const std::wstring text = ItemText(dialog, id);
            ASSERT_FALSE(text.empty()) << id;
            EXPECT_TRUE(text[0] >= 0x0386 && text[0] <= 0x03ce) << id;
        }
        // The modifier keys keep their names.
        EXPECT_EQ(ItemText(dialog, IDC_HOTKEY_SHIFT), L"Shift");
        EXPECT_EQ(ItemText(dialog, IDC_HOTKEY_CONTROL), L"Control");
        Click(dialog, IDCANCEL);
    });
}
