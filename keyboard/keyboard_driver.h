// The internal Greek and Latin-accent keyboard driver, as a state machine fed with the key events
// that the program's two keyboard hooks see. It holds no Windows types: the hooks translate their
// arguments into the calls below and carry out the HookResult that comes back.
//
// How the WH_KEYBOARD hook feeds it (code, wParam = virtual key, lParam bit 31 = release):
//
//     KeyModifiers mods = {Counts(VK_CONTROL), Counts(VK_MENU), Counts(VK_SHIFT)};
//     // Counts(vk): (GetAsyncKeyState(vk) & 0x8001) != 0
//     HookResult r = KeyboardHookStep(driver, CurrentKeyboard.mode, code, (unsigned)wParam,
//                                     (lParam & 0x80000000) != 0, mods);
//     PassOn      -> return CallNextHookEx(hook, code, wParam, lParam);
//     Swallow     -> return 1;
//     PostCommand -> PostMessage(commandTarget, WM_COMMAND, r.command, 0); return 1;
//
// How the WH_GETMESSAGE hook feeds it (lParam = the MSG about to be returned):
//
//     KeyMessage kind = WM_KEYDOWN -> KeyMessage::KeyDown, WM_KEYUP -> KeyUp, WM_CHAR -> Char,
//                       anything else -> Other;
//     HookResult r = MessageHookStep(driver, CurrentKeyboard.mode, code, kind,
//                                    (unsigned)msg->wParam, mods);
//     PassOn      -> return CallNextHookEx(hook, code, wParam, lParam);
//     Swallow     -> return 1;   // the message itself still goes to its window
//     RewriteChar -> msg->wParam = the Unicode character of r.byte in code page r.codePage;
//                    return 1;
//
// Both hooks must use the same KeyboardDriver; it is the driver's process-wide state.
#pragma once

#include "resources/resource_ids.h"

// Keyboard modes (the value of KeyboardMode). Every nonzero mode other than the Greek and the
// Latin driver means the US layout without translation.
constexpr unsigned char kKeyboardSystem = 0;
constexpr unsigned char kKeyboardUs = 1;
constexpr unsigned char kKeyboardGreek = 2;
constexpr unsigned char kKeyboardLatin = 8;

// Virtual-key codes the driver looks at; the values are those of Windows' VK_ constants.
constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkShift = 0x10;
constexpr unsigned kVkControl = 0x11;
constexpr unsigned kVkMenu = 0x12;
constexpr unsigned kVkSpace = 0x20;
constexpr unsigned kVkA = 0x41;
constexpr unsigned kVkC = 0x43;
constexpr unsigned kVkV = 0x56;
constexpr unsigned kVkZ = 0x5A;
constexpr unsigned kVkF2 = 0x71;
constexpr unsigned kVkF3 = 0x72;
constexpr unsigned kVkF5 = 0x74;
constexpr unsigned kVkOem1 = 0xBA;  // ; and :
constexpr unsigned kVkOem3 = 0xC0;  // ` and ~
constexpr unsigned kVkOem4 = 0xDB;  // [ and {
constexpr unsigned kVkOem5 = 0xDC;  // \ and |
constexpr unsigned kVkOem7 = 0xDE;  // ' and "

// Hook codes that are not a real event to act on (the message is only being looked at).
constexpr int kHookCodeNoRemove = 3;

// Code pages of the bytes the driver writes.
constexpr int kCodePageGreek = 1253;
constexpr int kCodePageLatin = 1252;

// A modifier "counts" when it is down now or was pressed since the previous query.
struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

enum class KeyMessage { KeyDown, KeyUp, Char, Other };

enum class HookAction {
    PassOn,       // call the next hook and return its result
    Swallow,      // return 1 without calling the next hook
    PostCommand,  // post WM_COMMAND `command` to the command target, then as Swallow
    RewriteChar,  // write `byte` (in `codePage`) into the WM_CHAR message, then as Swallow
};

struct HookResult {
    HookAction action = HookAction::PassOn;
    int command = 0;
    unsigned char byte = 0;
    int codePage = 0;
};

struct KeyboardDriver {
    // 0, or the pending dead key: 0x3B, 0x3A or 0xFF (both accents) in Greek mode; one of
    // ` ~ [ { ; : ' " | \ in Latin mode.
    int deadKey = 0;
    // 0, or the byte that replaces the character of the next WM_CHAR.
    int replacement = 0;
    // C, V or Enter pressed with Ctrl alone, until its release: the command follows that release
    // even when Ctrl came up first, as it often does.
    unsigned ctrlChordKey = 0;
    // The keyboard mode the two values above belong to. A dead key or letter pending from one
    // keyboard must not turn up in the text typed after the user switched to another.
    unsigned char mode = 0;
};

// One call of the WH_KEYBOARD hook: command keys and the driver's dead keys.
HookResult KeyboardHookStep(KeyboardDriver& driver, unsigned char keyboardMode, int code,
                            unsigned virtualKey, bool released, KeyModifiers modifiers);

// One call of the WH_GETMESSAGE hook: the character of the key press and its composition with a
// pending dead key. wParam is the message's wParam (virtual key or typed character).
HookResult MessageHookStep(KeyboardDriver& driver, unsigned char keyboardMode, int code,
                           KeyMessage message, unsigned wParam, KeyModifiers modifiers);

// The Windows-1253 byte of a letter key A..Z in the Greek driver; 0 for any other key.
unsigned char GreekLetterForKey(unsigned virtualKey);

// The composed byte for a typed character after a dead key; 0 when the tables have no row.
unsigned char ComposeGreek(unsigned typed, int deadKey);
unsigned char ComposeLatin(unsigned typed, int deadKey);
