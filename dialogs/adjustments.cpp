#include "dialogs/adjustments.h"

namespace {

// Both directions copy the same fourteen fields.
template <typename From, typename To>
void CopyFields(const From& from, To& to) {
    to.HotKeyState = from.HotKeyState;
    to.Alt = from.Alt;
    to.Control = from.Control;
    to.Shift = from.Shift;
    to.ScanCode = from.ScanCode;
    to.Accent = from.Accent;
    to.Root = from.Root;
    to.FormType = from.FormType;
    to.UseGreek = from.UseGreek;
    to.UseClipboard = from.UseClipboard;
    to.UseLargeFont = from.UseLargeFont;
    to.UseUserDict = from.UseUserDict;
    to.TaskBarIcon = from.TaskBarIcon;
    to.UseSounds = from.UseSounds;
}

}  // namespace

Adjustments AdjustmentsOf(const Settings& settings) {
    Adjustments adjustments;
    CopyFields(settings, adjustments);
    return adjustments;
}

void ApplyAdjustments(const Adjustments& adjustments, Settings& settings) {
    CopyFields(adjustments, settings);
}

bool operator==(const Adjustments& a, const Adjustments& b) {
    return a.HotKeyState == b.HotKeyState && a.Alt == b.Alt && a.Control == b.Control &&
           a.Shift == b.Shift && a.ScanCode == b.ScanCode && a.Accent == b.Accent &&
           a.Root == b.Root && a.FormType == b.FormType && a.UseGreek == b.UseGreek &&
           a.UseClipboard == b.UseClipboard && a.UseLargeFont == b.UseLargeFont &&
           a.UseUserDict == b.UseUserDict && a.TaskBarIcon == b.TaskBarIcon &&
           a.UseSounds == b.UseSounds;
}

int16_t ClickedValue(bool wasChecked) {
    return wasChecked ? 0 : 1;
}

AdjustmentChanges CompareAdjustments(const Adjustments& before, const Adjustments& after) {
    AdjustmentChanges changes;
    changes.any = before != after;
    changes.reopenLookupWindow =
        before.FormType != after.FormType || before.UseGreek != after.UseGreek;
    changes.taskBarIcon = before.TaskBarIcon != after.TaskBarIcon;
    changes.fontSize = before.UseLargeFont != after.UseLargeFont;
    return changes;
}
