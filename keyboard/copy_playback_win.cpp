#include "keyboard/copy_playback_win.h"

#include <initializer_list>

#include "keyboard/copy_playback.h"
#include "resources/resource_ids.h"

namespace {

// The Windows timer's own floor: a shorter period is raised to it anyway.
constexpr UINT kPlaybackTickMs = USER_TIMER_MINIMUM;
constexpr int kClassNameSize = 64;

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
    UINT_PTR timer = 0;
};

Playback& CurrentPlayback() {
    static Playback playback;
    return playback;
}

void StopTimer(Playback& playback) {
    if (playback.timer != 0) {
        KillTimer(nullptr, playback.timer);
    }
    playback.timer = 0;
}

void StepNow() {
    Playback& playback = CurrentPlayback();
    if (!StepCopyPlayback(playback.state, playback.system, GetTickCount())) {
        StopTimer(playback);
    }
}

void CALLBACK PlaybackTick(HWND, UINT, UINT_PTR, DWORD) {
    StepNow();
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
    if (CopyPlaybackRunning(playback.state) && playback.timer == 0) {
        playback.timer = SetTimer(nullptr, 0, kPlaybackTickMs, PlaybackTick);
        if (playback.timer == 0) {
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
