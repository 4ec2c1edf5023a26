// The fourteen settings that the program adjustments dialog edits, and what a change of them
// asks of the program.
#pragma once

#include <cstdint>

#include "app/settings.h"

// The dialog's working copies, in the settings' own widths.
struct Adjustments {
    int16_t HotKeyState = 0;
    int16_t Alt = 0;
    int16_t Control = 0;
    int16_t Shift = 0;
    int16_t ScanCode = 0;
    int16_t Accent = 0;
    int16_t Root = 0;
    int16_t FormType = 0;
    int16_t UseGreek = 0;
    int16_t UseClipboard = 0;
    int16_t UseLargeFont = 0;
    int16_t UseUserDict = 0;
    uint16_t TaskBarIcon = 0;
    int16_t UseSounds = 0;
};

Adjustments AdjustmentsOf(const Settings& settings);
void ApplyAdjustments(const Adjustments& adjustments, Settings& settings);
bool operator==(const Adjustments& a, const Adjustments& b);
inline bool operator!=(const Adjustments& a, const Adjustments& b) {
    return !(a == b);
}

// A click on a plain check box: the setting becomes 0 when the box was checked, else 1.
int16_t ClickedValue(bool wasChecked);

// What the lookup window does after the dialog was confirmed with a change.
struct AdjustmentChanges {
    bool any = false;
    // The window form or the interface language changed: the lookup window opens again.
    bool reopenLookupWindow = false;
    // Else these are applied to the open window at once.
    bool taskBarIcon = false;
    bool fontSize = false;
};
AdjustmentChanges CompareAdjustments(const Adjustments& before, const Adjustments& after);
