// The copy keystrokes on Windows: Ctrl+Insert played with SendInput into the window that was in
// front when the hot key or the tray icon was used, then WM_COMMAND 773 posted to the lookup
// dialog. A journal playback hook would do the same, but current Windows no longer runs one.
#pragma once

#include <windows.h>

// Starts the keystrokes into source and returns at once; a thread timer steps them through the
// message loop. Returns false, doing nothing, while an earlier playback still runs.
bool StartCopyPlayback(HWND source, HWND lookupDialog);

bool CopyPlaybackRunning();

// Ends a running playback at once (the program is closing): what it pressed is released and
// nothing is posted.
void CancelCopyPlayback();
