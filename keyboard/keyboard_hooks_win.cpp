#include "keyboard/keyboard_hooks_win.h"

#include "keyboard/keyboard_driver.h"
#include "keyboard/keyboard_selection.h"

namespace {

// The driver's process-wide state: both hooks work on the same dead key and replacement.
struct KeyboardHooks {
    KeyboardDriver driver;
    HHOOK keyboardHook = nullptr;
    HHOOK messageHook = nullptr;
    HWND commandTarget = nullptr;
};

KeyboardHooks& Hooks() {
    static KeyboardHooks hooks;
    return hooks;
}

// Held as of the key message being handled, in the order the thread takes its messages. The
// asynchronous state would be read too late: a quick Ctrl+C is often released altogether before
// the hook sees the release of C, and Ctrl would no longer count for it.
bool Counts(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

KeyModifiers CurrentModifiers() {
    return KeyModifiers{Counts(VK_CONTROL), Counts(VK_MENU), Counts(VK_SHIFT)};
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    KeyboardHooks& hooks = Hooks();
    bool released = (static_cast<DWORD>(lParam) & 0x80000000u) != 0;
    HookResult result =
        KeyboardHookStep(hooks.driver, CurrentKeyboard.mode, code, static_cast<unsigned>(wParam),
                         released, code >= 0 ? CurrentModifiers() : KeyModifiers{});
    switch (result.action) {
        case HookAction::PassOn:
        case HookAction::RewriteChar:
            break;
        case HookAction::PostCommand:
            if (hooks.commandTarget != nullptr) {
                PostMessageW(hooks.commandTarget, WM_COMMAND, result.command, 0);
            }
            return 1;
        case HookAction::Swallow:
            return 1;
    }
    return CallNextHookEx(hooks.keyboardHook, code, wParam, lParam);
}

KeyMessage KindOf(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
            return KeyMessage::KeyDown;
        case WM_KEYUP:
            return KeyMessage::KeyUp;
        case WM_CHAR:
            return KeyMessage::Char;
        default:
            return KeyMessage::Other;
    }
}

LRESULT CALLBACK MessageHookProc(int code, WPARAM removed, LPARAM lParam) {
    KeyboardHooks& hooks = Hooks();
    MSG* message = reinterpret_cast<MSG*>(lParam);
    // A message only peeked at comes again when it is taken: acting on it twice would compose
    // the dead key with the wrong character.
    int stepCode = (code >= 0 && (removed & PM_REMOVE) == 0) ? kHookCodeNoRemove : code;
    HookResult result;
    if (code >= 0) {
        KeyMessage kind = KindOf(message->message);
        // Only the key messages cost a look at the modifiers.
        KeyModifiers modifiers = kind == KeyMessage::Other ? KeyModifiers{} : CurrentModifiers();
        result = MessageHookStep(hooks.driver, CurrentKeyboard.mode, stepCode, kind,
                                 static_cast<unsigned>(message->wParam), modifiers);
    }
    switch (result.action) {
        case HookAction::PassOn:
            return CallNextHookEx(hooks.messageHook, code, removed, lParam);
        case HookAction::RewriteChar:
            message->wParam = DriverCharacter(result.byte, result.codePage);
            return 1;
        case HookAction::PostCommand:
        case HookAction::Swallow:
            return 1;
    }
    return 1;
}

}  // namespace

bool InstallKeyboardHooks(HWND commandTarget) {
    KeyboardHooks& hooks = Hooks();
    hooks.commandTarget = commandTarget;
    DWORD thread = GetCurrentThreadId();
    if (hooks.keyboardHook == nullptr) {
        hooks.keyboardHook = SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, nullptr, thread);
    }
    if (hooks.messageHook == nullptr) {
        hooks.messageHook = SetWindowsHookExW(WH_GETMESSAGE, MessageHookProc, nullptr, thread);
    }
    return hooks.keyboardHook != nullptr && hooks.messageHook != nullptr;
}

void RemoveKeyboardHooks() {
    KeyboardHooks& hooks = Hooks();
    if (hooks.keyboardHook != nullptr) {
        UnhookWindowsHookEx(hooks.keyboardHook);
    }
    if (hooks.messageHook != nullptr) {
        UnhookWindowsHookEx(hooks.messageHook);
    }
    hooks.keyboardHook = nullptr;
    hooks.messageHook = nullptr;
}

void SetKeyboardCommandTarget(HWND commandTarget) {
    Hooks().commandTarget = commandTarget;
}

HWND KeyboardCommandTarget() {
    return Hooks().commandTarget;
}

wchar_t DriverCharacter(unsigned char byte, int codePage) {
    char in = static_cast<char>(byte);
    wchar_t out = 0;
    if (MultiByteToWideChar(codePage, 0, &in, 1, &out, 1) != 1) {
        // A byte the code page leaves undefined keeps its value.
        return static_cast<wchar_t>(byte);
    }
    return out;
}
