// The global hot key that brings the lookup dialog forward (or first copies the selection of the
// program in front), registered on the main window.
#pragma once

#include <windows.h>

#include "keyboard/hot_key.h"

enum class HotKeyRegistration {
    Registered,
    Off,     // the settings turn it off: nothing registered, nothing to tell the user
    Failed,  // another program holds the combination, or it is not a usable one
};

// The RegisterHotKey modifiers of a choice. A held hot key does not repeat: each repeat would
// show or hide the dialog and start another copy.
UINT HotKeyModifiers(const HotKey& choice);

// Registers the hot key (id 801) on mainWindow.
HotKeyRegistration RegisterLookupHotKey(HWND mainWindow, const HotKey& choice);

// Gives the hot key back; harmless when it is not registered.
void UnregisterLookupHotKey(HWND mainWindow);
