// The process-wide state of the Windows program: the windows, flags, paths, fonts and the
// engine that the main window creates at start-up and releases at shutdown. Everything runs on
// the one thread that owns the main window, so no locking.
#pragma once

#include <windows.h>

#include <string>

#include "settings/interface_texts_win.h"
#include "ui/clipboard_win.h"
#include "settings/settings.h"
#include "engine/catalogue.h"
#include "engine/dictionary.h"
#include "engine/guesses.h"

struct ProgramState {
    HINSTANCE instance = nullptr;

    HWND mainWindow = nullptr;
    HWND lookupWindow = nullptr;  // the open lookup dialog, or none
    bool hotKeyRegistered = false;
    bool dialogLoopRunning = false;  // never cleared once set
    bool firstSizeSeen = false;
    bool lookupOpened = false;     // the start has opened the lookup window
    bool mainWindowShown = false;  // its task-bar button has been shown once
    bool shutDown = false;         // the shutdown sequence has run; it never runs twice
    HWND captureSourceWindow = nullptr;
    // What the clipboard held before the copy or paste keystrokes, until it is given back.
    ClipboardSnapshot heldClipboard;
    // The window of the last hot-key lookup, where Ctrl+Enter pastes a translation back, and
    // whether it answered only Ctrl+C (so the paste starts with Ctrl+V).
    HWND pasteTarget = nullptr;
    bool pasteTargetNeedsCtrlV = false;
    // The translation being pasted back, rendered when the target asks the clipboard for it.
    std::string pasteText;

    char programDir[361] = {};
    char textsFile[400] = {};
    short tipCount = 0;
    short todayTip = 0;
    short currentTip = 0;
    bool tipsAtStart = true;  // cleared the first time the tip of the day is asked for

    char appTitle[40] = {};
    HICON appIcon = nullptr;
    HBITMAP balloonSaveBitmap = nullptr;
    HFONT balloonFont = nullptr;
    HFONT greekFont = nullptr;
    HFONT latinFont = nullptr;
    HFONT smallGreekFont = nullptr;

    Settings settings;
    // The interface texts of the string table and the texts file, for the engine and the views.
    WinInterfaceTexts texts;
    // About 62 KB with its two read buffers; lives in static storage, never on a stack.
    Engine engine;
    // The guesses for a word that is no headword, the engine's from the start.
    Guesser guesser;
    // The dictionaries the lookup dialog offers; built again at each opening of the dialog.
    Catalogue catalogue;
};

// The one instance, owned by the main window from WM_CREATE to the end of its shutdown. Only
// the main window and the lookup dialog use it; the dialogs and the Win32 helpers get what they
// need as arguments.
ProgramState& Program();

// The interface language in force, for the helpers that show texts.
InterfaceLanguage ProgramLanguage(const ProgramState& program);

// The lookup hot key of the HotKey settings, registered on the main window (nothing when the
// settings turn it off), and given back: around every secondary dialog and at the end. A key
// another program holds shows message 14508 over owner when one is given (after a secondary
// dialog); at start it is only stored.
bool TakeHotKey(ProgramState& program, HWND owner);
void GiveBackHotKey(ProgramState& program);
