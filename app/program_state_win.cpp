#include "app/program_state_win.h"

#include "dialogs/information_win.h"
#include "keyboard/hot_key_win.h"
#include "resources/resource_ids.h"

ProgramState& Program() {
    static ProgramState state;
    return state;
}

InterfaceLanguage ProgramLanguage(const ProgramState& program) {
    InterfaceLanguage language;
    language.instance = program.instance;
    language.textsFile = program.textsFile;
    language.greek = program.settings.UseGreek != 0;
    return language;
}

bool TakeHotKey(ProgramState& program, HWND owner) {
    HotKeyRegistration result = RegisterLookupHotKey(program.mainWindow, program.settings);
    program.hotKeyRegistered = result == HotKeyRegistration::Registered;
    if (result == HotKeyRegistration::Failed && owner != nullptr) {
        ShowInformation(owner, IDS_HOTKEY_IN_USE, ProgramLanguage(program));
    }
    return program.hotKeyRegistered;
}

void GiveBackHotKey(ProgramState& program) {
    if (program.hotKeyRegistered) {
        UnregisterLookupHotKey(program.mainWindow);
    }
    program.hotKeyRegistered = false;
}
