#include "keyboard/copy_playback_win.h"

#include <initializer_list>

#include "keyboard/copy_playback.h"
#include "resources/resource_ids.h"

namespace {

// The Windows timer's own floor: a shorter period is raised to it anyway.
constexpr UINT kPlaybackTickMs = USER_TIMER_MINIMUM;
constexpr UINT_PTR kPlaybackTimer = 1;
constexpr int kClassNameSize = 64;
constexpr wchar_t kPlaybackWindowClass[] = L"WordmereKeyPlayback";

class WinCopyPlaybackSystem : public CopyPlaybackSystem {
public:
    HWND source = nullptr;
    HWND lookupDialog = nullptr;
    UINT doneCommand = CMD_LOOKUP_AFTER_PLAYBACK;
    bool posting = true;
    bool pasteTaken = false;

    bool ModifiersHeld() override {
        for (int key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN}) {
            if (GetAsyncKeyState(key) & 0x8000) {
                return true;
            }
        }
        return false;
    }
    bool SourceUsable() override { return IsWindow(source) && !IsIconic(source); }
    void BringSourceForward() override { SetForegroundWindow(source); }
    bool SourceInFront() override { return GetForegroundWindow() == source; }
    bool SourceIsTerminal() override {
        char name[kClassNameSize] = {};
        GetClassNameA(GetAncestor(source, GA_ROOT), name, kClassNameSize);
        return IsTerminalWindowClass(name);
    }
    bool SendKey(unsigned virtualKey, bool release) override {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(virtualKey);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        if (virtualKey == kVkInsert) {
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        }
        return SendInput(1, &input, sizeof input) == 1;
    }
    uint32_t ClipboardSequence() override { return GetClipboardSequenceNumber(); }
    bool ClipboardTextReady() override {
        if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) {
            return false;
        }
        // Still open in the other program: its text may not all be there yet, and the dialog's
        // own open would fail.
        if (!OpenClipboard(nullptr)) {
            return false;
        }
        CloseClipboard();
        return true;
    }
    bool PasteTaken() override { return pasteTaken; }
    void PostDone(PlaybackOutcome outcome) override {
        if (posting && IsWindow(lookupDialog)) {
            PostMessageW(lookupDialog, WM_COMMAND, MAKEWPARAM(doneCommand, outcome), 0);
        }
    }
};

struct Playback {
    CopyPlayback state;
    WinCopyPlaybackSystem system;
    HWND window = nullptr;  // message-only: its timer steps the playback
    bool ticking = false;
    HHOOK keyUpHook = nullptr;
};

Playback& CurrentPlayback() {
    static Playback playback;
    return playback;
}

void RemoveKeyUpHook(Playback& playback) {
    if (playback.keyUpHook) {
        UnhookWindowsHookEx(playback.keyUpHook);
    }
    playback.keyUpHook = nullptr;
}

void StopTimer(Playback& playback) {
    if (playback.ticking) {
        KillTimer(playback.window, kPlaybackTimer);
    }
    playback.ticking = false;
    RemoveKeyUpHook(playback);
}

void StepNow() {
    Playback& playback = CurrentPlayback();
    if (!StepCopyPlayback(playback.state, playback.system, GetTickCount())) {
        StopTimer(playback);
    } else if (playback.state.phase != PlaybackPhase::WaitModifiers) {
        RemoveKeyUpHook(playback);
    }
}

// While the user still holds the hot key, every key that comes up asks for a step at once
// instead of at the next tick: the keys go out the moment the last modifier is up. The step
// follows the hook by a posted message, when the key's new state is in place.
LRESULT CALLBACK KeyUpHook(int code, WPARAM message, LPARAM event) {
    Playback& playback = CurrentPlayback();
    if (code == HC_ACTION && (message == WM_KEYUP || message == WM_SYSKEYUP)) {
        PostMessageW(playback.window, WM_TIMER, kPlaybackTimer, 0);
    }
    return CallNextHookEx(playback.keyUpHook, code, message, event);
}

LRESULT CALLBACK PlaybackWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kPlaybackTimer) {
        if (CopyPlaybackRunning(CurrentPlayback().state)) {
            StepNow();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND PlaybackWindow() {
    Playback& playback = CurrentPlayback();
    if (!playback.window) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PlaybackWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kPlaybackWindowClass;
        RegisterClassW(&windowClass);
        playback.window = CreateWindowExW(0, kPlaybackWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, windowClass.hInstance, nullptr);
    }
    return playback.window;
}

bool StartPlayback(HWND window, HWND lookupDialog, PlaybackKind kind, bool startWithLetter) {
    Playback& playback = CurrentPlayback();
    if (CopyPlaybackRunning(playback.state)) {
        return false;
    }
    playback.system.source = window;
    playback.system.lookupDialog = lookupDialog;
    playback.system.doneCommand =
        kind == PlaybackKind::kCopy ? CMD_LOOKUP_AFTER_PLAYBACK : CMD_PASTE_DONE;
    playback.system.posting = true;
    playback.system.pasteTaken = false;
    StartKeyPlayback(playback.state, playback.system, kind, startWithLetter, GetTickCount());
    if (CopyPlaybackRunning(playback.state) && !playback.ticking) {
        playback.ticking =
            PlaybackWindow() && SetTimer(playback.window, kPlaybackTimer, kPlaybackTickMs, nullptr);
        if (playback.ticking && playback.state.phase == PlaybackPhase::WaitModifiers) {
            playback.keyUpHook =
                SetWindowsHookExW(WH_KEYBOARD_LL, KeyUpHook, GetModuleHandleW(nullptr), 0);
        }
        if (!playback.ticking) {
            // Without ticks it could never finish: end it now rather than leave it hanging.
            CancelCopyPlayback();
            PostMessageW(lookupDialog, WM_COMMAND,
                         MAKEWPARAM(playback.system.doneCommand, kPlaybackUnanswered), 0);
        }
    }
    return true;
}

}  // namespace

bool StartCopyPlayback(HWND source, HWND lookupDialog) {
    return StartPlayback(source, lookupDialog, PlaybackKind::kCopy, false);
}

bool StartPastePlayback(HWND target, HWND lookupDialog, bool startWithCtrlV) {
    return StartPlayback(target, lookupDialog, PlaybackKind::kPaste, startWithCtrlV);
}

void MarkPasteTaken() {
    Playback& playback = CurrentPlayback();
    if (CopyPlaybackRunning(playback.state) && playback.state.kind == PlaybackKind::kPaste) {
        playback.system.pasteTaken = true;
    }
}

void NudgeCopyPlayback() {
    if (CopyPlaybackRunning(CurrentPlayback().state)) {
        StepNow();
    }
}

bool CopyPlaybackRunning() {
    return CopyPlaybackRunning(CurrentPlayback().state);
}

void CancelCopyPlayback() {
    Playback& playback = CurrentPlayback();
    StopTimer(playback);
    if (!CopyPlaybackRunning(playback.state)) {
        return;
    }
    playback.system.posting = false;
    if (playback.state.keyDown != 0) {
        playback.system.SendKey(playback.state.keyDown, true);
    }
    if (playback.state.modifierDown != 0) {
        playback.system.SendKey(playback.state.modifierDown, true);
    }
    playback.state = CopyPlayback{};
}
