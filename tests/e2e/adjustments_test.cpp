// End-to-end: the program adjustments and the About box in the real program. The dialogs open
// from the lookup window's system menu; their boxes and buttons are clicked and keyed with X
// events, and what they changed is read back from the registry and the lookup window.
#include <algorithm>

#include "program_fixture.h"
#include "resources/resource_ids.h"
#include "x_input.h"

namespace {

struct Setting {
    const char* key;
    const char* name;
};
// The fourteen settings the adjustments edit.
constexpr Setting kAdjustedSettings[] = {
    {"HotKey", "HotKeyState"}, {"HotKey", "Alt"},         {"HotKey", "Control"},
    {"HotKey", "Shift"},       {"HotKey", "ScanCode"},    {"State", "Accent"},
    {"State", "Root"},         {"State", "FormType"},     {"State", "UseGreek"},
    {"State", "UseClipboard"}, {"State", "UseLargeFont"}, {"State", "UseUserDict"},
    {"State", "TaskBarIcon"},  {"State", "UseSounds"},
};

std::vector<std::string> AdjustedSettings() {
    std::vector<std::string> values;
    for (const Setting& setting : kAdjustedSettings) {
        std::string value = "(none)";
        ReadProgramSetting(setting.key, setting.name, value);
        values.push_back(std::string(setting.name) + "=" + value);
    }
    return values;
}

bool HasIndex(HWND dialog) {
    return GetDlgItem(dialog, 100) && GetDlgItem(dialog, 125);
}

class AdjustmentsTest : public ProgramTest {
protected:
    void TearDown() override {
        StopProgram(program);
        notepad.Close();
    }

    // Opens a dialog from the lookup window's system menu and waits for the dialog that holds
    // the control `marker`.
    HWND OpenFromMenu(UINT item, int marker) {
        PostMessageW(program.dialog, WM_SYSCOMMAND, item, 0);
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND other : OtherDialogs(program.process.dwProcessId, program.dialog)) {
                if (GetDlgItem(other, marker)) {
                    found = other;
                }
            }
            return found != nullptr;
        });
        return found;
    }
    HWND OpenAdjustments() {
        adjustments = OpenFromMenu(IDM_SYS_ADJUSTMENTS, IDC_HOTKEY_KEY_LIST);
        EXPECT_NE(adjustments, nullptr) << "the program adjustments did not open";
        if (adjustments) {
            EXPECT_TRUE(XFocus(adjustments));
        }
        return adjustments;
    }
    // A click on a box or button of the adjustments, near its left edge (on the box itself).
    void Click(int id) {
        HWND control = GetDlgItem(adjustments, id);
        ASSERT_NE(control, nullptr) << "no control " << id;
        RECT rect = ControlRect(adjustments, control);
        XClick(adjustments, rect.left + 6, (rect.top + rect.bottom) / 2);
    }
    bool Checked(int id) const {
        return Send(GetDlgItem(adjustments, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool AdjustmentsClosed() const {
        return WaitUntil([&] { return !IsWindow(adjustments); });
    }
    bool TrayIconShown() const {
        return VisibleWindowOfClass(0, L"__winex11_standalone_tray") != nullptr;
    }
    // The main window is the program's task-bar button.
    bool TaskBarButtonShown() const {
        return VisibleWindowOfClass(program.process.dwProcessId, L"Vocabre:Main") != nullptr;
    }

    HWND adjustments = nullptr;
    ForeignNotepad notepad;
};

// All fourteen settings stored, as after any earlier OK (a first run leaves three unwritten).
void SeedAllAdjustedSettings(std::map<std::string, std::string> state = {}) {
    for (const char* name : {"TaskBarIcon", "UseLargeFont", "UseUserDict"}) {
        state.insert({name, "0"});
    }
    SeedSettings(state);
}

TEST_F(AdjustmentsTest, OkWithoutTheIndexAndWithGreekTextsReopensCompactInGreek) {
    SeedAllAdjustedSettings();
    Start();
    ASSERT_TRUE(HasIndex(program.dialog));
    const std::vector<std::string> before = AdjustedSettings();
    ASSERT_TRUE(OpenAdjustments());
    SaveWindowPng(adjustments, ScreenshotPath(L"adjustments-" + CodePageName() + L".png"));
    Click(IDC_OPTION_FORM_TYPE);
    Click(IDC_OPTION_USE_GREEK);
    EXPECT_FALSE(Checked(IDC_OPTION_FORM_TYPE));
    EXPECT_TRUE(Checked(IDC_OPTION_USE_GREEK));
    Click(IDC_ADJUSTMENTS_OK);
    ASSERT_TRUE(AdjustmentsClosed());
    ASSERT_TRUE(WaitForReopenedDialog(program)) << "the lookup window did not open again";

    // The compact form: no index, and not the small form either.
    EXPECT_FALSE(HasIndex(program.dialog));
    EXPECT_FALSE(IsSmallForm());
    // Greek texts, and the dictionary chosen before (saved under its English name) is still
    // the one open.
    EXPECT_EQ(WindowText(program.dialog), L"Ελληνοαγγλικό λεξικό");
    EXPECT_EQ(ComboSelectionText(Control(12011)), L"Ελληνοαγγλικό λεξικό");
    EXPECT_FALSE(Matches().empty()) << "the reopened window lists nothing";
    SaveWindowPng(program.dialog,
                  ScreenshotPath(L"adjustments-compact-greek-" + CodePageName() + L".png"));

    // Only the two options changed.
    std::vector<std::string> expected = before;
    for (std::string& value : expected) {
        if (value.rfind("FormType=", 0) == 0) {
            value = "FormType=0";
        } else if (value.rfind("UseGreek=", 0) == 0) {
            value = "UseGreek=1";
        }
    }
    EXPECT_EQ(AdjustedSettings(), expected);

    // A restart keeps both, and the dictionary.
    Restart();
    EXPECT_FALSE(HasIndex(program.dialog));
    EXPECT_EQ(WindowText(program.dialog), L"Ελληνοαγγλικό λεξικό");
}

TEST_F(AdjustmentsTest, CancelEscapeAndEnterChangeNothing) {
    SeedAllAdjustedSettings();
    Start();
    const std::vector<std::string> before = AdjustedSettings();
    for (const wchar_t* close : {L"cancel", L"Escape", L"Return"}) {
        SCOPED_TRACE(testing::Message() << "closed with " << close);
        ASSERT_TRUE(OpenAdjustments());
        // A key chosen and every box ticked the other way; the focus ends on a box, so Enter
        // goes to the default button.
        Click(IDC_HOTKEY_DISABLE);
        Click(IDC_HOTKEY_KEY_LIST);
        XKeys(L"Home q");
        EXPECT_GE(ListBoxSelection(GetDlgItem(adjustments, IDC_HOTKEY_KEY_LIST)), 0);
        for (int id : {IDC_HOTKEY_SHIFT, IDC_HOTKEY_CONTROL, IDC_HOTKEY_ALT, IDC_OPTION_ACCENT,
                       IDC_OPTION_ROOT, IDC_OPTION_FORM_TYPE, IDC_OPTION_CLIPBOARD,
                       IDC_OPTION_LARGE_FONT, IDC_OPTION_SOUNDS, IDC_OPTION_USER_DICTIONARY,
                       IDC_OPTION_TASK_BAR_ICON, IDC_OPTION_USE_GREEK}) {
            Click(id);
        }
        EXPECT_TRUE(Checked(IDC_OPTION_USE_GREEK));
        EXPECT_FALSE(Checked(IDC_HOTKEY_DISABLE));
        if (std::wstring(close) == L"cancel") {
            Click(IDCANCEL);
        } else {
            XKeys(close);  // Enter too: Cancel is the default button
        }
        ASSERT_TRUE(AdjustmentsClosed());
        WaitIdle(program.dialog);
        EXPECT_EQ(AdjustedSettings(), before);
        EXPECT_TRUE(IsWindow(program.dialog)) << "the lookup window was opened again";
        EXPECT_TRUE(HasIndex(program.dialog));
        EXPECT_FALSE(TrayIconShown());
    }
}

TEST_F(AdjustmentsTest, TheTrayIconFollowsAtOnce) {
    SeedSettings({{"TaskBarIcon", "0"}});
    Start();
    ASSERT_FALSE(TrayIconShown());
    ASSERT_TRUE(OpenAdjustments());
    Click(IDC_OPTION_TASK_BAR_ICON);
    Click(IDC_ADJUSTMENTS_OK);
    ASSERT_TRUE(AdjustmentsClosed());
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(); })) << "no icon after OK";
    EXPECT_TRUE(WaitUntil([&] { return !TaskBarButtonShown(); }))
        << "the task-bar button stayed beside the icon";
    EXPECT_TRUE(IsWindow(program.dialog)) << "the window opened again for the icon alone";
    std::string value;
    EXPECT_TRUE(ReadProgramSetting("State", "TaskBarIcon", value));
    EXPECT_EQ(value, "1");
    // With the icon the close box only hides the window.
    PostMessageW(program.dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(program.dialog); }));
    EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 1000), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the close box ended the program although the icon stands for it";

    // Shown again (as a click on the icon does) and the icon taken away: it goes at once, and
    // the close box ends the program.
    ShowWindowAsync(program.dialog, SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(program.dialog) != FALSE; }));
    ASSERT_TRUE(OpenAdjustments());
    Click(IDC_OPTION_TASK_BAR_ICON);
    Click(IDC_ADJUSTMENTS_OK);
    ASSERT_TRUE(AdjustmentsClosed());
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(); })) << "the icon stayed after OK";
    EXPECT_TRUE(WaitUntil([&] { return TaskBarButtonShown(); })) << "no task-bar button after OK";
    PostMessageW(program.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 10000),
              static_cast<DWORD>(WAIT_OBJECT_0))
        << "without the icon the close box should end the program";
}

// A new font size draws the lists again and leaves them as they were: the match the user chose
// stays chosen, with its translations.
TEST_F(AdjustmentsTest, ALargerFontKeepsTheChosenMatch) {
    SeedAllAdjustedSettings();
    Start();
    UseDictionary(L"Greek-English dictionary");
    TypeAndEnter(L"house");
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    HWND matches = Control(IDC_WORD_LIST);
    ASSERT_GE(ListBoxItems(matches).size(), 3u);
    Send(matches, LB_SETCURSEL, 2, 0);
    PostMessageW(program.dialog, WM_COMMAND, MAKEWPARAM(IDC_WORD_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(matches));
    WaitIdle(program.dialog);
    const std::vector<std::wstring> chosen = Translations();
    ASSERT_FALSE(chosen.empty());

    ASSERT_TRUE(OpenAdjustments());
    Click(IDC_OPTION_LARGE_FONT);
    Click(IDC_ADJUSTMENTS_OK);
    ASSERT_TRUE(AdjustmentsClosed());
    WaitIdle(program.dialog);
    std::string value;
    EXPECT_TRUE(ReadProgramSetting("State", "UseLargeFont", value));
    EXPECT_EQ(value, "1");
    EXPECT_EQ(ListBoxSelection(matches), 2) << "the chosen match was lost";
    EXPECT_EQ(Translations(), chosen);
    SaveWindowPng(program.dialog,
                  ScreenshotPath(L"adjustments-large-font-" + CodePageName() + L".png"));
}

// Started with the icon, the icon turned off alone or together with an option that opens the
// window again: the icon goes (the window it belonged to may be gone) and the task-bar button
// comes back.
TEST_F(AdjustmentsTest, TurningTheIconOffBringsTheTaskBarButtonBack) {
    for (int alsoClicked : {0, IDC_OPTION_FORM_TYPE, IDC_OPTION_USE_GREEK}) {
        SCOPED_TRACE(testing::Message() << "also clicked: " << alsoClicked);
        SeedAllAdjustedSettings({{"TaskBarIcon", "1"}});
        Start();
        ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(); }));
        EXPECT_FALSE(TaskBarButtonShown());
        ASSERT_TRUE(OpenAdjustments());
        Click(IDC_OPTION_TASK_BAR_ICON);
        if (alsoClicked != 0) {
            Click(alsoClicked);
        }
        Click(IDC_ADJUSTMENTS_OK);
        ASSERT_TRUE(AdjustmentsClosed());
        if (alsoClicked != 0) {
            ASSERT_TRUE(WaitForReopenedDialog(program)) << "the lookup window did not open again";
        }
        EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(); })) << "the icon stayed";
        EXPECT_TRUE(WaitUntil([&] { return TaskBarButtonShown(); })) << "no task-bar button";
        if (alsoClicked == IDC_OPTION_FORM_TYPE) {
            SaveScreenPng(std::string(WORDMERE_SHOTS) + "/adjustments-icon-off-compact-" +
                          (GetACP() == 1253 ? "cp1253" : "cp1252") + ".png");
        }
        StopProgram(program);
        ResetProgramSettings();
    }
}

TEST_F(AdjustmentsTest, AHotKeyChosenThereLooksUpTheSelectionOfNotepad) {
    SeedSettings({{"UseClipboard", "1"}});  // the hot key is off at a first run
    Start();
    ASSERT_TRUE(OpenAdjustments());
    ASSERT_TRUE(Checked(IDC_HOTKEY_DISABLE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(adjustments, IDC_HOTKEY_KEY_LIST)));
    Click(IDC_HOTKEY_DISABLE);
    EXPECT_TRUE(
        WaitUntil([&] { return IsWindowEnabled(GetDlgItem(adjustments, IDC_HOTKEY_KEY_LIST)); }));
    Click(IDC_HOTKEY_CONTROL);
    Click(IDC_HOTKEY_ALT);
    HWND keys = GetDlgItem(adjustments, IDC_HOTKEY_KEY_LIST);
    EXPECT_EQ(ListBoxItems(keys).size(), 86u);
    Click(IDC_HOTKEY_KEY_LIST);
    XKeys(L"Home q");
    ASSERT_TRUE(WaitUntil([&] {
        int selection = ListBoxSelection(keys);
        return selection >= 0 && ListBoxItems(keys)[selection] == L"Q";
    })) << "the key list did not go to Q";
    Click(IDC_ADJUSTMENTS_OK);
    ASSERT_TRUE(AdjustmentsClosed());
    WaitIdle(program.dialog);
    std::string value;
    for (const auto& wanted : {std::make_pair("HotKeyState", "0"), std::make_pair("Control", "1"),
                               std::make_pair("Alt", "1"), std::make_pair("Shift", "0"),
                               std::make_pair("ScanCode", "81")}) {
        EXPECT_TRUE(ReadProgramSetting("HotKey", wanted.first, value));
        EXPECT_EQ(value, wanted.second) << wanted.first;
    }

    notepad.ShowWithSelection(L"house");
    XKeys(L"ctrl+alt+q");
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(program.dialog) && GetForegroundWindow() == program.dialog;
    })) << "the chosen hot key did not bring the lookup window forward";
    EXPECT_TRUE(WaitForFirstMatch(L"house")) << "the selection of Notepad was not looked up";
    const std::vector<std::wstring> translations = Translations();
    EXPECT_TRUE(std::any_of(translations.begin(), translations.end(),
                            [](const std::wstring& t) { return t.rfind(L"σπίτι", 0) == 0; }));
    SaveScreenPng(std::string(WORDMERE_SHOTS) + "/adjustments-hotkey-notepad-" +
                  (GetACP() == 1253 ? "cp1253" : "cp1252") + ".png");
    PostMessageW(program.dialog, MSG_END_PROGRAM, 0, 0);
}

// The hot key switched on but no key picked: nothing to register, and nothing to complain
// about when a secondary dialog closes.
TEST_F(AdjustmentsTest, AHotKeyWithoutAKeyIsOffAndSaysNothing) {
    SeedSettings({});
    ASSERT_TRUE(WriteProgramSetting("HotKey", "HotKeyState", "0"));
    ASSERT_TRUE(WriteProgramSetting("HotKey", "Control", "1"));
    Start();
    HWND about = OpenFromMenu(IDM_SYS_ABOUT, IDC_ABOUT_INFORMATION_LIST);
    ASSERT_NE(about, nullptr) << "About did not open";
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_FALSE(WaitUntil(
        [&] { return !OtherDialogs(program.process.dwProcessId, program.dialog).empty(); }, 2000))
        << "a notice followed the About box";
    EXPECT_TRUE(IsWindowEnabled(program.dialog));
}

TEST_F(AdjustmentsTest, AboutTheGreekEnglishDictionaryCreditsFreeDict) {
    Start();
    UseDictionary(L"Greek-English dictionary");
    HWND about = OpenFromMenu(IDM_SYS_ABOUT, IDC_ABOUT_INFORMATION_LIST);
    ASSERT_NE(about, nullptr) << "About did not open";
    std::vector<std::wstring> lines = ListBoxItems(GetDlgItem(about, IDC_ABOUT_INFORMATION_LIST));
    EXPECT_GE(lines.size(), 11u);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::wstring& line) {
        return line.find(L"FreeDict") != std::wstring::npos;
    })) << "no FreeDict credit in About";
    SaveWindowPng(about, ScreenshotPath(L"about-greng-" + CodePageName() + L".png"));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

// A language pair is made of two dictionaries' data: About credits both.
TEST_F(AdjustmentsTest, AboutAPairCreditsBothOfItsDictionaries) {
    Start();
    UseDictionary(L"French-->Italian Dictionary");
    HWND about = OpenFromMenu(IDM_SYS_ABOUT, IDC_ABOUT_INFORMATION_LIST);
    ASSERT_NE(about, nullptr) << "About did not open";
    std::vector<std::wstring> lines = ListBoxItems(GetDlgItem(about, IDC_ABOUT_INFORMATION_LIST));
    for (const wchar_t* language : {L"French", L"Italian"}) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) {
            return line.find(language) != std::wstring::npos;
        })) << "no line names one of the pair's dictionaries";
    }
    SaveWindowPng(about, ScreenshotPath(L"about-pair-" + CodePageName() + L".png"));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

}  // namespace
