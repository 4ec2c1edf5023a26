#include "keyboard/hot_key_win.h"

#include "resources/resource_ids.h"

UINT HotKeyModifiers(const HotKey& choice) {
    UINT modifiers = MOD_NOREPEAT;
    if (choice.Alt != 0) {
        modifiers |= MOD_ALT;
    }
    if (choice.Control != 0) {
        modifiers |= MOD_CONTROL;
    }
    if (choice.Shift != 0) {
        modifiers |= MOD_SHIFT;
    }
    return modifiers;
}

HotKeyRegistration RegisterLookupHotKey(HWND mainWindow, const HotKey& choice) {
    // Key 0 (the first run's, and what the adjustments keep when no key was picked), or a value
    // beyond the virtual keys, is no key at all: a hot key switched on without one is as good as
    // off, not a key some other program holds.
    if (choice.HotKeyState != 0 || choice.ScanCode <= 0 || choice.ScanCode > 0xFE) {
        return HotKeyRegistration::Off;
    }
    if (!RegisterHotKey(mainWindow, HOTKEY_LOOKUP, HotKeyModifiers(choice),
                        static_cast<UINT>(choice.ScanCode))) {
        return HotKeyRegistration::Failed;
    }
    return HotKeyRegistration::Registered;
}

void UnregisterLookupHotKey(HWND mainWindow) {
    UnregisterHotKey(mainWindow, HOTKEY_LOOKUP);
}
