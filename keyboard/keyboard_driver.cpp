#include "keyboard/keyboard_driver.h"

namespace {

// Greek letters for the keys A..Z (Windows-1253). Q gives the Greek question mark, which is the
// semicolon; W gives the final sigma.
const unsigned char kGreekLetters[26] = {
    0xE1, 0xE2, 0xF8, 0xE4, 0xE5, 0xF6, 0xE3, 0xE7, 0xE9, 0xEE, 0xEA, 0xEB, 0xEC,  // A..M
    0xED, 0xEF, 0xF0, 0x3B, 0xF1, 0xF3, 0xF4, 0xE8, 0xF9, 0xF2, 0xF7, 0xF5, 0xE6,  // N..Z
};

struct ComposeRow {
    unsigned char typed;
    unsigned char deadKey;
    unsigned char result;
};

// Searched in this order, first match wins. The typed character is what the US layout produced,
// so capitals come from Shift (or Caps Lock).
const ComposeRow kGreekRows[] = {
    // tonos
    {'a', 0x3B, 0xDC},
    {'e', 0x3B, 0xDD},
    {'h', 0x3B, 0xDE},
    {'i', 0x3B, 0xDF},
    {'o', 0x3B, 0xFC},
    {'y', 0x3B, 0xFD},
    {'v', 0x3B, 0xFE},
    {'A', 0x3B, 0xA2},
    {'E', 0x3B, 0xB8},
    {'H', 0x3B, 0xB9},
    {'I', 0x3B, 0xBA},
    {'O', 0x3B, 0xBC},
    {'Y', 0x3B, 0xBE},
    {'V', 0x3B, 0xBF},
    // dialytika
    {'i', 0x3A, 0xFA},
    {'y', 0x3A, 0xFB},
    {'I', 0x3A, 0xDA},
    {'Y', 0x3A, 0xDB},
    // both
    {'i', 0xFF, 0xC0},
    {'y', 0xFF, 0xE0},
};

// Windows-1252 results. The bytes 0x80, 0x81, 0x8D, 0x8E, 0x8F and 0x90 are emitted as they are.
const ComposeRow kLatinRows[] = {
    {'a', '~', 0xE3},  {'o', '~', 0xF5},  {'n', '~', 0xF1},  {'A', '~', 0xC3},  {'O', '~', 0xD5},
    {'N', '~', 0xD1},

    {'c', '`', 0xE7},  {'C', '`', 0xC7},  {'s', '`', 0x81},  {'S', '`', 0x80},

    {'a', '[', 0xE2},  {'e', '[', 0xEA},  {'u', '[', 0xFB},  {'i', '[', 0xEE},  {'o', '[', 0xF4},
    {'A', '[', 0xC2},  {'E', '[', 0xCA},  {'U', '[', 0xDB},  {'I', '[', 0xCE},  {'O', '[', 0xD4},

    {'e', '{', 0xEB},  {'y', '{', 0xFF},  {'u', '{', 0xFC},  {'i', '{', 0xEF},  {'o', '{', 0xF6},
    {'a', '{', 0xE4},  {'E', '{', 0xCB},  {'Y', '{', 0x9F},  {'U', '{', 0xDC},  {'I', '{', 0xCF},
    {'O', '{', 0xD6},  {'A', '{', 0xC4},

    {'a', ';', 0xE5},  {'A', ';', 0xC5},

    {'e', '\'', 0xE9}, {'y', '\'', 0xFD}, {'u', '\'', 0xFA}, {'i', '\'', 0xED}, {'o', '\'', 0xF3},
    {'a', '\'', 0xE1}, {'E', '\'', 0xC9}, {'Y', '\'', 0xDD}, {'U', '\'', 0xDA}, {'I', '\'', 0xCD},
    {'O', '\'', 0xD3}, {'A', '\'', 0xC1},

    {'a', ':', 0xE6},  {'o', ':', 0x9C},  {'s', ':', 0xDF},  {'A', ':', 0xC6},  {'O', ':', 0x8C},
    {'S', ':', 0xDF},

    {'e', '"', 0xE8},  {'u', '"', 0xF9},  {'i', '"', 0xEC},  {'o', '"', 0xF2},  {'a', '"', 0xE0},
    {'E', '"', 0xC8},  {'U', '"', 0xD9},  {'I', '"', 0xCC},  {'O', '"', 0xD2},  {'A', '"', 0xC0},

    {'s', '|', 0x9A},  {'S', '|', 0x8A},  {'g', '|', 0x8E},  {'G', '|', 0x8D},

    {'i', '\\', 0x90}, {'I', '\\', 0x8F}, {'o', '\\', 0xF8}, {'O', '\\', 0xD8}, {'c', '\\', 0xA2},
};

static_assert(sizeof(kGreekRows) / sizeof(kGreekRows[0]) == 20, "Greek composition rows");
static_assert(sizeof(kLatinRows) / sizeof(kLatinRows[0]) == 71, "Latin composition rows");

template <unsigned N>
unsigned char FindRow(const ComposeRow (&rows)[N], unsigned typed, int deadKey) {
    for (const ComposeRow& row : rows) {
        if (row.typed == typed && row.deadKey == deadKey) {
            return row.result;
        }
    }
    return 0;
}

// The Latin driver's dead keys, unshifted and shifted. The backslash key gives the vertical bar
// unshifted and the backslash shifted, the opposite of its legends.
int LatinDeadKey(unsigned virtualKey, bool shifted) {
    switch (virtualKey) {
        case kVkOem1:
            return shifted ? ':' : ';';
        case kVkOem3:
            return shifted ? '~' : '`';
        case kVkOem4:
            return shifted ? '{' : '[';
        case kVkOem5:
            return shifted ? '\\' : '|';
        case kVkOem7:
            return shifted ? '"' : '\'';
        default:
            return 0;
    }
}

// Both accents: tonos over dialytika, typed as colon then semicolon or the other way round.
constexpr int kDeadKeyBoth = 0xFF;

int NextGreekDeadKey(int deadKey, bool shifted) {
    if ((deadKey == ':' && !shifted) || (deadKey == ';' && shifted)) {
        return kDeadKeyBoth;
    }
    return shifted ? ':' : ';';
}

void FollowMode(KeyboardDriver& driver, unsigned char keyboardMode) {
    if (driver.mode != keyboardMode) {
        driver.deadKey = 0;
        driver.replacement = 0;
        driver.mode = keyboardMode;
    }
}

HookResult Result(HookAction action) {
    HookResult result;
    result.action = action;
    return result;
}

HookResult Command(int command) {
    HookResult result;
    result.action = HookAction::PostCommand;
    result.command = command;
    return result;
}

int CommandForFunctionKey(unsigned virtualKey) {
    switch (virtualKey) {
        case kVkF2:
            return CMD_SWITCH_FORM;
        case kVkF3:
            return CMD_NEXT_KEYBOARD;
        case kVkF5:
            return CMD_USER_DICTIONARY;
        default:
            return 0;
    }
}

void Compose(KeyboardDriver& driver, unsigned char keyboardMode, unsigned typed) {
    if (keyboardMode == kKeyboardGreek) {
        unsigned char composed = ComposeGreek(typed, driver.deadKey);
        if (composed != 0) {
            driver.replacement = composed;
        }
    } else if (keyboardMode == kKeyboardLatin) {
        // A character beyond one byte cannot be rewritten into a byte; it goes through as typed.
        driver.replacement = typed <= 0xFF ? static_cast<int>(typed) : 0;
        unsigned char composed = ComposeLatin(typed, driver.deadKey);
        if (composed != 0) {
            driver.replacement = composed;
        }
    }
    driver.deadKey = 0;
}

}  // namespace

unsigned char GreekLetterForKey(unsigned virtualKey) {
    if (virtualKey < kVkA || virtualKey > kVkZ) {
        return 0;
    }
    return kGreekLetters[virtualKey - kVkA];
}

unsigned char ComposeGreek(unsigned typed, int deadKey) {
    return FindRow(kGreekRows, typed, deadKey);
}

unsigned char ComposeLatin(unsigned typed, int deadKey) {
    return FindRow(kLatinRows, typed, deadKey);
}

HookResult KeyboardHookStep(KeyboardDriver& driver, unsigned char keyboardMode, int code,
                            unsigned virtualKey, bool released, KeyModifiers modifiers) {
    if (code < 0 || code == kHookCodeNoRemove) {
        return Result(HookAction::PassOn);
    }
    FollowMode(driver, keyboardMode);

    // The function keys are ours alone: the window never sees them, and the command comes with
    // the release so that holding the key does not repeat it.
    int functionCommand = CommandForFunctionKey(virtualKey);
    if (functionCommand != 0 && !modifiers.ctrl && !modifiers.alt && !modifiers.shift) {
        return released ? Command(functionCommand) : Result(HookAction::Swallow);
    }

    // Ctrl+C and Ctrl+V: the focused control still gets the press (so an edit box copies or
    // pastes as usual); the release becomes the dialog's command.
    bool ctrlAlone = modifiers.ctrl && !modifiers.shift && !modifiers.alt;
    if (virtualKey == kVkC || virtualKey == kVkV) {
        if (!released) {
            driver.ctrlChordKey = ctrlAlone ? virtualKey : 0;
        } else if (ctrlAlone || driver.ctrlChordKey == virtualKey) {
            driver.ctrlChordKey = 0;
            return Command(virtualKey == kVkC ? CMD_COPY_TRANSLATION : CMD_LOOKUP_CLIPBOARD);
        }
    }

    // Ctrl+Enter pastes a translation back. Unlike Ctrl+C, the press is swallowed too: the dialog
    // would take it for Enter and search the word box.
    if (virtualKey == kVkReturn) {
        if (!released && ctrlAlone) {
            driver.ctrlChordKey = kVkReturn;
            return Result(HookAction::Swallow);
        }
        if (released && (ctrlAlone || driver.ctrlChordKey == kVkReturn)) {
            driver.ctrlChordKey = 0;
            return Command(CMD_PASTE_BACK);
        }
    }

    if (modifiers.ctrl || modifiers.alt) {
        return Result(HookAction::PassOn);
    }
    bool shifted = modifiers.shift;
    if (keyboardMode == kKeyboardGreek && virtualKey == kVkOem1) {
        if (!released) {
            driver.deadKey = NextGreekDeadKey(driver.deadKey, shifted);
        }
        return Result(HookAction::Swallow);
    }
    if (keyboardMode == kKeyboardLatin && !released) {
        int deadKey = LatinDeadKey(virtualKey, shifted);
        if (deadKey != 0) {
            driver.deadKey = deadKey;
            return Result(HookAction::Swallow);
        }
    }
    return Result(HookAction::PassOn);
}

HookResult MessageHookStep(KeyboardDriver& driver, unsigned char keyboardMode, int code,
                           KeyMessage message, unsigned wParam, KeyModifiers modifiers) {
    if (code < 0 || code == kHookCodeNoRemove) {
        return Result(HookAction::PassOn);
    }
    FollowMode(driver, keyboardMode);
    if (keyboardMode <= kKeyboardUs || modifiers.ctrl || modifiers.alt || wParam < 32) {
        return Result(HookAction::PassOn);
    }

    switch (message) {
        case KeyMessage::KeyDown: {
            driver.replacement = 0;
            if (wParam >= kVkA && wParam <= kVkZ) {
                if (keyboardMode == kKeyboardGreek) {
                    driver.replacement = GreekLetterForKey(wParam);
                } else if (keyboardMode == kKeyboardLatin) {
                    driver.replacement = static_cast<int>(wParam) + 32;
                }
            }
            if (driver.replacement == ':') {
                driver.replacement = ';';
            }
            return Result(HookAction::Swallow);
        }
        case KeyMessage::KeyUp:
            return Result(HookAction::Swallow);
        case KeyMessage::Char: {
            if (driver.deadKey != 0) {
                Compose(driver, keyboardMode, wParam);
            }
            if (driver.replacement == 0) {
                return Result(HookAction::Swallow);
            }
            HookResult result;
            result.action = HookAction::RewriteChar;
            result.byte = static_cast<unsigned char>(driver.replacement);
            result.codePage = keyboardMode == kKeyboardGreek ? kCodePageGreek : kCodePageLatin;
            return result;
        }
        case KeyMessage::Other:
            break;
    }
    // Messages the driver has no business with go on to any other hook in the chain.
    return Result(HookAction::PassOn);
}
