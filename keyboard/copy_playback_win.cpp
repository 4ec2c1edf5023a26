#include "keyboard/copy_playback_win.h"

#include <initializer_list>

#include "keyboard/copy_playback.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT kPlaybackTickMs = 15;

class WinCopyPlaybackSystem : public CopyPlaybackSystem {
public:
    HWND source = nullptr;
    HWND lookupDialog = nullptr;
    bool posting = true;

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
    void PostLookup() override {
        if (posting && IsWindow(lookupDialog)) {
            PostMessageW(lookupDialog, WM_COMMAND, CMD_LOOKUP_AFTER_PLAYBACK, 0);
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

void CALLBACK PlaybackTick(HWND, UINT, UINT_PTR, DWORD) {
    Playback& playback = CurrentPlayback();
    if (!StepCopyPlayback(playback.state, playback.system, GetTickCount())) {
        StopTimer(playback);
    }
}

}  // namespace

bool StartCopyPlayback(HWND source, HWND lookupDialog) {
    Playback& playback = CurrentPlayback();
    if (CopyPlaybackRunning(playback.state)) {
        return false;
    }
    playback.system.source = source;
    playback.system.lookupDialog = lookupDialog;
    playback.system.posting = true;
    StartCopyPlayback(playback.state, playback.system, GetTickCount());
    if (CopyPlaybackRunning(playback.state) && playback.timer == 0) {
        playback.timer = SetTimer(nullptr, 0, kPlaybackTickMs, PlaybackTick);
        if (playback.timer == 0) {
            // Without ticks it could never finish: end it now rather than leave it hanging.
            CancelCopyPlayback();
            PostMessageW(lookupDialog, WM_COMMAND, CMD_LOOKUP_AFTER_PLAYBACK, 0);
        }
    }
    return true;
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
    if (playback.state.insertDown) {
        playback.system.SendKey(kVkInsert, true);
    }
    if (playback.state.ctrlDown) {
        playback.system.SendKey(VK_CONTROL, true);
    }
    playback.state = CopyPlayback{};
}
