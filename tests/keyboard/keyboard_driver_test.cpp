#include "keyboard/keyboard_driver.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A US keyboard feeding both hooks the way Windows does: the keyboard hook sees every press and
// release; a key it lets through becomes WM_KEYDOWN/WM_KEYUP for the message hook, and
// TranslateMessage makes the WM_CHAR of the US layout from the press.
struct UsKey {
    unsigned virtualKey;
    char plain;
    char shifted;
};

bool FindUsKey(const std::string& name, UsKey& key) {
    static const UsKey kPunctuation[] = {
        {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
        {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},  {0xDB, '[', '{'},
        {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
    };
    if (name == "space") {
        key = {kVkSpace, ' ', ' '};
        return true;
    }
    if (name == "F2" || name == "F3" || name == "F5") {
        key = {kVkF2 + static_cast<unsigned>(name[1] - '2'), 0, 0};
        return true;
    }
    if (name == "bksp") {
        key = {0x08, 0x08, 0x08};
        return true;
    }
    if (name == "enter") {
        key = {kVkReturn, '\r', '\r'};
        return true;
    }
    if (name.size() != 1) {
        return false;
    }
    char c = name[0];
    if (c >= 'a' && c <= 'z') {
        key = {kVkA + static_cast<unsigned>(c - 'a'), c, static_cast<char>(c - 32)};
        return true;
    }
    if (c >= '0' && c <= '9') {
        key = {static_cast<unsigned>(c), c, ")!@#$%^&*("[c - '0']};
        return true;
    }
    for (const UsKey& p : kPunctuation) {
        if (p.plain == c) {
            key = p;
            return true;
        }
    }
    return false;
}

struct Typist {
    KeyboardDriver driver;
    unsigned char mode = kKeyboardGreek;
    std::string text;                // characters the focused control received
    std::vector<int> commands;       // commands posted to the command target
    std::vector<unsigned> keysSeen;  // presses (other than modifiers) that reached the window

    void KeyboardHook(unsigned virtualKey, bool released, KeyModifiers mods, bool& passed) {
        HookResult r = KeyboardHookStep(driver, mode, 0, virtualKey, released, mods);
        if (r.action == HookAction::PostCommand) {
            commands.push_back(r.command);
        }
        passed = r.action == HookAction::PassOn;
    }

    void Modifier(unsigned virtualKey, bool released, KeyModifiers mods) {
        bool passed = false;
        KeyboardHook(virtualKey, released, mods, passed);
        ASSERT_TRUE(passed);
        HookResult r = MessageHookStep(
            driver, mode, 0, released ? KeyMessage::KeyUp : KeyMessage::KeyDown, virtualKey, mods);
        ASSERT_EQ(r.action, HookAction::PassOn);
    }

    // One token: an optional run of "S+", "C+", "A+" and a key name ("a", ";", "space", "F2").
    void Stroke(std::string token) {
        KeyModifiers mods;
        while (token.size() > 2 && token[1] == '+') {
            if (token[0] == 'S') {
                mods.shift = true;
            }
            if (token[0] == 'C') {
                mods.ctrl = true;
            }
            if (token[0] == 'A') {
                mods.alt = true;
            }
            token = token.substr(2);
        }
        UsKey key;
        ASSERT_TRUE(FindUsKey(token, key)) << token;

        KeyModifiers held;
        if (mods.ctrl) {
            Modifier(kVkControl, false, held = {true, held.alt, held.shift});
        }
        if (mods.alt) {
            Modifier(kVkMenu, false, held = {held.ctrl, true, held.shift});
        }
        if (mods.shift) {
            Modifier(kVkShift, false, held = {held.ctrl, held.alt, true});
        }

        bool passed = false;
        KeyboardHook(key.virtualKey, false, mods, passed);
        if (passed) {
            keysSeen.push_back(key.virtualKey);
            MessageHookStep(driver, mode, 0, KeyMessage::KeyDown, key.virtualKey, mods);
            unsigned typed = static_cast<unsigned char>(mods.shift ? key.shifted : key.plain);
            if (mods.ctrl && key.virtualKey >= kVkA && key.virtualKey <= kVkZ) {
                typed = key.virtualKey - 0x40;
            }
            if (!mods.alt && typed != 0) {
                HookResult r = MessageHookStep(driver, mode, 0, KeyMessage::Char, typed, mods);
                unsigned shown = r.action == HookAction::RewriteChar ? r.byte : typed;
                if (shown >= 32) {
                    text += static_cast<char>(shown);
                }
            }
        }
        KeyboardHook(key.virtualKey, true, mods, passed);
        if (passed) {
            MessageHookStep(driver, mode, 0, KeyMessage::KeyUp, key.virtualKey, mods);
        }

        if (mods.shift) {
            Modifier(kVkShift, true, held = {held.ctrl, held.alt, false});
        }
        if (mods.alt) {
            Modifier(kVkMenu, true, held = {held.ctrl, false, held.shift});
        }
        if (mods.ctrl) {
            Modifier(kVkControl, true, held = {false, held.alt, held.shift});
        }
    }

    void Type(const std::string& keys) {
        std::istringstream tokens(keys);
        std::string token;
        while (tokens >> token) {
            Stroke(token);
        }
    }
};

struct TypingCase {
    const char* name;
    unsigned char mode;
    const char* keys;
    const char* text;
};

void PrintTo(const TypingCase& c, std::ostream* out) {
    *out << c.name;
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, ProducesText) {
    const TypingCase& c = GetParam();
    Typist typist;
    typist.mode = c.mode;
    typist.Type(c.keys);
    EXPECT_EQ(typist.text, std::string(c.text)) << c.keys;
    EXPECT_TRUE(typist.commands.empty());
}

const TypingCase kTypingCases[] = {
    // Greek driver.
    {"GreekTonos", kKeyboardGreek, "; a", "\xDC"},
    {"GreekDeadKeyDroppedWithoutRow", kKeyboardGreek, "; b", "\xE2"},
    {"GreekDialytika", kKeyboardGreek, "S+; i", "\xFA"},
    {"GreekColonThenSemicolonBoth", kKeyboardGreek, "S+; ; i", "\xC0"},
    {"GreekSemicolonThenColonBoth", kKeyboardGreek, "; S+; y", "\xE0"},
    {"GreekColonTwiceStaysDialytika", kKeyboardGreek, "S+; S+; y", "\xFB"},
    {"GreekSemicolonTwiceStaysTonos", kKeyboardGreek, "; ; o", "\xFC"},
    {"GreekTonosOnCapital", kKeyboardGreek, "; S+a", "\xA2"},
    {"GreekDialytikaOnCapital", kKeyboardGreek, "S+; S+y", "\xDB"},
    {"GreekShiftGivesSmallLetter", kKeyboardGreek, "S+a", "\xE1"},
    {"GreekQuestionMarkFromQ", kKeyboardGreek, "q", ";"},
    {"GreekFinalSigmaFromW", kKeyboardGreek, "w", "\xF2"},
    {"GreekWord", kKeyboardGreek, "k a l h m ; e r a", "\xEA\xE1\xEB\xE7\xEC\xDD\xF1\xE1"},
    {"GreekSemicolonKeyTypesNothing", kKeyboardGreek, "; S+; ;", ""},
    {"GreekDeadKeyUsedOnce", kKeyboardGreek, "; a a", "\xDC\xE1"},
    {"GreekDeadKeyBeforeSpace", kKeyboardGreek, "; space a", " \xE1"},
    {"GreekDeadKeyBeforeDigit", kKeyboardGreek, "; 1 o", "1\xEF"},
    {"GreekDigitsAndPunctuationPass", kKeyboardGreek, "1 S+1 , . '", "1!,.'"},
    {"GreekDialytikaWithoutRow", kKeyboardGreek, "S+; o", "\xEF"},
    {"GreekBackspaceKeepsLetter", kKeyboardGreek, "a bksp b", "\xE1\xE2"},

    // Latin accent driver.
    {"LatinAcute", kKeyboardLatin, "' e", "\xE9"},
    {"LatinAcuteOnCapital", kKeyboardLatin, "' S+e", "\xC9"},
    {"LatinDeadKeyThenSpace", kKeyboardLatin, "' space", " "},
    {"LatinGraveFromShiftedApostrophe", kKeyboardLatin, "S+' a", "\xE0"},
    {"LatinShiftGivesSmallLetter", kKeyboardLatin, "S+a S+b S+z", "abz"},
    {"LatinDeadKeysTypeNothing", kKeyboardLatin, "; S+; ' S+' ` S+` [ S+[ \\ S+\\ x", "x"},
    {"LatinLaterDeadKeyReplacesEarlier", kKeyboardLatin, "' S+` n", "\xF1"},
    {"LatinCircumflex", kKeyboardLatin, "[ e", "\xEA"},
    {"LatinDiaeresis", kKeyboardLatin, "S+[ u S+[ S+y", "\xFC\x9F"},
    {"LatinRing", kKeyboardLatin, "; a", "\xE5"},
    {"LatinLigaturesAndSharpS", kKeyboardLatin, "S+; o S+; S+o S+; S+s", "\x9C\x8C\xDF"},
    {"LatinCedillaAndRawBytes", kKeyboardLatin, "` c ` s ` S+s", "\xE7\x81\x80"},
    {"LatinBackslashKeyUnshiftedIsBar", kKeyboardLatin, "\\ s \\ S+g", "\x9A\x8D"},
    {"LatinBackslashKeyShiftedIsBackslash", kKeyboardLatin, "S+\\ o S+\\ i S+\\ c", "\xF8\x90\xA2"},
    {"LatinDeadKeyBeforeDigit", kKeyboardLatin, "' 1 e", "1e"},
    {"LatinOtherKeysPass", kKeyboardLatin, "1 S+1 ] , .", "1!],."},

    // No translation.
    {"SystemLayoutUntouched", kKeyboardSystem, "; a S+a ' e", ";aA'e"},
    {"UsLayoutUntouched", kKeyboardUs, "; a S+; S+i ' e", ";a:I'e"},
    {"OtherModeUntouched", 4, "; a S+a ' e q", ";aA'eq"},
    {"OtherHighModeUntouched", 200, "S+' a w", "\"aw"},
};

INSTANTIATE_TEST_SUITE_P(Driver, Typing, ::testing::ValuesIn(kTypingCases),
                         [](const ::testing::TestParamInfo<TypingCase>& info) {
                             return std::string(info.param.name);
                         });

struct CommandCase {
    const char* name;
    unsigned char mode;
    const char* keys;
    int command;         // 0: nothing posted
    bool windowSeesKey;  // the key's press reached the focused control
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.name;
}

class CommandKeys : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandKeys, PostOnRelease) {
    const CommandCase& c = GetParam();
    Typist typist;
    typist.mode = c.mode;
    typist.Type(c.keys);
    std::vector<int> expected;
    if (c.command != 0) {
        expected.push_back(c.command);
    }
    EXPECT_EQ(typist.commands, expected);
    EXPECT_EQ(typist.keysSeen.size(), c.windowSeesKey ? 1u : 0u);
    EXPECT_EQ(typist.text, "");
}

const CommandCase kCommandCases[] = {
    {"F2SwitchesForm", kKeyboardGreek, "F2", CMD_SWITCH_FORM, false},
    {"F3NextKeyboard", kKeyboardSystem, "F3", CMD_NEXT_KEYBOARD, false},
    {"F5UserDictionary", kKeyboardLatin, "F5", CMD_USER_DICTIONARY, false},
    {"ShiftF2PassedOn", kKeyboardGreek, "S+F2", 0, true},
    {"CtrlF3PassedOn", kKeyboardGreek, "C+F3", 0, true},
    {"AltF5PassedOn", kKeyboardSystem, "A+F5", 0, true},
    {"CtrlCCopies", kKeyboardGreek, "C+c", CMD_COPY_TRANSLATION, true},
    {"CtrlVLooksUpClipboard", kKeyboardSystem, "C+v", CMD_LOOKUP_CLIPBOARD, true},
    {"CtrlShiftCPostsNothing", kKeyboardGreek, "C+S+c", 0, true},
    {"CtrlAltVPostsNothing", kKeyboardLatin, "C+A+v", 0, true},
    {"CtrlXPostsNothing", kKeyboardGreek, "C+x", 0, true},
    // The dialog never sees Ctrl+Enter, which it would take for Enter (search the word box).
    {"CtrlEnterPastesBack", kKeyboardLatin, "C+enter", CMD_PASTE_BACK, false},
    {"CtrlShiftEnterPassedOn", kKeyboardGreek, "C+S+enter", 0, true},
};

INSTANTIATE_TEST_SUITE_P(Driver, CommandKeys, ::testing::ValuesIn(kCommandCases),
                         [](const ::testing::TestParamInfo<CommandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(KeyboardHook, CtrlCPressReachesControlBeforeTheCommand) {
    KeyboardDriver driver;
    KeyModifiers ctrl{true, false, false};
    HookResult press = KeyboardHookStep(driver, kKeyboardGreek, 0, kVkC, false, ctrl);
    EXPECT_EQ(press.action, HookAction::PassOn);
    HookResult release = KeyboardHookStep(driver, kKeyboardGreek, 0, kVkC, true, ctrl);
    EXPECT_EQ(release.action, HookAction::PostCommand);
    EXPECT_EQ(release.command, CMD_COPY_TRANSLATION);
}

TEST(KeyboardHook, CtrlChordCountsWhenCtrlComesUpBeforeTheKey) {
    KeyModifiers none;
    KeyModifiers ctrl{true, false, false};
    KeyModifiers ctrlShift{true, false, true};
    struct Case {
        const char* name;
        KeyModifiers atPress;
        unsigned pressed;
        unsigned released;
        int command;
    };
    const Case cases[] = {
        {"Ctrl+C, Ctrl up first", ctrl, kVkC, kVkC, CMD_COPY_TRANSLATION},
        {"Ctrl+V, Ctrl up first", ctrl, kVkV, kVkV, CMD_LOOKUP_CLIPBOARD},
        {"Ctrl+Enter, Ctrl up first", ctrl, kVkReturn, kVkReturn, CMD_PASTE_BACK},
        {"plain Enter", none, kVkReturn, kVkReturn, 0},
        {"Ctrl+Shift+C, both up first", ctrlShift, kVkC, kVkC, 0},
        {"plain C", none, kVkC, kVkC, 0},
        {"Ctrl+C press, V released", ctrl, kVkC, kVkV, 0},
    };
    for (const Case& c : cases) {
        KeyboardDriver driver;
        KeyboardHookStep(driver, kKeyboardGreek, 0, c.pressed, false, c.atPress);
        HookResult release = KeyboardHookStep(driver, kKeyboardGreek, 0, c.released, true, none);
        EXPECT_EQ(release.command, c.command) << c.name;
        // The chord is spent: a second release alone posts nothing.
        EXPECT_EQ(KeyboardHookStep(driver, kKeyboardGreek, 0, c.released, true, none).command, 0)
            << c.name;
    }
}

TEST(KeyboardHook, GreekSemicolonReleaseKeepsPendingDeadKey) {
    KeyboardDriver driver;
    KeyModifiers none;
    KeyModifiers shift{false, false, true};
    KeyboardHookStep(driver, kKeyboardGreek, 0, kVkOem1, false, shift);
    ASSERT_EQ(driver.deadKey, ':');
    // Shift let go before the key: a release read as a press would make both accents of it.
    EXPECT_EQ(KeyboardHookStep(driver, kKeyboardGreek, 0, kVkOem1, true, none).action,
              HookAction::Swallow);
    EXPECT_EQ(driver.deadKey, ':');
}

TEST(KeyboardHook, LatinDeadKeyReleaseIsPassedOn) {
    KeyboardDriver driver;
    EXPECT_EQ(KeyboardHookStep(driver, kKeyboardLatin, 0, kVkOem7, false, {}).action,
              HookAction::Swallow);
    EXPECT_EQ(KeyboardHookStep(driver, kKeyboardLatin, 0, kVkOem7, true, {}).action,
              HookAction::PassOn);
    EXPECT_EQ(driver.deadKey, '\'');
}

TEST(KeyboardHook, LookOnlyCallsChangeNothing) {
    for (int code : {-1, kHookCodeNoRemove}) {
        KeyboardDriver driver;
        EXPECT_EQ(KeyboardHookStep(driver, kKeyboardGreek, code, kVkOem1, false, {}).action,
                  HookAction::PassOn);
        EXPECT_EQ(KeyboardHookStep(driver, kKeyboardGreek, code, kVkF3, true, {}).action,
                  HookAction::PassOn);
        EXPECT_EQ(driver.deadKey, 0);
        EXPECT_EQ(
            MessageHookStep(driver, kKeyboardGreek, code, KeyMessage::KeyDown, kVkA, {}).action,
            HookAction::PassOn);
        EXPECT_EQ(driver.replacement, 0);
    }
}

TEST(MessageHook, RewriteNamesTheCodePageOfTheByte) {
    KeyboardDriver driver;
    MessageHookStep(driver, kKeyboardGreek, 0, KeyMessage::KeyDown, kVkA, {});
    HookResult greek = MessageHookStep(driver, kKeyboardGreek, 0, KeyMessage::Char, 'a', {});
    EXPECT_EQ(greek.action, HookAction::RewriteChar);
    EXPECT_EQ(greek.byte, 0xE1);
    EXPECT_EQ(greek.codePage, kCodePageGreek);

    KeyboardHookStep(driver, kKeyboardLatin, 0, kVkOem7, false, {});
    MessageHookStep(driver, kKeyboardLatin, 0, KeyMessage::KeyDown, 'E', {});
    HookResult latin = MessageHookStep(driver, kKeyboardLatin, 0, KeyMessage::Char, 'e', {});
    EXPECT_EQ(latin.action, HookAction::RewriteChar);
    EXPECT_EQ(latin.byte, 0xE9);
    EXPECT_EQ(latin.codePage, kCodePageLatin);
}

TEST(MessageHook, ReplacementLivesUntilNextPrintableKeyDown) {
    KeyboardDriver driver;
    auto step = [&](KeyMessage m, unsigned w, KeyModifiers mods = {}) {
        return MessageHookStep(driver, kKeyboardGreek, 0, m, w, mods);
    };
    step(KeyMessage::KeyDown, kVkA);
    // Keys below 32 (Shift, Backspace) neither set nor clear it, and a control character is
    // never rewritten.
    EXPECT_EQ(step(KeyMessage::KeyDown, kVkShift).action, HookAction::PassOn);
    EXPECT_EQ(step(KeyMessage::Char, 0x08).action, HookAction::PassOn);
    EXPECT_EQ(step(KeyMessage::Char, 'A').byte, 0xE1);
    EXPECT_EQ(step(KeyMessage::Char, 'A').byte, 0xE1);
    // Ctrl passes everything on untouched.
    EXPECT_EQ(step(KeyMessage::KeyDown, 'B', {true, false, false}).action, HookAction::PassOn);
    EXPECT_EQ(step(KeyMessage::Char, 'a').byte, 0xE1);
    // A printable key that is not a letter clears it.
    step(KeyMessage::KeyDown, '1');
    EXPECT_EQ(step(KeyMessage::Char, '1').action, HookAction::Swallow);
}

TEST(MessageHook, OtherMessagesGoOn) {
    KeyboardDriver driver;
    EXPECT_EQ(MessageHookStep(driver, kKeyboardGreek, 0, KeyMessage::Other, 0x100, {}).action,
              HookAction::PassOn);
}

TEST(MessageHook, LatinWideCharacterIsNotCutToAByte) {
    KeyboardDriver driver;
    KeyboardHookStep(driver, kKeyboardLatin, 0, kVkOem7, false, {});
    MessageHookStep(driver, kKeyboardLatin, 0, KeyMessage::KeyDown, 0xDD, {});
    EXPECT_EQ(MessageHookStep(driver, kKeyboardLatin, 0, KeyMessage::Char, 0x20AC, {}).action,
              HookAction::Swallow);
}

// A dead key or letter left pending in one keyboard does not surface after a switch to another,
// however long the user typed in between.
TEST(Driver, KeyboardChangeDropsPendingState) {
    Typist typist;
    typist.mode = kKeyboardGreek;
    typist.Type(";");
    typist.mode = kKeyboardUs;
    typist.Type("h i");
    typist.mode = kKeyboardGreek;
    typist.Type("a");
    typist.Type("S+;");
    typist.mode = kKeyboardLatin;
    typist.Type("a");
    EXPECT_EQ(typist.text,
              "hi\xE1"
              "a");
}

}  // namespace
