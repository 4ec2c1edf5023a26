// Which help text a control shows and where its balloon goes.
#include "dialogs/help_balloons.h"

#include <gtest/gtest.h>

TEST(HelpTextOffset, FollowsEachDialogsTable) {
    const struct {
        int base, control, offset;
    } cases[] = {
        {kLookupHelpBase, IDC_LETTER_FIRST, 1},
        {kLookupHelpBase, IDC_LETTER_LAST, 1},
        {kLookupHelpBase, IDC_LETTER_LAST + 1, 0},
        {kLookupHelpBase, IDC_SMALL_COPY, 4},
        {kLookupHelpBase, IDC_SMALL_CLIPBOARD, 5},
        {kLookupHelpBase, IDC_WORD_BOX, 8},
        {kLookupHelpBase, IDC_KEYBOARD_SYSTEM, 13},
        {kLookupHelpBase, IDC_KEYBOARD_LANG2, 14},
        {kLookupHelpBase, IDC_HINT_LINE, 0},
        {kLookupHelpBase, 0, 0},  // the dialog itself
        {kAdjustmentsHelpBase, IDC_HOTKEY_KEY_LIST, 4},
        {kAdjustmentsHelpBase, IDC_HOTKEY_DISABLE, 5},
        {kAdjustmentsHelpBase, 2, 11},
        {kAdjustmentsHelpBase, IDC_OPTION_TASK_BAR_ICON, 16},
        {kAdjustmentsHelpBase, IDC_ACCENT_EXAMPLES, 0},
        {kAdjustmentsHelpBase, IDC_WORD_BOX, 0},  // a lookup control means nothing here
        {kUserDictionaryHelpBase, IDC_WORD_LIST, 3},
        {kUserDictionaryHelpBase, IDC_KEYBOARD_LANG1, 5},
        {kUserDictionaryHelpBase, 2, 10},
        {0, IDC_WORD_LIST, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpTextOffset(c.base, c.control), c.offset) << c.base << "/" << c.control;
    }
}

TEST(HelpTextOffset, EachTableUsesEveryOffsetOnce) {
    // Offset 17 of the adjustments is kept for another option's help line.
    const struct {
        int base, last, unused;
    } dialogs[] = {{kAdjustmentsHelpBase, IDS_ADJUSTMENTS_HELP_LAST - kAdjustmentsHelpBase, 0},
                   {kUserDictionaryHelpBase, 10, 0}};
    for (const auto& d : dialogs) {
        size_t count = 0;
        const HelpControl* table = HelpTable(d.base, &count);
        ASSERT_EQ(count, static_cast<size_t>(d.last - (d.unused ? 1 : 0)));
        for (int offset = 1; offset <= d.last; ++offset) {
            int seen = 0;
            for (size_t i = 0; i < count; ++i) {
                seen += table[i].offset == offset;
            }
            EXPECT_EQ(seen, offset == d.unused ? 0 : 1) << d.base + offset;
        }
    }
}

namespace {

// A dialog of 600 x 450 pixels whose client area starts 3 pixels in and 25 down.
const PixelRect kDialog = {-3, -25, 597, 425};
constexpr int kCaption = 19;

PixelRect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

TEST(PlaceBalloon, GoesRightAndBelowAControlInTheUpperLeft) {
    const BalloonPlace place = PlaceBalloon(At(10, 20, 100, 20), kDialog, 40, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.tail, TailCorner::kTopLeft);
    // Centre 60 + 30, the text width a third of 600, 15 more on every side.
    EXPECT_EQ(place.balloon.left, 90 - 15);
    EXPECT_EQ(place.balloon.right, 90 + 200 + 15);
    EXPECT_EQ(place.balloon.top, 40 + 10 - 15);
    EXPECT_EQ(place.balloon.bottom, 40 + 10 + 40 + 15);
    EXPECT_EQ(place.save.left, place.balloon.left - 15);
    EXPECT_EQ(place.save.bottom, place.balloon.bottom + 15);
}

TEST(PlaceBalloon, ControlsInTheRightOrLowerThirdGetItLeftOrAbove) {
    // Reaches into the right third: left of the centre, tail at the balloon's right corner.
    BalloonPlace place = PlaceBalloon(At(450, 20, 100, 20), kDialog, 40, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.tail, TailCorner::kTopRight);
    EXPECT_EQ(place.balloon.right, 500 - 30 + 15);
    // Reaches into the bottom third: above the control.
    place = PlaceBalloon(At(10, 350, 100, 20), kDialog, 40, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.tail, TailCorner::kBottomLeft);
    EXPECT_EQ(place.balloon.bottom, 350 - 12 + 15);
    place = PlaceBalloon(At(450, 350, 100, 20), kDialog, 40, kCaption);
    EXPECT_EQ(place.tail, TailCorner::kBottomRight);
}

TEST(PlaceBalloon, PushedInsideTheDialogKeepingItsTail) {
    // Would leave at the bottom: moved above the control, still pointing from the top.
    BalloonPlace place = PlaceBalloon(At(10, 250, 100, 40), kDialog, 120, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.tail, TailCorner::kTopLeft);
    EXPECT_EQ(place.balloon.bottom, 250);
    EXPECT_EQ(place.balloon.bottom - place.balloon.top, 150);
    // Would leave at the right: shifted left to the dialog's right edge.
    place = PlaceBalloon(At(350, 20, 49, 20), kDialog, 40, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.balloon.right, kDialog.right);
    // Would leave at the top: moved down below the caption.
    place = PlaceBalloon(At(10, 150, 100, 20), {-3, -25, 597, 200}, 160, kCaption);
    ASSERT_TRUE(place.fits);
    EXPECT_EQ(place.balloon.top, -25 + kCaption + 5);
}

TEST(PlaceBalloon, ABalloonThatCannotFitIsNotDrawn) {
    // Text taller than the dialog.
    EXPECT_FALSE(PlaceBalloon(At(10, 20, 100, 20), kDialog, 500, kCaption).fits);
    // Left of a control at the left edge of a narrow dialog.
    EXPECT_FALSE(PlaceBalloon(At(0, 20, 70, 20), {-3, -25, 87, 425}, 40, kCaption).fits);
}
