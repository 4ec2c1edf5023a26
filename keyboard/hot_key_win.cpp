#include "keyboard/hot_key_win.h"

#include "resources/resource_ids.h"

UINT HotKeyModifiers(const HotKeyChoice& choice) {
    UINT modifiers = MOD_NOREPEAT;
    if (choice.alt != 0) {
        modifiers |= MOD_ALT;
    }
    if (choice.control != 0) {
        modifiers |= MOD_CONTROL;
    }
    if (choice.shift != 0) {
        modifiers |= MOD_SHIFT;
    }
    return modifiers;
}

HotKeyRegistration RegisterLookupHotKey(HWND mainWindow, const HotKeyChoice& choice) {
    if (choice.state != 0) {
        return HotKeyRegistration::Off;
    }
    // Key 0 (or a value beyond the virtual keys) is no key at all.
    if (choice.virtualKey <= 0 || choice.virtualKey > 0xFE) {
        return HotKeyRegistration::Failed;
    }
    if (!RegisterHotKey(mainWindow, HOTKEY_LOOKUP, HotKeyModifiers(choice),
                        static_cast<UINT>(choice.virtualKey))) {
        return HotKeyRegistration::Failed;
    }
    return HotKeyRegistration::Registered;
}

void UnregisterLookupHotKey(HWND mainWindow) {
    UnregisterHotKey(mainWindow, HOTKEY_LOOKUP);
}
