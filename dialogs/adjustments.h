// The settings that the program adjustments dialog edits (the hot key's five and eleven options),
// and what a change of them asks of the program.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// Copies the edited settings from edited into settings and leaves the others as they are.
void ApplyAdjustments(const Settings& edited, Settings& settings);
// True when a and b agree in every setting the dialog edits.
bool SameAdjustments(const Settings& a, const Settings& b);

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
AdjustmentChanges CompareAdjustments(const Settings& before, const Settings& after);
