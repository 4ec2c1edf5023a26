#include "ui/result_list.h"

#include <gtest/gtest.h>

#include "ui/button_looks.h"

TEST(ResultListTest, LetterBitmapsForEachKeyboard) {
    for (int mode : {0, 1, 8}) {
        for (int id = 100; id <= 125; ++id) {
            EXPECT_EQ(LetterBitmapBase(id, mode), id);
        }
    }
    // Greek capitals: Α Β Γ Δ Ε Ζ Η Θ Ι Κ Λ Μ, none, Ν Ξ Ο Π Ρ Σ Τ Υ Φ Χ Ψ Ω, none.
    const int greek[26] = {100, 101, 126, 127, 104, 125, 107, 128, 108, 110, 129, 112, 0,
                           113, 130, 114, 131, 115, 132, 119, 124, 133, 123, 134, 135, 0};
    for (int mode : {2, 4, 3}) {
        for (int id = 100; id <= 125; ++id) {
            EXPECT_EQ(LetterBitmapBase(id, mode), greek[id - 100]) << id << " mode " << mode;
        }
    }
    EXPECT_EQ(LetterBitmapBase(99, 0), 0);
    EXPECT_EQ(LetterBitmapBase(137, 2), 0);
}

TEST(ResultListTest, CommandButtonBases) {
    EXPECT_EQ(CommandButtonBase(138, false), 152);
    EXPECT_EQ(CommandButtonBase(139, false), 151);
    EXPECT_EQ(CommandButtonBase(138, true), 138);
    EXPECT_EQ(CommandButtonBase(139, true), 139);
    for (int id : {137, 143, 144}) {
        EXPECT_EQ(CommandButtonBase(id, false), id);
        EXPECT_EQ(CommandButtonBase(id, true), id);
    }
    EXPECT_EQ(CommandButtonBase(136, false), 0);
    EXPECT_EQ(CommandButtonBase(100, false), 0);
}

struct LookCase {
    unsigned action, state;
    int bitmapId;  // 0: nothing drawn
    bool click;
};

TEST(ResultListTest, CommandButtonLooks) {
    const LookCase cases[] = {
        {kActionDrawEntire, 0, 1137, false},
        {kActionDrawEntire, kStateFocus, 1137, false},
        {kActionDrawEntire, kStateDisabled, 7137, false},
        {kActionSelect, kStateFocus | kStateSelected, 3137, true},
        {kActionSelect, kStateDisabled, 7137, false},
        {kActionSelect, kStateFocus, 5137, false},
        {kActionSelect, 0, 0, false},
        {kActionSelect, kStateSelected, 0, false},
        {kActionFocus, 0, 1137, false},
        {kActionFocus, kStateDisabled, 7137, false},
        {kActionFocus, kStateFocus, 5137, false},
        {kActionFocus, kStateFocus | kStateSelected, 0, false},
        // Keyboard-cue bits (no accelerator 0x100, no focus rectangle 0x200) change nothing.
        {kActionSelect, kStateFocus | kStateSelected | 0x300, 3137, true},
        {kActionFocus, kStateFocus | 0x100, 5137, false},
    };
    for (const LookCase& c : cases) {
        ButtonLook look = CommandButtonLook(137, c.action, c.state);
        EXPECT_EQ(look.bitmapId, c.bitmapId) << c.action << "/" << c.state;
        EXPECT_EQ(look.clickSound, c.click) << c.action << "/" << c.state;
    }
}

TEST(ResultListTest, LetterButtonLooks) {
    const LookCase cases[] = {
        {kActionDrawEntire, 0, 1105, false},
        {kActionDrawEntire, kStateFocus | kStateSelected, 1105, false},
        {kActionSelect, kStateFocus, 1105, false},
        {kActionSelect, kStateFocus | kStateSelected, 3105, true},
        {kActionSelect, kStateFocus | kStateSelected | 0x200, 3105, true},
        {kActionSelect, 0, 0, false},
        {kActionFocus, 0, 1105, false},
        {kActionFocus, kStateFocus, 1105, false},
        {kActionFocus, kStateFocus | kStateSelected, 0, false},
    };
    for (const LookCase& c : cases) {
        ButtonLook look = LetterButtonLook(105, c.action, c.state, false);
        EXPECT_EQ(look.bitmapId, c.bitmapId) << c.action << "/" << c.state;
        EXPECT_EQ(look.clickSound, c.click) << c.action << "/" << c.state;
    }
    // The current letter is drawn pressed, but only when drawn whole.
    EXPECT_EQ(LetterButtonLook(105, kActionDrawEntire, 0, true).bitmapId, 3105);
    EXPECT_EQ(LetterButtonLook(105, kActionFocus, kStateFocus, true).bitmapId, 1105);
    // A letter the keyboard lacks (base 0) draws nothing and never clicks.
    ButtonLook none = LetterButtonLook(0, kActionSelect, kStateFocus | kStateSelected, false);
    EXPECT_EQ(none.bitmapId, 0);
    EXPECT_FALSE(none.clickSound);
}

TEST(ResultListTest, ItemColours) {
    const int32_t userRecord = static_cast<int32_t>(0x80000000u + 7);
    struct Case {
        bool selected;
        int listId;
        int32_t data;
        int fill, text;
    } cases[] = {
        {false, 12000, 1234, kColourWindow, kColourWindowText},
        {false, 12000, userRecord, kColourWindow, kColourActiveCaption},
        {true, 12000, userRecord, kColourHighlight, kColourHighlightText},
        {false, 12001, userRecord, kColourWindow, kColourWindowText},  // only the match list
        {true, 12001, 0, kColourHighlight, kColourHighlightText},
    };
    for (const Case& c : cases) {
        ItemColours colours = ListItemColours(c.selected, c.listId, c.data);
        EXPECT_EQ(colours.fill, c.fill);
        EXPECT_EQ(colours.text, c.text);
    }
}

TEST(ResultListTest, HistoryEntryHighlight) {
    EXPECT_TRUE(HistoryItemHighlighted(kActionSelect, kStateSelected));
    EXPECT_FALSE(HistoryItemHighlighted(kActionSelect, kStateFocus));
    EXPECT_TRUE(HistoryItemHighlighted(kActionFocus, kStateFocus));
    EXPECT_FALSE(HistoryItemHighlighted(kActionFocus, kStateSelected));
    EXPECT_FALSE(HistoryItemHighlighted(kActionDrawEntire, kStateSelected | kStateFocus));
    EXPECT_TRUE(HistoryItemHighlighted(kActionDrawEntire, kStateComboBoxEdit));
}

TEST(ResultListTest, CentredLine) {
    EXPECT_EQ(CentredTextLeft(0, 200, 50), 75);
    EXPECT_EQ(CentredTextLeft(10, 200, 51), 84);   // 74.5 truncates
    EXPECT_EQ(CentredTextLeft(0, 100, 151), -25);  // wider than the item: toward zero
}
