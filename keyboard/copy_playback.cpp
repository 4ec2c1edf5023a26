#include "keyboard/copy_playback.h"

#include "keyboard/keyboard_driver.h"

namespace {

void Enter(CopyPlayback& playback, PlaybackPhase phase, uint32_t now) {
    playback.phase = phase;
    playback.phaseStart = now;
}

bool Elapsed(const CopyPlayback& playback, uint32_t now, uint32_t bound) {
    // Unsigned difference: correct across the wrap of the millisecond counter.
    return now - playback.phaseStart >= bound;
}

void Finish(CopyPlayback& playback, CopyPlaybackSystem& system) {
    playback.phase = PlaybackPhase::Idle;
    system.PostLookup();
}

// Releases what is still down, Insert before Ctrl. True when nothing is left down.
bool ReleaseKeys(CopyPlayback& playback, CopyPlaybackSystem& system) {
    if (playback.insertDown && system.SendKey(kVkInsert, true)) {
        playback.insertDown = false;
    }
    if (!playback.insertDown && playback.ctrlDown && system.SendKey(kVkControl, true)) {
        playback.ctrlDown = false;
    }
    return !playback.insertDown && !playback.ctrlDown;
}

void AfterRelease(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    if (playback.keysSent) {
        Enter(playback, PlaybackPhase::WaitClipboard, now);
    } else {
        Finish(playback, system);
    }
}

void PlayKeys(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    playback.clipboardBefore = system.ClipboardSequence();
    playback.keysSent = false;
    if (system.SendKey(kVkControl, false)) {
        playback.ctrlDown = true;
        if (system.SendKey(kVkInsert, false)) {
            playback.insertDown = true;
            playback.keysSent = true;
        }
    }
    if (ReleaseKeys(playback, system)) {
        AfterRelease(playback, system, now);
    } else {
        Enter(playback, PlaybackPhase::ReleaseKeys, now);
    }
}

void Step(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    switch (playback.phase) {
        case PlaybackPhase::Idle:
            return;
        case PlaybackPhase::WaitModifiers:
            if (system.ModifiersHeld()) {
                if (Elapsed(playback, now, kPlaybackModifierWait)) {
                    Finish(playback, system);
                }
                return;
            }
            if (!system.SourceUsable()) {
                Finish(playback, system);
                return;
            }
            system.BringSourceForward();
            Enter(playback, PlaybackPhase::WaitFront, now);
            [[fallthrough]];
        case PlaybackPhase::WaitFront:
            if (!system.SourceUsable()) {
                Finish(playback, system);
            } else if (system.SourceInFront()) {
                PlayKeys(playback, system, now);
            } else if (Elapsed(playback, now, kPlaybackFrontWait)) {
                // Keys sent now would go to whatever is in front instead.
                Finish(playback, system);
            }
            return;
        case PlaybackPhase::ReleaseKeys:
            if (ReleaseKeys(playback, system) || Elapsed(playback, now, kPlaybackReleaseWait)) {
                AfterRelease(playback, system, now);
            }
            return;
        case PlaybackPhase::WaitClipboard:
            if (system.ClipboardSequence() != playback.clipboardBefore ||
                Elapsed(playback, now, kPlaybackClipboardWait)) {
                Finish(playback, system);
            }
            return;
    }
}

}  // namespace

bool StartCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    if (CopyPlaybackRunning(playback)) {
        return false;
    }
    playback = CopyPlayback{};
    Enter(playback, PlaybackPhase::WaitModifiers, now);
    Step(playback, system, now);
    return true;
}

bool StepCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    Step(playback, system, now);
    return CopyPlaybackRunning(playback);
}
