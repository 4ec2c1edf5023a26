#include "dialogs/adjustments.h"

#include <tuple>

namespace {

// The settings the dialog edits, listed once for copying and for comparing.
template <typename SettingsRef>
auto AdjustedFields(SettingsRef& s) {
    return std::tie(s.HotKeyState, s.Alt, s.Control, s.Shift, s.ScanCode, s.Accent, s.Root,
                    s.FormType, s.UseGreek, s.UseClipboard, s.UseLargeFont, s.UseUserDict,
                    s.TaskBarIcon, s.UseSounds, s.GiveBackClipboard, s.SearchAsYouType);
}

}  // namespace

void ApplyAdjustments(const Settings& edited, Settings& settings) {
    AdjustedFields(settings) = AdjustedFields(edited);
}

bool SameAdjustments(const Settings& a, const Settings& b) {
    return AdjustedFields(a) == AdjustedFields(b);
}

int16_t ClickedValue(bool wasChecked) {
    return wasChecked ? 0 : 1;
}

AdjustmentChanges CompareAdjustments(const Settings& before, const Settings& after) {
    AdjustmentChanges changes;
    changes.any = !SameAdjustments(before, after);
    changes.reopenLookupWindow =
        before.FormType != after.FormType || before.UseGreek != after.UseGreek;
    changes.taskBarIcon = before.TaskBarIcon != after.TaskBarIcon;
    changes.fontSize = before.UseLargeFont != after.UseLargeFont;
    return changes;
}
