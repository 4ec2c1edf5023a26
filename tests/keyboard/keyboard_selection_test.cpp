#include "keyboard/keyboard_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The radio buttons as the user would see them, plus what the dialog was asked to do.
class FakeDialog : public KeyboardDialog {
public:
    explicit FakeDialog(bool lookup = true) : lookup_(lookup) {
        captions[IDC_KEYBOARD_LANG1] = "Lang 1";
        captions[IDC_KEYBOARD_LANG2] = "Lang 2";
    }
    bool IsLookupDialog() const override { return lookup_; }
    void SetRadioCaption(int radioId, const char* caption) override { captions[radioId] = caption; }
    void ShowRadio(int radioId, bool shown) override { visible[radioId] = shown; }
    void CheckRadio(int radioId, bool on) override { checked[radioId] = on; }
    void PostRefreshLetters() override { ++refreshes; }
    void ActivateUsEnglishLayout() override { ++usLayouts; }

    // The one checked button, 0 when none is.
    int Checked() const {
        int found = 0;
        for (const auto& [id, on] : checked) {
            if (on) {
                EXPECT_EQ(found, 0) << "two radio buttons checked";
                found = id;
            }
        }
        return found;
    }

    std::map<int, std::string> captions;
    std::map<int, bool> visible;
    std::map<int, bool> checked;
    int refreshes = 0;
    int usLayouts = 0;

private:
    bool lookup_;
};

struct DescriptionCase {
    const char* name;
    const char* description;
    const char* caption1;
    const char* caption2;
    unsigned char mode1;
    unsigned char mode2;
};

void PrintTo(const DescriptionCase& c, std::ostream* out) {
    *out << c.name;
}

class Description : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(Description, LabelsButtonsAndReturnsToSystemLayout) {
    const DescriptionCase& c = GetParam();
    KeyboardSelection keyboard;
    keyboard.mode = keyboard.mainDialogMode = kKeyboardGreek;
    keyboard.index = 2;
    FakeDialog dialog;

    ApplyKeyboardDescription(keyboard, dialog, c.description);

    EXPECT_EQ(dialog.captions[IDC_KEYBOARD_LANG1], c.caption1);
    EXPECT_EQ(dialog.captions[IDC_KEYBOARD_LANG2], c.caption2);
    EXPECT_EQ(keyboard.modeTable[0], 0);
    EXPECT_EQ(keyboard.modeTable[1], c.mode1);
    EXPECT_EQ(keyboard.modeTable[2], c.mode2);
    EXPECT_EQ(dialog.visible[IDC_KEYBOARD_SYSTEM], c.mode1 != 0);
    EXPECT_EQ(dialog.visible[IDC_KEYBOARD_LANG1], c.mode1 != 0);
    EXPECT_EQ(dialog.visible[IDC_KEYBOARD_LANG2], c.mode2 != 0);
    EXPECT_EQ(dialog.Checked(), IDC_KEYBOARD_SYSTEM);
    EXPECT_EQ(keyboard.index, 0);
    EXPECT_EQ(keyboard.mode, kKeyboardSystem);
    EXPECT_EQ(keyboard.mainDialogMode, kKeyboardSystem);
    EXPECT_EQ(dialog.refreshes, 1);
    EXPECT_EQ(dialog.usLayouts, 0);
}

const DescriptionCase kDescriptionCases[] = {
    {"TwoKeyboards", "English.1@Greek.2", "English", "Greek", 1, 2},
    {"OneKeyboard", "Greek.2", "Greek", "Lang 2", 2, 0},
    {"Empty", "", "Lang 1", "Lang 2", 0, 0},
    {"GreekLabels", "\xC1\xE3\xE3\xEB\xE9\xEA\xDC.1@\xC5\xEB\xEB\xE7\xED\xE9\xEA\xDC.2",
     "\xC1\xE3\xE3\xEB\xE9\xEA\xDC", "\xC5\xEB\xEB\xE7\xED\xE9\xEA\xDC", 1, 2},
    {"LatinDriver", "French.8@Greek.2", "French", "Greek", 8, 2},
    {"PartWithoutDotHasModeZero", "Greek", "Greek", "Lang 2", 0, 0},
    {"SecondPartWithoutDot", "English.1@Greek", "English", "Greek", 1, 0},
    {"ModeStopsAtNonDigit", "English.1 @Greek.2x", "English", "Greek", 1, 2},
    {"ModeKeepsLowByte", "Greek.264", "Greek", "Lang 2", 8, 0},
    {"LabelEndsAtFirstDot", "U.S.1@Gr.2", "U", "Gr", 0, 2},
    {"SecondPartIsAllAfterFirstAt", "A.1@B.2@C.8", "A", "B", 1, 2},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, Description, ::testing::ValuesIn(kDescriptionCases),
                         [](const ::testing::TestParamInfo<DescriptionCase>& info) {
                             return std::string(info.param.name);
                         });

// A dictionary trailer's descriptor field need not end in a terminator: reading stops at the
// field's end (the vectors are exactly that long, so a sanitizer build catches a step beyond).
TEST(Description, UnterminatedFieldIsReadToItsEnd) {
    std::vector<char> field(kKeyboardDescriptionSize, 'y');
    const char kText[] = "English.1@Gr.2";
    std::copy(kText, kText + sizeof(kText) - 1, field.begin());
    KeyboardSelection keyboard;
    FakeDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, field.data());
    EXPECT_EQ(dialog.captions[IDC_KEYBOARD_LANG1], "English");
    EXPECT_EQ(dialog.captions[IDC_KEYBOARD_LANG2], "Gr");
    EXPECT_EQ(keyboard.modeTable[2], kKeyboardGreek);

    std::vector<char> label(kKeyboardDescriptionSize, 'x');
    ApplyKeyboardDescription(keyboard, dialog, label.data());
    EXPECT_EQ(dialog.captions[IDC_KEYBOARD_LANG1], std::string(kKeyboardDescriptionSize, 'x'));
    EXPECT_EQ(keyboard.modeTable[1], 0);
    EXPECT_FALSE(dialog.visible[IDC_KEYBOARD_LANG1]);
}

struct CycleCase {
    const char* name;
    const char* description;
    int steps;
    const char* indexes;  // index after each F3
    const char* modes;    // KeyboardMode after each F3
    int usLayouts;
};

void PrintTo(const CycleCase& c, std::ostream* out) {
    *out << c.name;
}

class Cycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(Cycle, NextKeyboardWalksOfferedKeyboards) {
    const CycleCase& c = GetParam();
    KeyboardSelection keyboard;
    FakeDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, c.description);
    std::string indexes;
    std::string modes;
    for (int i = 0; i < c.steps; ++i) {
        NextKeyboard(keyboard, dialog);
        indexes += static_cast<char>('0' + keyboard.index);
        modes += static_cast<char>('0' + keyboard.mode);
        EXPECT_EQ(dialog.Checked(), IDC_KEYBOARD_SYSTEM + keyboard.index);
        EXPECT_EQ(keyboard.mainDialogMode, keyboard.mode);
    }
    EXPECT_EQ(indexes, c.indexes);
    EXPECT_EQ(modes, c.modes);
    EXPECT_EQ(dialog.usLayouts, c.usLayouts);
    EXPECT_EQ(dialog.refreshes, 1 + c.steps);
}

const CycleCase kCycleCases[] = {
    {"TwoKeyboards", "English.1@Greek.2", 4, "1201", "1201", 3},
    {"OneKeyboard", "Greek.2", 3, "101", "202", 2},
    {"NoKeyboard", "", 2, "00", "00", 0},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, Cycle, ::testing::ValuesIn(kCycleCases),
                         [](const ::testing::TestParamInfo<CycleCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SelectKeyboard, LookupDialogChoiceBecomesMainDialogMode) {
    KeyboardSelection keyboard;
    FakeDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, "English.1@Greek.2");

    SelectKeyboard(keyboard, dialog, IDC_KEYBOARD_LANG2);
    EXPECT_EQ(dialog.Checked(), IDC_KEYBOARD_LANG2);
    EXPECT_EQ(keyboard.index, 2);
    EXPECT_EQ(keyboard.mode, kKeyboardGreek);
    EXPECT_EQ(keyboard.mainDialogMode, kKeyboardGreek);
    EXPECT_EQ(dialog.usLayouts, 1);
    EXPECT_EQ(dialog.refreshes, 2);

    // Mode 1 translates nothing but still needs the US layout.
    SelectKeyboard(keyboard, dialog, IDC_KEYBOARD_LANG1);
    EXPECT_EQ(keyboard.mode, kKeyboardUs);
    EXPECT_EQ(dialog.usLayouts, 2);

    SelectKeyboard(keyboard, dialog, IDC_KEYBOARD_SYSTEM);
    EXPECT_EQ(dialog.Checked(), IDC_KEYBOARD_SYSTEM);
    EXPECT_EQ(keyboard.mode, kKeyboardSystem);
    EXPECT_EQ(keyboard.mainDialogMode, kKeyboardSystem);
    EXPECT_EQ(dialog.usLayouts, 2);
    EXPECT_EQ(dialog.refreshes, 4);
}

TEST(SelectKeyboard, UserDictionaryDialogLeavesMainDialogMode) {
    KeyboardSelection keyboard;
    FakeDialog lookup;
    ApplyKeyboardDescription(keyboard, lookup, "English.1@Greek.2");
    SelectKeyboard(keyboard, lookup, IDC_KEYBOARD_LANG1);

    FakeDialog userDictionary(false);
    SelectKeyboard(keyboard, userDictionary, IDC_KEYBOARD_LANG2);
    EXPECT_EQ(keyboard.mode, kKeyboardGreek);
    EXPECT_EQ(keyboard.mainDialogMode, kKeyboardUs);
    EXPECT_EQ(userDictionary.usLayouts, 1);
    NextKeyboard(keyboard, userDictionary);
    EXPECT_EQ(keyboard.index, 0);
    EXPECT_EQ(keyboard.mode, kKeyboardSystem);
    EXPECT_EQ(keyboard.mainDialogMode, kKeyboardUs);
    EXPECT_EQ(userDictionary.Checked(), IDC_KEYBOARD_SYSTEM);
    EXPECT_EQ(userDictionary.refreshes, 0);
}

TEST(SelectKeyboard, UnknownRadioChangesNothing) {
    KeyboardSelection keyboard;
    FakeDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, "English.1@Greek.2");
    SelectKeyboard(keyboard, dialog, IDC_KEYBOARD_LANG2);
    for (int id : {IDC_KEYBOARD_SYSTEM - 1, IDC_KEYBOARD_LANG2 + 1}) {
        SelectKeyboard(keyboard, dialog, id);
        EXPECT_EQ(keyboard.index, 2);
        EXPECT_EQ(keyboard.mode, kKeyboardGreek);
        EXPECT_EQ(dialog.Checked(), IDC_KEYBOARD_LANG2);
    }
}

struct RestoreCase {
    const char* name;
    const char* description;
    unsigned char saved;
    int checked;  // 0: no radio button
    unsigned char index;
    unsigned char mode;
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.name;
}

class Restore : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(Restore, SavedModeFindsItsButton) {
    const RestoreCase& c = GetParam();
    KeyboardSelection keyboard;
    FakeDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, c.description);
    RestoreKeyboardMode(keyboard, dialog, c.saved);
    EXPECT_EQ(dialog.Checked(), c.checked);
    EXPECT_EQ(keyboard.index, c.index);
    EXPECT_EQ(keyboard.mode, c.mode);
    EXPECT_EQ(keyboard.mainDialogMode, c.mode);
}

const RestoreCase kRestoreCases[] = {
    {"Greek", "English.1@Greek.2", 2, IDC_KEYBOARD_LANG2, 2, 2},
    {"English", "English.1@Greek.2", 1, IDC_KEYBOARD_LANG1, 1, 1},
    {"System", "English.1@Greek.2", 0, IDC_KEYBOARD_SYSTEM, 0, 0},
    {"NotOffered", "Greek.2", 8, 0, 0, 0},
    {"SameModeTwiceTakesFirst", "Greek.2@Greek.2", 2, IDC_KEYBOARD_LANG1, 1, 2},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, Restore, ::testing::ValuesIn(kRestoreCases),
                         [](const ::testing::TestParamInfo<RestoreCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
