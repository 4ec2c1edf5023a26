// The settings the adjustments dialog edits and what a confirmed change asks of the
// program.
#include "dialogs/adjustments.h"

#include <gtest/gtest.h>

TEST(Adjustments, ApplyCopiesTheEditedSettingsOnly) {
    Settings edited;
    edited.HotKeyState = 1;
    edited.ScanCode = 87;
    edited.TaskBarIcon = 200;
    edited.SearchAsYouType = 1;
    edited.Key = 105;  // not one the dialog edits
    Settings target;
    target.FormType = 1;
    target.StayOnTop = 3;
    ApplyAdjustments(edited, target);
    EXPECT_TRUE(SameAdjustments(target, edited));
    EXPECT_EQ(target.ScanCode, 87);
    EXPECT_EQ(target.SearchAsYouType, 1);
    EXPECT_EQ(target.FormType, 0);
    EXPECT_EQ(target.Key, 0);
    EXPECT_EQ(target.StayOnTop, 3);
}

TEST(Adjustments, EachSettingCountsAsAChange) {
    int16_t Settings::*fields[] = {&Settings::HotKeyState,  &Settings::Alt,
                                   &Settings::Control,      &Settings::Shift,
                                   &Settings::ScanCode,     &Settings::Accent,
                                   &Settings::Root,         &Settings::FormType,
                                   &Settings::UseGreek,     &Settings::UseClipboard,
                                   &Settings::UseLargeFont, &Settings::UseUserDict,
                                   &Settings::UseSounds,    &Settings::SearchAsYouType};
    const Settings before;
    for (auto field : fields) {
        Settings after;
        after.*field = 1;
        EXPECT_TRUE(CompareAdjustments(before, after).any);
    }
    Settings after;
    after.TaskBarIcon = 1;
    EXPECT_TRUE(CompareAdjustments(before, after).any);
    after = before;
    after.GiveBackClipboard = 0;  // on by default
    EXPECT_TRUE(CompareAdjustments(before, after).any);
    EXPECT_FALSE(CompareAdjustments(before, before).any);
    // The settings the dialog does not edit are no change of its.
    after = before;
    after.Key = 105;
    after.ScreenX = 40;
    EXPECT_FALSE(CompareAdjustments(before, after).any);
}

TEST(Adjustments, FormAndLanguageReopenTheWindowOthersApplyInPlace) {
    const Settings before;
    Settings form, greek, tray, font, hotKey;
    form.FormType = 1;
    greek.UseGreek = 1;
    tray.TaskBarIcon = 1;
    font.UseLargeFont = 1;
    hotKey.Control = 1;
    EXPECT_TRUE(CompareAdjustments(before, form).reopenLookupWindow);
    EXPECT_TRUE(CompareAdjustments(before, greek).reopenLookupWindow);
    const AdjustmentChanges trayChange = CompareAdjustments(before, tray);
    EXPECT_FALSE(trayChange.reopenLookupWindow);
    EXPECT_TRUE(trayChange.taskBarIcon);
    EXPECT_FALSE(trayChange.fontSize);
    const AdjustmentChanges fontChange = CompareAdjustments(before, font);
    EXPECT_TRUE(fontChange.fontSize);
    EXPECT_FALSE(fontChange.taskBarIcon);
    const AdjustmentChanges hotKeyChange = CompareAdjustments(before, hotKey);
    EXPECT_TRUE(hotKeyChange.any);
    EXPECT_FALSE(hotKeyChange.reopenLookupWindow || hotKeyChange.taskBarIcon ||
                 hotKeyChange.fontSize);
}

TEST(Adjustments, AClickTurnsACheckedBoxOff) {
    EXPECT_EQ(ClickedValue(true), 0);
    EXPECT_EQ(ClickedValue(false), 1);
}
