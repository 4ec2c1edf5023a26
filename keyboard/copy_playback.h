// The copy keystrokes: Ctrl+Insert typed into the window that was in front when the hot key or
// the tray icon was used, so that its selection lands on the clipboard; then the lookup dialog is
// told to look the clipboard up. A state machine stepped by a timer, so the message loop never
// waits on it.
//
// What it guards against:
// - the user still holds the hot key's modifiers: the keys wait until they are up (bounded), so
//   the other program sees Ctrl+Insert and not Ctrl+Alt+Insert; a modifier still held at the
//   bound means no keys at all, never a lone Alt (which opens the other program's menu);
// - the clipboard is slow to change: the lookup waits for its sequence number to move, bounded;
// - a key left down: every key pressed is released, retried while the system refuses;
// - a second start while one runs: refused.
#pragma once

#include <cstdint>

// Virtual key of Insert; it is an extended key.
constexpr unsigned kVkInsert = 0x2D;

// Bounds of the waits, in milliseconds.
constexpr uint32_t kPlaybackModifierWait = 1000;
constexpr uint32_t kPlaybackFrontWait = 500;
constexpr uint32_t kPlaybackClipboardWait = 1000;
constexpr uint32_t kPlaybackReleaseWait = 1000;

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
    // One key event; false when the system did not take it.
    virtual bool SendKey(unsigned virtualKey, bool release) = 0;
    virtual uint32_t ClipboardSequence() = 0;
    // The end, in every case: the lookup dialog is asked (command 773) to come forward and look
    // the clipboard up.
    virtual void PostLookup() = 0;
};

enum class PlaybackPhase {
    Idle,
    WaitModifiers,  // the user still holds modifiers
    WaitFront,      // the window was asked to come to the front
    ReleaseKeys,    // a release the system refused is tried again
    WaitClipboard,  // the keys went out; the clipboard has not changed yet
};

struct CopyPlayback {
    PlaybackPhase phase = PlaybackPhase::Idle;
    uint32_t phaseStart = 0;  // time the phase began, in ms
    uint32_t clipboardBefore = 0;
    bool ctrlDown = false;  // a Ctrl press went out and its release has not
    bool insertDown = false;
    bool keysSent = false;  // Ctrl+Insert reached the window
};

// Begins a playback at time now (ms) and takes its first step. Returns false and does nothing
// while another is running.
bool StartCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now);

// One timer tick. Returns true while the playback still needs ticks.
bool StepCopyPlayback(CopyPlayback& playback, CopyPlaybackSystem& system, uint32_t now);

inline bool CopyPlaybackRunning(const CopyPlayback& playback) {
    return playback.phase != PlaybackPhase::Idle;
}
