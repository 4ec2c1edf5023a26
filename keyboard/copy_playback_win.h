// The copy and paste keystrokes on Windows, played with SendInput into the window that was in
// front when the hot key or the tray icon was used. The copy ends with WM_COMMAND 773 to the
// lookup dialog, the paste with CMD_PASTE_DONE; the notification code carries the
// PlaybackOutcome. A journal playback hook would do the same, but current Windows no longer runs
// one.
#pragma once

#include <windows.h>

// Starts the copy keystrokes into source and returns at once; a thread timer steps them through
// the message loop. Returns false, doing nothing, while an earlier playback still runs.
bool StartCopyPlayback(HWND source, HWND lookupDialog);
// Starts the paste keystrokes into target; startWithCtrlV skips Shift+Insert (the window is
// known to ignore the Insert chords). The text must already be on the clipboard, rendered late,
// and the dialog must call MarkPasteTaken when the window asks for it.
bool StartPastePlayback(HWND target, HWND lookupDialog, bool startWithCtrlV);
void MarkPasteTaken();

// Takes the next step now rather than at the next tick: the clipboard has just changed.
void NudgeCopyPlayback();

bool CopyPlaybackRunning();

// Ends a running playback at once (the program is closing): what it pressed is released and
// nothing is posted.
void CancelCopyPlayback();
