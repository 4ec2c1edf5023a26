#include "keyboard/copy_playback.h"

#include "keyboard/keyboard_driver.h"

namespace {

// Consoles, Windows Terminal, Wine's console, and the common terminal emulators.
const char* const kTerminalClasses[] = {
    "ConsoleWindowClass",
    "CASCADIA_HOSTING_WINDOW_CLASS",
    "WineConsoleClass",
    "mintty",
    "PuTTY",
    "KiTTY",
    "VirtualConsoleClass",
    "Console_2_Main",
    "TMobaXtermForm",
    "Xshell::MainView",
};

bool SameNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b + 32) : *b;
        if (x != y) {
            return false;
        }
    }
    return *a == *b;
}

struct KeyChord {
    unsigned modifier;
    unsigned key;
};

KeyChord ChordFor(const CopyPlayback& playback) {
    if (playback.kind == PlaybackKind::kCopy) {
        return playback.letterChord ? KeyChord{kVkControl, kVkC} : KeyChord{kVkControl, kVkInsert};
    }
    return playback.letterChord ? KeyChord{kVkControl, kVkV} : KeyChord{kVkShift, kVkInsert};
}

void Enter(CopyPlayback& playback, PlaybackPhase phase, uint32_t now) {
    playback.phase = phase;
    playback.phaseStart = now;
}

bool Elapsed(uint32_t since, uint32_t now, uint32_t bound) {
    // Unsigned difference: correct across the wrap of the millisecond counter.
    return now - since >= bound;
}

void Finish(CopyPlayback& playback, CopyPlaybackSystem& system, PlaybackOutcome outcome) {
    playback.phase = PlaybackPhase::Idle;
    system.PostDone(outcome);
}

bool Answered(CopyPlayback& playback, CopyPlaybackSystem& system) {
    if (playback.kind == PlaybackKind::kPaste) {
        return system.PasteTaken();
    }
    // The sequence number moves as soon as the other program empties the clipboard, before its
    // text is there: only text that can be read counts.
    return system.ClipboardSequence() != playback.clipboardBefore && system.ClipboardTextReady();
}

// Releases what is still down, the key before its modifier. True when nothing is left down.
bool ReleaseKeys(CopyPlayback& playback, CopyPlaybackSystem& system) {
    if (playback.keyDown != 0 && system.SendKey(playback.keyDown, true)) {
        playback.keyDown = 0;
    }
    if (playback.keyDown == 0 && playback.modifierDown != 0 &&
        system.SendKey(playback.modifierDown, true)) {
        playback.modifierDown = 0;
    }
    return playback.keyDown == 0 && playback.modifierDown == 0;
}

void AfterRelease(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    if (playback.keysSent) {
        Enter(playback, PlaybackPhase::WaitAnswer, now);
    } else {
        Finish(playback, system, kPlaybackUnanswered);
    }
}

void PlayChord(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    KeyChord chord = ChordFor(playback);
    if (system.SendKey(chord.modifier, false)) {
        playback.modifierDown = chord.modifier;
        if (system.SendKey(chord.key, false)) {
            playback.keyDown = chord.key;
            playback.keysSent = true;
        }
    }
    if (ReleaseKeys(playback, system)) {
        AfterRelease(playback, system, now);
    } else {
        Enter(playback, PlaybackPhase::ReleaseKeys, now);
    }
}

void PlayFirstChord(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    playback.clipboardBefore = system.ClipboardSequence();
    playback.keysStart = now;
    PlayChord(playback, system, now);
}

void WaitForAnswer(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    if (Answered(playback, system)) {
        Finish(playback, system,
               playback.letterChord ? kPlaybackAnsweredLetter : kPlaybackAnsweredInsert);
        return;
    }
    if (Elapsed(playback.keysStart, now, kPlaybackAnswerWait)) {
        Finish(playback, system, kPlaybackUnanswered);
        return;
    }
    if (!playback.letterChord && Elapsed(playback.phaseStart, now, kPlaybackLetterChordDelay) &&
        !system.SourceIsTerminal() && system.SourceUsable() && system.SourceInFront()) {
        playback.letterChord = true;
        PlayChord(playback, system, now);
    }
}

void Step(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    switch (playback.phase) {
        case PlaybackPhase::Idle:
            return;
        case PlaybackPhase::WaitModifiers:
            if (system.ModifiersHeld()) {
                if (Elapsed(playback.phaseStart, now, kPlaybackModifierWait)) {
                    Finish(playback, system, kPlaybackUnanswered);
                }
                return;
            }
            if (!system.SourceUsable()) {
                Finish(playback, system, kPlaybackUnanswered);
                return;
            }
            system.BringSourceForward();
            Enter(playback, PlaybackPhase::WaitFront, now);
            [[fallthrough]];
        case PlaybackPhase::WaitFront:
            if (!system.SourceUsable()) {
                Finish(playback, system, kPlaybackUnanswered);
            } else if (system.SourceInFront()) {
                PlayFirstChord(playback, system, now);
            } else if (Elapsed(playback.phaseStart, now, kPlaybackFrontWait)) {
                // Keys sent now would go to whatever is in front instead.
                Finish(playback, system, kPlaybackUnanswered);
            }
            return;
        case PlaybackPhase::ReleaseKeys:
            if (ReleaseKeys(playback, system) ||
                Elapsed(playback.phaseStart, now, kPlaybackReleaseWait)) {
                AfterRelease(playback, system, now);
            }
            return;
        case PlaybackPhase::WaitAnswer:
            WaitForAnswer(playback, system, now);
            return;
    }
}

}  // namespace

bool IsTerminalWindowClass(const char* className) {
    for (const char* terminal : kTerminalClasses) {
        if (SameNoCase(className, terminal)) {
            return true;
        }
    }
    return false;
}

bool StartKeyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, PlaybackKind kind,
                      bool startWithLetter, uint32_t now) {
    if (CopyPlaybackRunning(playback)) {
        return false;
    }
    playback = CopyPlayback{};
    playback.kind = kind;
    playback.letterChord = startWithLetter;
    Enter(playback, PlaybackPhase::WaitModifiers, now);
    Step(playback, system, now);
    return true;
}

bool StepCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    Step(playback, system, now);
    return CopyPlaybackRunning(playback);
}
