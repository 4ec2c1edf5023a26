// The copy and paste keystrokes: keys typed into the window that was in front when the hot key
// or the tray icon was used. The copy puts that window's selection on the clipboard before the
// lookup dialog reads it; the paste replaces the selection with a translation the dialog put on
// the clipboard. A state machine stepped by a timer (and nudged by clipboard events), so the
// message loop never waits on it.
//
// Each exchange has two chords: the Insert chord first, which every standard control knows and
// which no terminal takes as an interrupt; then, when the window has not answered within a short
// wait, the letter chord (Ctrl+C, Ctrl+V), which programs such as WordPad need. A terminal never
// gets the letter chord: there Ctrl+C stops the running program.
//
// What it guards against:
// - the user still holds the hot key's modifiers: the keys wait until they are up (bounded), so
//   the other program sees Ctrl+Insert and not Ctrl+Alt+Insert; a modifier still held at the
//   bound means no keys at all, never a lone Alt (which opens the other program's menu);
// - the clipboard changes before its text is there (the other program empties it first): the
//   copy waits for text that can be read, not for the sequence number alone, bounded;
// - a key left down: every key pressed is released, retried while the system refuses;
// - a second start while one runs: refused.
#pragma once

#include <cstdint>

// Virtual key of Insert; it is an extended key.
constexpr unsigned kVkInsert = 0x2D;

// Bounds of the waits, in milliseconds.
constexpr uint32_t kPlaybackModifierWait = 1000;
constexpr uint32_t kPlaybackFrontWait = 500;
// From the Insert chord to the letter chord when the window has not answered.
constexpr uint32_t kPlaybackLetterChordDelay = 150;
// From the first keys to giving up on an answer.
constexpr uint32_t kPlaybackAnswerWait = 1000;
constexpr uint32_t kPlaybackReleaseWait = 1000;

enum class PlaybackKind {
    kCopy,   // Ctrl+Insert, then Ctrl+C; answered by new text on the clipboard
    kPaste,  // Shift+Insert, then Ctrl+V; answered when the window takes the clipboard's text
};

// How a playback ended; the notification code of the command posted at its end.
enum PlaybackOutcome : unsigned {
    kPlaybackAnsweredInsert = 0,  // the window answered the Insert chord
    kPlaybackAnsweredLetter = 1,  // it answered only the letter chord
    kPlaybackUnanswered = 2,      // no answer within the wait, or no keys could go out
};

// True for the window classes of consoles and terminal emulators, which take Ctrl+C as an
// interrupt. Compared without regard to case.
bool IsTerminalWindowClass(const char* className);

// What the playback needs from the system, about the one window it types into.
class CopyPlaybackSystem {
public:
    virtual ~CopyPlaybackSystem() = default;
    // Ctrl, Alt, Shift or a Windows key is down.
    virtual bool ModifiersHeld() = 0;
    // The window still exists and is not minimised.
    virtual bool SourceUsable() = 0;
    virtual void BringSourceForward() = 0;
    virtual bool SourceInFront() = 0;
    virtual bool SourceIsTerminal() = 0;
    // One key event; false when the system did not take it.
    virtual bool SendKey(unsigned virtualKey, bool release) = 0;
    virtual uint32_t ClipboardSequence() = 0;
    // The clipboard holds text and can be opened to read it (the other program has closed it).
    virtual bool ClipboardTextReady() = 0;
    // The window has asked for the text the paste put on the clipboard.
    virtual bool PasteTaken() = 0;
    // The end, in every case.
    virtual void PostDone(PlaybackOutcome outcome) = 0;
};

enum class PlaybackPhase {
    Idle,
    WaitModifiers,  // the user still holds modifiers
    WaitFront,      // the window was asked to come to the front
    ReleaseKeys,    // a release the system refused is tried again
    WaitAnswer,     // the keys went out; the window has not answered yet
};

struct CopyPlayback {
    PlaybackKind kind = PlaybackKind::kCopy;
    PlaybackPhase phase = PlaybackPhase::Idle;
    uint32_t phaseStart = 0;  // time the phase began, in ms
    uint32_t keysStart = 0;   // time the first chord went out
    uint32_t clipboardBefore = 0;
    unsigned modifierDown = 0;  // a chord's modifier went down and its release has not
    unsigned keyDown = 0;       // the same for the chord's key
    bool letterChord = false;   // the chord played (or to be played) is the letter chord
    bool keysSent = false;      // some chord reached the window
};

// Begins a playback at time now (ms) and takes its first step. startWithLetter skips the Insert
// chord (the window is known to ignore it). Returns false and does nothing while another runs.
bool StartKeyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, PlaybackKind kind,
                      bool startWithLetter, uint32_t now);

inline bool StartCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now) {
    return StartKeyPlayback(playback, system, PlaybackKind::kCopy, false, now);
}

// One timer tick, or a nudge when the clipboard changed. Returns true while the playback still
// needs ticks.
bool StepCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now);

inline bool CopyPlaybackRunning(const CopyPlayback& playback) {
    return playback.phase != PlaybackPhase::Idle;
}
