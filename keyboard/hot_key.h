// The stored choice of the global hot key, shared by the settings, the adjustments dialog and the
// registration.
#pragma once

#include <cstdint>

// The values of the registry key HotKey, in their stored widths: HotKeyState nonzero turns the hot
// key off; Alt, Control and Shift nonzero ask for that modifier; ScanCode is the key's virtual-key
// code.
struct HotKey {
    int16_t HotKeyState = 0;
    int16_t Alt = 0;
    int16_t Control = 0;
    int16_t Shift = 0;
    int16_t ScanCode = 0;
};
