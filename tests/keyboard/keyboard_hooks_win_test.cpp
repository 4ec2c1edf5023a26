// The hooks, the hot key and the copy keystrokes with real key events (SendInput) on this thread's
// own windows: an edit box in a frame stands for the dialog's word box, and the frame records the
// commands the hooks post.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/copy_playback_win.h"
#include "keyboard/hot_key_win.h"
#include "keyboard/keyboard_driver.h"
#include "keyboard/keyboard_hooks_win.h"
#include "keyboard/keyboard_selection.h"
#include "resources/resource_ids.h"

namespace {

std::vector<int> commands;    // WM_COMMAND ids the frame received, in order
std::vector<WPARAM> hotKeys;  // WM_HOTKEY ids
HWND focusChild = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                commands.push_back(LOWORD(wParam));
            }
            return 0;
        case WM_HOTKEY:
            hotKeys.push_back(wParam);
            return 0;
        case WM_SETFOCUS:
            // As a real program does: the frame's focus goes back to its edit box.
            if (focusChild != nullptr && GetParent(focusChild) == window) {
                SetFocus(focusChild);
            }
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches this thread's messages for ms milliseconds, through GetMessage-like removal (so the
// message hook sees them as taken).
void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(bool (*condition)(), DWORD ms) {
    DWORD start = GetTickCount();
    while (!condition() && GetTickCount() - start < ms) {
        Pump(10);
    }
    return condition();
}

void Key(WORD virtualKey, bool release) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
    Pump(15);
}

void Tap(WORD virtualKey) {
    Key(virtualKey, false);
    Key(virtualKey, true);
}

void TapWith(WORD modifier, WORD virtualKey) {
    Key(modifier, false);
    Tap(virtualKey);
    Key(modifier, true);
}

// Keys by their US legends (capital letters, ';', '\'', ' '); '^' holds Shift for the next key.
void TypeKeys(const char* keys) {
    bool shift = false;
    for (const char* k = keys; *k; ++k) {
        if (*k == '^') {
            shift = true;
            continue;
        }
        WORD vk = *k == ';'    ? VK_OEM_1
                  : *k == '\'' ? VK_OEM_7
                  : *k == ' '  ? VK_SPACE
                               : static_cast<WORD>(*k);
        if (shift) {
            TapWith(VK_SHIFT, vk);
        } else {
            Tap(vk);
        }
        shift = false;
    }
    Pump(50);
}

std::wstring Text(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

bool ClipboardText(std::wstring& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

void PutClipboardText(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

bool AnyKeyDown() {
    for (int key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_INSERT, VK_LCONTROL, VK_RCONTROL}) {
        if (GetAsyncKeyState(key) & 0x8000) {
            return true;
        }
    }
    return false;
}

// A frame window with an edit box, in front with the edit focused.
class HookTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = FrameProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WordmereHookTestFrame";
        RegisterClassW(&windowClass);
    }

    void SetUp() override {
        frame = CreateWindowExW(0, L"WordmereHookTestFrame", L"hook test",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 120, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(frame, nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 360, 24,
                               frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        focusChild = edit;
        BringForward(frame);
        commands.clear();
        hotKeys.clear();
        CurrentKeyboard.mode = kKeyboardSystem;
    }

    void TearDown() override {
        RemoveKeyboardHooks();
        CurrentKeyboard.mode = kKeyboardSystem;
        for (int key : {VK_CONTROL, VK_MENU, VK_SHIFT}) {
            if (GetAsyncKeyState(key) & 0x8000) {
                Key(static_cast<WORD>(key), true);
            }
        }
        DestroyWindow(frame);
        Pump(20);
        EXPECT_FALSE(AnyKeyDown());
    }

    static void BringForward(HWND window) {
        SetForegroundWindow(window);
        SetFocus(focusChild);
        for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) {
            Pump(10);
        }
        Pump(30);
    }

    HWND frame = nullptr;
    HWND edit = nullptr;
};

TEST_F(HookTest, GreekTypedThroughTheDriverReachesTheBoxAsUnicode) {
    ASSERT_TRUE(InstallKeyboardHooks(frame));
    CurrentKeyboard.mode = kKeyboardGreek;
    TypeKeys("L;OGOW");
    EXPECT_EQ(Text(edit), L"\u03BB\u03CC\u03B3\u03BF\u03C2");  // λόγος
    SetWindowTextW(edit, L"");
    // Dialytika, both accents, a capital with tonos, Q as the Greek question mark.
    TypeKeys("^;I^;;I;^AQ");
    EXPECT_EQ(Text(edit), L"\u03CA\u0390\u0386;");
    EXPECT_TRUE(commands.empty());
}

TEST_F(HookTest, LatinDeadKeysComposeInWindows1252) {
    ASSERT_TRUE(InstallKeyboardHooks(frame));
    CurrentKeyboard.mode = kKeyboardLatin;
    TypeKeys("'E'^E^'A' ^B");
    // é É à, a space without an accent, and a plain letter stays small with Shift.
    EXPECT_EQ(Text(edit), L"\u00E9\u00C9\u00E0 b");
}

TEST_F(HookTest, SystemLayoutAndRemovedHooksTypeLatinLetters) {
    ASSERT_TRUE(InstallKeyboardHooks(frame));
    TypeKeys("LOGOW");
    EXPECT_EQ(Text(edit), L"logow");
    SetWindowTextW(edit, L"");
    RemoveKeyboardHooks();
    CurrentKeyboard.mode = kKeyboardGreek;
    TypeKeys("LOGOW");
    Tap(VK_F2);
    Pump(50);
    EXPECT_EQ(Text(edit), L"logow");
    EXPECT_TRUE(commands.empty());
}

TEST_F(HookTest, FunctionKeysPostTheirCommandsOnRelease) {
    ASSERT_TRUE(InstallKeyboardHooks(frame));
    Key(VK_F2, false);
    Pump(30);
    EXPECT_TRUE(commands.empty()) << "the press posts nothing";
    Key(VK_F2, true);
    Tap(VK_F3);
    Tap(VK_F5);
    TapWith(VK_SHIFT, VK_F2);  // passed on, no command
    Pump(50);
    EXPECT_EQ(commands,
              (std::vector<int>{CMD_SWITCH_FORM, CMD_NEXT_KEYBOARD, CMD_USER_DICTIONARY}));
    // A second installation keeps the hooks and changes the target.
    HWND other = CreateWindowExW(0, L"WordmereHookTestFrame", L"other", WS_POPUP, 0, 0, 1, 1,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::vector<int> before = commands;
    ASSERT_TRUE(InstallKeyboardHooks(other));
    EXPECT_EQ(KeyboardCommandTarget(), other);
    Tap(VK_F3);
    Pump(50);
    EXPECT_EQ(commands.size(), before.size() + 1) << "one hook, one command";
    SetKeyboardCommandTarget(frame);
    DestroyWindow(other);
}

TEST_F(HookTest, CtrlCLetsTheBoxCopyThenPostsTheCommand) {
    ASSERT_TRUE(InstallKeyboardHooks(frame));
    SetWindowTextW(edit, L"house");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PutClipboardText(L"old");
    TapWith(VK_CONTROL, 'C');
    Pump(50);
    std::wstring copied;
    ASSERT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, L"house") << "the box saw the press";
    Key(VK_CONTROL, false);
    Key(VK_SHIFT, false);
    Tap('C');
    Key(VK_SHIFT, true);
    Key(VK_CONTROL, true);
    TapWith(VK_CONTROL, 'V');
    Pump(50);
    EXPECT_EQ(commands, (std::vector<int>{CMD_COPY_TRANSLATION, CMD_LOOKUP_CLIPBOARD}));
}

TEST(DriverCharacter, BytesBecomeTheirCharactersInTheDriversCodePage) {
    EXPECT_EQ(DriverCharacter(0xDC, kCodePageGreek), L'\u03AC');  // ά
    EXPECT_EQ(DriverCharacter(0xF2, kCodePageGreek), L'\u03C2');  // ς
    EXPECT_EQ(DriverCharacter(0xC0, kCodePageGreek), L'\u0390');  // ΐ
    EXPECT_EQ(DriverCharacter(0xE9, kCodePageLatin), L'\u00E9');  // é
    EXPECT_EQ(DriverCharacter(0x9C, kCodePageLatin), L'\u0153');  // œ
    EXPECT_EQ(DriverCharacter(0x3B, kCodePageGreek), L';');
}

TEST_F(HookTest, HotKeyRegistersFromItsSettingsAndFires) {
    HotKey choice;
    choice.HotKeyState = 1;
    choice.Control = 1;
    choice.Alt = 1;
    choice.ScanCode = VK_F12;
    EXPECT_EQ(RegisterLookupHotKey(frame, choice), HotKeyRegistration::Off);
    choice.HotKeyState = 0;
    ASSERT_EQ(RegisterLookupHotKey(frame, choice), HotKeyRegistration::Registered);
    // Held by another window: the caller tells the user.
    HWND other = CreateWindowExW(0, L"WordmereHookTestFrame", L"other", WS_POPUP, 0, 0, 1, 1,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(RegisterLookupHotKey(other, choice), HotKeyRegistration::Failed);
    DestroyWindow(other);

    Key(VK_CONTROL, false);
    Key(VK_MENU, false);
    Tap(VK_F12);
    Key(VK_MENU, true);
    Key(VK_CONTROL, true);
    Pump(50);
    EXPECT_EQ(hotKeys, (std::vector<WPARAM>{HOTKEY_LOOKUP}));

    UnregisterLookupHotKey(frame);
    TapWith(VK_MENU, VK_F12);
    Pump(50);
    EXPECT_EQ(hotKeys.size(), 1u);

    // Switched on without a key: off, so no message says a key is taken.
    for (int16_t key : {0, -1, 0xFF}) {
        HotKey noKey;
        noKey.Control = 1;
        noKey.ScanCode = key;
        EXPECT_EQ(RegisterLookupHotKey(frame, noKey), HotKeyRegistration::Off) << key;
    }
}

bool LookupPosted() {
    for (int id : commands) {
        if (id == CMD_LOOKUP_AFTER_PLAYBACK) {
            return true;
        }
    }
    return false;
}

// The "other program": a second frame whose edit box holds a selection; the first frame stands
// for the lookup dialog that is told to look up.
class PlaybackTest : public HookTest {
protected:
    void SetUp() override {
        HookTest::SetUp();
        SetWindowTextW(edit, L"house");
        SendMessageW(edit, EM_SETSEL, 0, -1);
        lookup =
            CreateWindowExW(0, L"WordmereHookTestFrame", L"lookup", WS_OVERLAPPEDWINDOW, 500, 50,
                            200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        PutClipboardText(L"old");
    }
    void TearDown() override {
        CancelCopyPlayback();
        DestroyWindow(lookup);
        HookTest::TearDown();
    }
    HWND lookup = nullptr;
};

TEST_F(PlaybackTest, CopiesTheSelectionOfTheWindowThenPostsTheLookup) {
    ShowWindow(lookup, SW_SHOW);
    BringForward(lookup);  // the program in front was left, as after a tray click
    ASSERT_TRUE(StartCopyPlayback(frame, lookup));
    EXPECT_FALSE(StartCopyPlayback(frame, lookup)) << "a second start while one runs";
    ASSERT_TRUE(PumpUntil(LookupPosted, 3000));
    std::wstring copied;
    ASSERT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, L"house");
    EXPECT_EQ(GetForegroundWindow(), frame);
    EXPECT_FALSE(CopyPlaybackRunning());
    EXPECT_FALSE(AnyKeyDown());
    EXPECT_EQ(commands, (std::vector<int>{CMD_LOOKUP_AFTER_PLAYBACK}));
}

TEST_F(PlaybackTest, WaitsUntilTheHotKeysModifiersAreReleased) {
    Key(VK_MENU, false);
    Key(VK_SHIFT, false);
    ASSERT_TRUE(StartCopyPlayback(frame, lookup));
    Pump(300);
    std::wstring copied;
    ASSERT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, L"old");
    EXPECT_FALSE(LookupPosted());
    Key(VK_SHIFT, true);
    Key(VK_MENU, true);
    ASSERT_TRUE(PumpUntil(LookupPosted, 3000));
    ASSERT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, L"house");
    EXPECT_FALSE(AnyKeyDown());
}

TEST_F(PlaybackTest, AGoneWindowGetsNoKeysAndTheLookupStillComes) {
    HWND gone = CreateWindowExW(0, L"WordmereHookTestFrame", L"gone", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(gone);
    ASSERT_TRUE(StartCopyPlayback(gone, lookup));
    ASSERT_TRUE(PumpUntil(LookupPosted, 3000));
    std::wstring copied;
    ASSERT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, L"old");
    EXPECT_FALSE(AnyKeyDown());
}

}  // namespace
