// End-to-end: the keyboard driver, the function keys, the hot key with the copy keystrokes from
// another program (Wine's Notepad), the tray icon and F1, all driven by X key and mouse events.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program_fixture.h"
#include "resources/resource_ids.h"
#include "x_input.h"

namespace {

bool AnyStartsWith(const std::vector<std::wstring>& items, const std::wstring& prefix) {
    return std::any_of(items.begin(), items.end(),
                       [&](const std::wstring& item) { return item.rfind(prefix, 0) == 0; });
}

std::string ShotUnixPath(const std::wstring& name) {
    std::wstring path = std::wstring(WORDMERE_SHOTS, WORDMERE_SHOTS + strlen(WORDMERE_SHOTS));
    path += L"/" + name;
    return std::string(path.begin(), path.end());
}

class HooksTest : public ProgramTest {
protected:
    void TearDown() override {
        StopProgram(program);
        notepad.Close();
        EXPECT_FALSE(AnyKeyHeld()) << "a key stayed down";
    }

    // Settings of a first run with these State values, and the hot key Ctrl+Alt+W.
    void SeedWithHotKey(const std::map<std::string, std::string>& state) {
        SeedSettings(state);
        for (const auto& value : std::map<std::string, std::string>{{"HotKeyState", "0"},
                                                                    {"Alt", "1"},
                                                                    {"Control", "1"},
                                                                    {"Shift", "0"},
                                                                    {"ScanCode", "87"}}) {
            ASSERT_TRUE(WriteProgramSetting("HotKey", value.first.c_str(), value.second));
        }
    }

    HWND WordEdit() const {
        return FindWindowExW(Control(IDC_WORD_BOX), nullptr, L"Edit", nullptr);
    }
    std::wstring WordBoxText() const { return WindowText(Control(IDC_WORD_BOX)); }
    bool Checked(int id) const { return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // The lookup window in front with the X focus, the word box emptied and focused.
    void FocusEmptyWordBox() {
        ASSERT_TRUE(XFocus(program.dialog)) << "the lookup window did not take the focus";
        RECT box = ControlRect(program.dialog, WordEdit());
        XClick(program.dialog, box.left + 5, (box.top + box.bottom) / 2);
        XKeys(L"End shift+Home BackSpace");
        ASSERT_TRUE(WaitUntil([&] { return WordBoxText().empty(); }));
    }

    // Types X keys into the emptied word box; fails when the box does not come to show
    // `expected`, saying what it shows.
    testing::AssertionResult TypedShows(const wchar_t* keys, const std::wstring& expected) {
        FocusEmptyWordBox();
        XKeys(keys);
        if (WaitUntil([&] { return WordBoxText() == expected; })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the word box shows " << testing::PrintToString(StoredBytes(WordBoxText()));
    }

    void ClickControl(int id) {
        RECT rect = ControlRect(program.dialog, Control(id));
        XClick(program.dialog, rect.left + 6, (rect.top + rect.bottom) / 2);
        WaitIdle(program.dialog);
    }

    // A radio button clicked until it is checked: on a loaded machine an X click can be lost
    // (Wine once answered the focus change with an X error and the button stayed as it was),
    // and clicking a radio button twice changes nothing else.
    bool ClickUntilChecked(int id) {
        for (int attempt = 1; attempt <= 2; ++attempt) {
            ClickControl(id);
            if (WaitUntil([&] { return Checked(id); })) {
                return true;
            }
            fprintf(stderr, "radio button %d not checked after click %d\n", id, attempt);
        }
        return false;
    }

    void NotepadWithSelection(const std::wstring& text) {
        notepad.ShowWithSelection(text);
        notepadWindow = notepad.window;
    }

    bool DialogInFront() const {
        return IsWindowVisible(program.dialog) && GetForegroundWindow() == program.dialog;
    }

    ForeignNotepad notepad;
    HWND notepadWindow = nullptr;
};

TEST_F(HooksTest, GreekAndLatinLettersAreTypedThroughTheDriver) {
    Start();
    // The Greek keyboard of the Greek-English dictionary, chosen with the mouse.
    ASSERT_TRUE(XFocus(program.dialog));
    ASSERT_TRUE(ClickUntilChecked(IDC_KEYBOARD_LANG2));
    EXPECT_TRUE(TypedShows(L"l semicolon o g o w", L"λόγος"));
    XKeys(L"Return");
    EXPECT_TRUE(WaitForFirstMatch(L"λόγος"));
    SaveWindowPng(program.dialog, ScreenshotPath(L"hooks-greek-typed-" + CodePageName() + L".png"));

    // Dead keys of the Greek driver: dialytika, both accents.
    EXPECT_TRUE(TypedShows(L"shift+semicolon i shift+semicolon semicolon i", L"ϊΐ"));

    // The French keyboard of the Greek-French dictionary is the accent driver.
    UseDictionary(L"Greek-French dictionary");
    ASSERT_TRUE(ClickUntilChecked(IDC_KEYBOARD_LANG1));
    EXPECT_TRUE(TypedShows(L"c a f apostrophe e", L"café"));
}

TEST_F(HooksTest, FunctionKeysSwitchTheFormAndTheKeyboard) {
    SeedSettings({{"GrEng", "0"}});
    Start();
    ASSERT_TRUE(XFocus(program.dialog));
    ASSERT_TRUE(Checked(IDC_KEYBOARD_SYSTEM));
    XKeys(L"F3");
    EXPECT_TRUE(WaitUntil([&] { return Checked(IDC_KEYBOARD_LANG1); }));
    XKeys(L"F3");
    EXPECT_TRUE(WaitUntil([&] { return Checked(IDC_KEYBOARD_LANG2); }));
    XKeys(L"F3");
    EXPECT_TRUE(WaitUntil([&] { return Checked(IDC_KEYBOARD_SYSTEM); }));

    ASSERT_FALSE(IsSmallForm());
    XKeys(L"F2");
    ASSERT_TRUE(WaitForReopenedDialog(program));
    EXPECT_TRUE(IsSmallForm());
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"F2");
    ASSERT_TRUE(WaitForReopenedDialog(program));
    EXPECT_FALSE(IsSmallForm());
}

TEST_F(HooksTest, CtrlCCopiesTheTranslationAndCtrlVLooksUpTheClipboard) {
    Start();
    TypeAndEnter(L"house");
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    std::vector<std::wstring> translations = Translations();
    auto found = std::find(translations.begin(), translations.end(), L"σπίτι (το χτίριο)");
    ASSERT_NE(found, translations.end());
    SelectListItem(program.dialog, 12001, static_cast<int>(found - translations.begin()));
    ASSERT_TRUE(SetClipboardUnicode(L"before"));
    ASSERT_TRUE(XFocus(program.dialog));
    // The focus on the translations, as after a click on one: the word box would copy its own
    // selection on the same keys.
    Send(program.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(12001)), TRUE);
    DWORD before = GetClipboardSequenceNumber();
    XKeys(L"ctrl+c");
    ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != before; }));
    WaitIdle(program.dialog);
    std::wstring text;
    ASSERT_TRUE(ReadClipboardUnicode(text));
    EXPECT_EQ(text, L"σπίτι (το χτίριο) ");

    ASSERT_TRUE(SetClipboardUnicode(L"λόγος"));
    XKeys(L"ctrl+v");
    EXPECT_TRUE(WaitForFirstMatch(L"λόγος"));
}

TEST_F(HooksTest, HotKeyLooksUpTheSelectionOfAnotherProgramAndHidesTheWindow) {
    // With the clipboard not given back, what the hot key copied stays there.
    SeedWithHotKey({{"UseClipboard", "1"}, {"GiveBackClipboard", "0"}});
    Start();
    NotepadWithSelection(L"house");
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); })) << "the lookup window stayed behind";
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_TRUE(AnyStartsWith(Translations(), L"σπίτι"));
    std::wstring clipboard;
    EXPECT_TRUE(ReadClipboardUnicode(clipboard));
    EXPECT_EQ(clipboard, L"house");
    SaveScreenPng(ShotUnixPath(L"hooks-hotkey-notepad-" + CodePageName() + L".png"));

    NotepadWithSelection(L"σπίτι");
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); }));
    EXPECT_TRUE(WaitForFirstMatch(L"σπίτι"));
    EXPECT_TRUE(AnyStartsWith(Translations(), L"house"));

    // Again while the lookup window is the active one: it goes away.
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(program.dialog); }));
    // The window went with the X focus while the keys were down; without a window manager no
    // Wine window hears their release until one has the focus again, as Notepad then does.
    ASSERT_TRUE(XFocus(notepadWindow));
}

// The user's clipboard, text and a picture, as a program other than Wordmere left it.
void PutTextAndBitmap(const std::wstring& text, int width, int height) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
}

// The size of the clipboard's bitmap; 0 x 0 when there is none.
SIZE ClipboardBitmapSize() {
    SIZE size = {0, 0};
    if (!OpenClipboard(nullptr)) {
        return size;
    }
    BITMAP info{};
    if (HANDLE bitmap = GetClipboardData(CF_BITMAP);
        bitmap && GetObjectW(bitmap, sizeof info, &info)) {
        size = {info.bmWidth, info.bmHeight};
    }
    CloseClipboard();
    return size;
}

std::wstring ClipboardText() {
    std::wstring text;
    ReadClipboardUnicode(text);
    return text;
}

// The window that has the keyboard focus in the lookup window's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

TEST_F(HooksTest, TheClipboardIsGivenBackAfterAHotKeyLookup) {
    SeedWithHotKey({{"UseClipboard", "1"}});
    Start();
    PutTextAndBitmap(L"a copied paragraph", 37, 11);
    NotepadWithSelection(L"house");
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); })) << "the lookup window stayed behind";
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"a copied paragraph"; }))
        << "the clipboard holds " << testing::PrintToString(StoredBytes(ClipboardText()));
    SIZE bitmap = ClipboardBitmapSize();
    EXPECT_EQ(bitmap.cx, 37);
    EXPECT_EQ(bitmap.cy, 11);
    SaveScreenPng(ShotUnixPath(L"hooks-hotkey-gives-back-" + CodePageName() + L".png"));
}

TEST_F(HooksTest, WithNothingSelectedTheOldClipboardWordIsNotLookedUp) {
    SeedWithHotKey({{"UseClipboard", "1"}});
    Start();
    TypeAndEnter(L"λόγος");
    ASSERT_TRUE(WaitForFirstMatch(L"λόγος"));
    ASSERT_TRUE(SetClipboardUnicode(L"house"));
    NotepadWithSelection(L"some text");
    XKeys(L"End");  // the caret, and no selection
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); })) << "the lookup window stayed behind";
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(program.dialog) == WordEdit(); }))
        << "the word box is not ready for typing";
    EXPECT_EQ(WindowText(Control(IDC_STATUS_LINE)),
              L"Nothing was selected: type the word to look up.");
    WaitIdle(program.dialog);
    EXPECT_TRUE(WaitForFirstMatch(L"λόγος")) << "the old clipboard word was looked up";
    EXPECT_EQ(ClipboardText(), L"house");
    SaveScreenPng(ShotUnixPath(L"hooks-hotkey-nothing-selected-" + CodePageName() + L".png"));
    // The word typed now is looked up as usual. (Without a window manager the X focus stays
    // with Notepad: it is handed over as a user's click would.)
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"h o u s e Return");
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
}

// Wine's WordPad copies on Ctrl+C only: the hot key still brings its selection.
TEST_F(HooksTest, HotKeyLooksUpAWordSelectedInWordPad) {
    SeedWithHotKey({{"UseClipboard", "1"}});
    Start();
    ASSERT_TRUE(SetClipboardUnicode(L"before"));
    struct WordPad {
        PROCESS_INFORMATION process{};
        ~WordPad() {
            if (process.hProcess) {
                TerminateProcess(process.hProcess, 0);
                WaitForSingleObject(process.hProcess, 5000);
                CloseHandle(process.hProcess);
                CloseHandle(process.hThread);
            }
        }
    } wordPad;
    ASSERT_TRUE(LaunchProcess(L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe", L"",
                              wordPad.process));
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            window = VisibleWindowOfClass(wordPad.process.dwProcessId, L"WORDPADTOP");
            return window != nullptr;
        },
        15000))
        << "WordPad did not show";
    MoveWindow(window, 0, 560, 500, 300, TRUE);
    // The document: the one rich edit control among WordPad's descendants.
    HWND text = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            wchar_t name[64] = L"";
            GetClassNameW(child, name, 64);
            CharUpperW(name);
            if (wcsstr(name, L"RICHEDIT")) {
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(XFocus(window));
    XType(L"the house");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(text).find(L"house") != std::wstring::npos; }));
    Send(text, EM_SETSEL, 4, 9);
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); })) << "the lookup window stayed behind";
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"before"; }));
    SaveScreenPng(ShotUnixPath(L"hooks-hotkey-wordpad-" + CodePageName() + L".png"));
    ASSERT_TRUE(XFocus(window));
}

TEST_F(HooksTest, CtrlEnterPutsTheTranslationInPlaceOfTheWord) {
    SeedWithHotKey({{"UseClipboard", "1"}});
    Start();
    // Before any hot-key lookup there is nowhere to paste to.
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"ctrl+Return");
    EXPECT_TRUE(WaitUntil([&] {
        return WindowText(Control(IDC_STATUS_LINE)) ==
               L"Ctrl+Enter pastes back only after a hot-key lookup.";
    }));

    ASSERT_TRUE(SetClipboardUnicode(L"kept"));
    NotepadWithSelection(L"house");
    XKeys(L"ctrl+alt+w");
    ASSERT_TRUE(WaitUntil([&] { return DialogInFront(); }));
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    std::vector<std::wstring> translations = Translations();
    auto found = std::find_if(translations.begin(), translations.end(),
                              [](const std::wstring& t) { return t.rfind(L"σπίτι", 0) == 0; });
    ASSERT_NE(found, translations.end());
    const std::wstring house = *found;
    // Selected without its notification, which (with automatic clipboard use) would copy it.
    Send(Control(IDC_TRANSLATION_LIST), LB_SETCURSEL,
         static_cast<WPARAM>(found - translations.begin()), 0);
    Send(program.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_TRANSLATION_LIST)),
         TRUE);
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"ctrl+Return");
    HWND edit = FindWindowExW(notepadWindow, nullptr, L"Edit", nullptr);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == house; }))
        << "Notepad holds " << testing::PrintToString(StoredBytes(WindowText(edit)))
        << ", the status line says "
        << testing::PrintToString(StoredBytes(WindowText(Control(IDC_STATUS_LINE))));
    EXPECT_EQ(GetForegroundWindow(), notepadWindow);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"kept"; }))
        << "the clipboard holds " << testing::PrintToString(StoredBytes(ClipboardText()));
    SaveScreenPng(ShotUnixPath(L"hooks-paste-back-" + CodePageName() + L".png"));

    // From the word list: its first translation.
    NotepadWithSelection(L"house");
    XKeys(L"ctrl+alt+w");
    ASSERT_TRUE(WaitUntil([&] { return DialogInFront(); }));
    WaitIdle(program.dialog);
    Send(program.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_WORD_LIST)), TRUE);
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"ctrl+Return");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == Translations().front(); }));

    // Once the program is gone, Ctrl+Enter says so and pastes nothing.
    notepad.Close();
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"ctrl+Return");
    EXPECT_TRUE(WaitUntil([&] {
        return WindowText(Control(IDC_STATUS_LINE)) ==
               L"The program the word came from is closed: nothing was pasted.";
    }));
    EXPECT_EQ(ClipboardText(), L"kept");
}

TEST_F(HooksTest, WithoutClipboardUseTheHotKeyOnlyBringsTheWindowForward) {
    SeedWithHotKey({{"UseClipboard", "0"}});
    Start();
    TypeAndEnter(L"λόγος");
    ASSERT_TRUE(WaitForFirstMatch(L"λόγος"));
    NotepadWithSelection(L"house");
    ASSERT_TRUE(SetClipboardUnicode(L"before"));
    DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(XFocus(notepadWindow));
    XKeys(L"ctrl+alt+w");
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); }));
    WaitIdle(program.dialog);
    Sleep(500);
    EXPECT_EQ(GetClipboardSequenceNumber(), before);
    EXPECT_TRUE(WaitForFirstMatch(L"λόγος"));
}

TEST_F(HooksTest, TrayIconStandsForTheWindowAndAClickBringsItBack) {
    SeedSettings({{"TaskBarIcon", "1"}});
    Start();
    HWND tray = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        tray = VisibleWindowOfClass(0, L"__winex11_standalone_tray");
        return tray != nullptr;
    })) << "no notification icon shows";
    HWND mainWindow = FindWindowW(L"Vocabre:Main", nullptr);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window has a task-bar button";

    // The close box only hides the window while the icon stands for it.
    PostMessageW(program.dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(program.dialog); }));
    RECT icon;
    GetClientRect(tray, &icon);
    XClick(tray, 8, (icon.top + icon.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(program.dialog); }))
        << "a click on the icon did not bring the window back";

    // The close box only hides, so the program is ended as from its menu.
    PostMessageW(program.dialog, MSG_END_PROGRAM, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tray) || !IsWindow(tray); }))
        << "the icon outlived the program";
}

TEST_F(HooksTest, TrayClickCopiesFromTheProgramInFront) {
    SeedSettings({{"TaskBarIcon", "1"}, {"UseClipboard", "1"}});
    Start();
    HWND tray = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        tray = VisibleWindowOfClass(0, L"__winex11_standalone_tray");
        return tray != nullptr;
    }));
    ASSERT_TRUE(SetClipboardUnicode(L"before"));
    NotepadWithSelection(L"house");
    // The pointer passes over the icon while Notepad is in front, then clicks it.
    RECT icon;
    GetClientRect(tray, &icon);
    POINT point = {8, (icon.top + icon.bottom) / 2};
    ClientToScreen(tray, &point);
    XMoveTo(point.x - 4, point.y);
    XClickAt(point.x, point.y);
    EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); }));
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"before"; }))
        << "the clipboard was not given back";
    PostMessageW(program.dialog, MSG_END_PROGRAM, 0, 0);
}

// What the test prefix's stand-in for the host's browser was given so far (see
// tests/prefix_steps.sh), one argument a line.
std::string BrowserCalls() {
    const char* prefix = getenv("WORDMERE_WINEPREFIX");
    if (prefix == nullptr) {
        return std::string();
    }
    std::string calls;
    HANDLE file =
        CreateFileW(WinePath(std::string(prefix) + ".browser_calls.txt").c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return calls;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        calls.append(buffer, read);
    }
    CloseHandle(file);
    return calls;
}

// Under Wine the compiled help's viewer shows a blank window: the guide's page goes to the
// host's browser instead, found beside the program whatever the current directory.
TEST_F(HooksTest, F1UnderWineOpensTheGuidePageInTheBrowser) {
    std::wstring page = ProgramDirectory() + L"\\vbr_help.html";
    if (GetFileAttributesW(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no help was built into the program directory";
    }
    if (getenv("WORDMERE_WINEPREFIX") == nullptr) {
        GTEST_SKIP() << "run through CTest: its prefix notes what the browser is given";
    }
    const size_t before = BrowserCalls().size();
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    ASSERT_TRUE(StartProgram(ProgramExe(), windows, program));
    ASSERT_TRUE(XFocus(program.dialog));
    XKeys(L"F1");
    std::string opened;
    EXPECT_TRUE(WaitUntil(
        [&] {
            opened = BrowserCalls().substr(before);
            return !opened.empty();
        },
        15000))
        << "nothing was handed to the browser";
    EXPECT_NE(opened.find("vbr_help.html"), std::string::npos) << opened;
    Sleep(1000);
    EXPECT_EQ(VisibleWindowOfClass(0, L"HH Parent"), nullptr) << "the help viewer opened too";
    SaveScreenPng(ShotUnixPath(L"hooks-help-browser-" + CodePageName() + L".png"));
}

TEST_F(HooksTest, HotKeyLooksUpPolytonicGreekSelectedInAnotherProgram) {
    SeedWithHotKey({{"UseClipboard", "1"}});
    Start();
    // Polytonic, the oxia twin of a tonos letter, and decomposed accents.
    const struct {
        const wchar_t* selected;
        const wchar_t* first;
    } cases[] = {{L"ἄνθρωπος", L"άνθρωπος"},
                 {L"λ\u1F79γος", L"λόγος"},
                 {L"θεὸς", L"Θεός"},
                 {L"σπι\u0301τι", L"σπίτι"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "expecting " << StoredBytes(c.first));
        NotepadWithSelection(c.selected);
        XKeys(L"ctrl+alt+w");
        EXPECT_TRUE(WaitUntil([&] { return DialogInFront(); }))
            << "the lookup window stayed behind";
        EXPECT_TRUE(WaitForFirstMatch(c.first));
        EXPECT_FALSE(Translations().empty());
    }
    SaveScreenPng(ShotUnixPath(L"hooks-hotkey-polytonic-" + CodePageName() + L".png"));
}

}  // namespace
