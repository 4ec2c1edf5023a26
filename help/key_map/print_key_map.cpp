// Prints what the program's own keyboard driver gives for each key a user can press, so that the
// help's keyboard pictures are drawn from the driver itself and never from a copy of its tables.
//
// Every line is: the driver ("greek" or "latin"), a tab, the keys pressed as the US layout
// types them (separated by spaces; a capital means the key with Shift), a tab, the byte the
// driver writes, in hexadecimal (Windows-1253 for Greek, Windows-1252 for Latin).
//
//   greek letter  one letter key alone
//   greek accent / latin accent  a dead key (or two) followed by a letter
//
// Only accented results (bytes above ASCII) are printed as accents.
#include <cstdio>
#include <string>
#include <vector>

#include "keyboard/keyboard_driver.h"

namespace {

struct UsKey {
    char plain;
    char shifted;
    unsigned virtualKey;
};

// The keys of the US layout the driver looks at, with the characters they type.
const UsKey kPunctuationKeys[] = {
    {';', ':', kVkOem1},  {'`', '~', kVkOem3},  {'[', '{', kVkOem4},
    {'\\', '|', kVkOem5}, {'\'', '"', kVkOem7},
};

bool FindKey(char typed, UsKey& key) {
    if (typed >= 'a' && typed <= 'z') {
        key = {typed, static_cast<char>(typed - 32), kVkA + static_cast<unsigned>(typed - 'a')};
        return true;
    }
    if (typed >= 'A' && typed <= 'Z') {
        key = {static_cast<char>(typed + 32), typed, kVkA + static_cast<unsigned>(typed - 'A')};
        return true;
    }
    for (const UsKey& punctuation : kPunctuationKeys) {
        if (punctuation.plain == typed || punctuation.shifted == typed) {
            key = punctuation;
            return true;
        }
    }
    return false;
}

// Types the characters as key presses through both hooks, the way Windows delivers them to the
// lookup window, and returns the last character the window receives (0 when it gets none).
unsigned char Type(unsigned char mode, const std::string& typed) {
    KeyboardDriver driver;
    unsigned char received = 0;
    for (char c : typed) {
        UsKey key{};
        if (!FindKey(c, key)) {
            return 0;
        }
        KeyModifiers modifiers;
        modifiers.shift = c == key.shifted;
        received = 0;
        HookResult press = KeyboardHookStep(driver, mode, 0, key.virtualKey, false, modifiers);
        if (press.action == HookAction::PassOn) {
            MessageHookStep(driver, mode, 0, KeyMessage::KeyDown, key.virtualKey, modifiers);
            HookResult character = MessageHookStep(driver, mode, 0, KeyMessage::Char,
                                                   static_cast<unsigned char>(c), modifiers);
            if (character.action == HookAction::RewriteChar) {
                received = character.byte;
            } else if (character.action == HookAction::PassOn) {
                received = static_cast<unsigned char>(c);
            }
        }
        HookResult release = KeyboardHookStep(driver, mode, 0, key.virtualKey, true, modifiers);
        if (release.action == HookAction::PassOn) {
            MessageHookStep(driver, mode, 0, KeyMessage::KeyUp, key.virtualKey, modifiers);
        }
    }
    return received;
}

void Print(const char* driverName, const char* kind, const std::string& keys, unsigned char b) {
    std::string spaced;
    for (char c : keys) {
        if (!spaced.empty()) {
            spaced += ' ';
        }
        spaced += c;
    }
    std::printf("%s %s\t%s\t%02X\n", driverName, kind, spaced.c_str(), b);
}

void PrintAccents(const char* driverName, unsigned char mode,
                  const std::vector<std::string>& deadKeys) {
    for (const std::string& dead : deadKeys) {
        for (char letter = 'A'; letter <= 'z'; ++letter) {
            if (letter > 'Z' && letter < 'a') {
                continue;
            }
            std::string plain(1, letter);
            unsigned char accented = Type(mode, dead + plain);
            // Letters that merely keep their case after a dead key are not accents.
            if (accented >= 0x80 && accented != Type(mode, plain)) {
                Print(driverName, "accent", dead + plain, accented);
            }
        }
    }
}

}  // namespace

int main() {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        Print("greek", "letter", std::string(1, letter),
              Type(kKeyboardGreek, std::string(1, letter)));
    }
    PrintAccents("greek", kKeyboardGreek, {";", ":", ":;"});
    PrintAccents("latin", kKeyboardLatin, {"`", "~", "[", "{", ";", ":", "'", "\"", "\\", "|"});
    return 0;
}
