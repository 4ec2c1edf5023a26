// The adjustments dialog's working copies and what a confirmed change asks of the program.
#include "dialogs/adjustments.h"

#include <gtest/gtest.h>

TEST(Adjustments, CopyTheFourteenSettingsBothWays) {
    Settings settings;
    settings.HotKeyState = 1;
    settings.ScanCode = 87;
    settings.TaskBarIcon = 200;
    settings.UseSounds = 1;
    settings.Key = 105;  // not one of the fourteen
    Adjustments copy = AdjustmentsOf(settings);
    EXPECT_EQ(copy.HotKeyState, 1);
    EXPECT_EQ(copy.ScanCode, 87);
    EXPECT_EQ(copy.TaskBarIcon, 200);
    copy.Alt = 1;
    copy.UseGreek = 1;
    copy.FormType = 0;
    Settings target;
    ApplyAdjustments(copy, target);
    EXPECT_EQ(AdjustmentsOf(target), copy);
    EXPECT_EQ(target.Key, 0);
}

TEST(Adjustments, EachSettingCountsAsAChange) {
    int16_t Adjustments::*fields[] = {
        &Adjustments::HotKeyState,  &Adjustments::Alt,          &Adjustments::Control,
        &Adjustments::Shift,        &Adjustments::ScanCode,     &Adjustments::Accent,
        &Adjustments::Root,         &Adjustments::FormType,     &Adjustments::UseGreek,
        &Adjustments::UseClipboard, &Adjustments::UseLargeFont, &Adjustments::UseUserDict,
        &Adjustments::UseSounds};
    const Adjustments before;
    for (auto field : fields) {
        Adjustments after;
        after.*field = 1;
        EXPECT_TRUE(CompareAdjustments(before, after).any);
    }
    Adjustments after;
    after.TaskBarIcon = 1;
    EXPECT_TRUE(CompareAdjustments(before, after).any);
    EXPECT_FALSE(CompareAdjustments(before, before).any);
}

TEST(Adjustments, FormAndLanguageReopenTheWindowOthersApplyInPlace) {
    const Adjustments before;
    Adjustments form, greek, tray, font, hotKey;
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
