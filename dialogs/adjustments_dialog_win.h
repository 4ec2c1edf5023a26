// The program adjustments dialog: the hot key (modifiers, key, off switch) and eleven options,
// edited on working copies; nothing changes before OK.
#pragma once

#include <windows.h>

#include "settings/settings.h"
#include "dialogs/adjustments.h"
#include "dialogs/help_balloons_win.h"

// Runs the dialog over owner (help gives the instance, the texts file, the interface language
// and the balloons). OK with at least one of its settings changed writes them into
// settings, fills *changes and returns true; Cancel, Escape, Enter (Cancel is the default) or
// OK without a change return false and leave settings as they were. The caller saves the
// settings, opens the lookup window again or applies the tray icon and font size as *changes
// says, and registers the hot key again in every case.
bool ShowAdjustmentsDialog(HWND owner, const HelpContext& help, Settings& settings,
                           AdjustmentChanges* changes);
