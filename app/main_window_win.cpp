#include "app/main_window_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "dialogs/information_win.h"
#include "engine/guesses.h"
#include "engine/word_forms.h"
#include "app/program_state_win.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "ui/sound_win.h"
#include "keyboard/copy_playback_win.h"
#include "resources/resource_ids.h"
#include "ui/forms.h"
#include "ui/forms_win.h"
#include "app/lookup_dialog_win.h"
#include "ui/stored_text_win.h"
#include "ui/word_box_font_win.h"
#include "userdict/user_dict_file.h"

namespace {

constexpr int kBalloonSaveSize = 400;
constexpr int kBalloonPoints = 10;
constexpr int kSmallGreekPoints = 9;
// "Βορδμέρ" in Windows-1253.
constexpr char kGreekAppTitle[] = "\xC2\xEF\xF1\xE4\xEC\xDD\xF1";

constexpr wchar_t kMainWindowClassW[] = L"Vocabre:Main";

RegistryStore& SettingsRegistry() {
    return *ProcessSettingsStorage().registry;
}

int16_t ReadStateNumber(const char* name) {
    return static_cast<int16_t>(ReadSettingNumber(SettingsRegistry(), kStateKey, name));
}

// A second start: bring the running instance's lookup window forward instead.
void HandOverTo(HWND running) {
    ShowWindow(running, SW_HIDE);
    if (static_cast<uint8_t>(ReadStateNumber("TaskBarIcon")) == 0) {
        if (IsIconic(running)) {
            ShowWindow(running, SW_RESTORE);
        }
        ShowWindow(running, SW_SHOW);
    }
    HWND popup = GetLastActivePopup(running);
    ShowWindow(popup, SW_SHOW);
    ShowWindow(popup, SW_RESTORE);
    SetForegroundWindow(popup);
}

// A word font. A system without an installed "Arial" still gets a font of the size and
// character set, chosen by the font mapper.
HFONT MakeProgramFont(HWND window, int points, BYTE charSet) {
    HFONT font = CreateFontByName(window, nullptr, "Arial", points, kAnyFontType, charSet);
    if (font) {
        return font;
    }
    HDC dc = GetDC(window);
    int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

void DeleteFontHandle(HFONT& font) {
    if (font) {
        DeleteObject(font);
    }
    font = nullptr;
}

// The dictionaries, texts and help live beside the executable, whatever the current directory:
// a start from a command prompt elsewhere, from a shortcut without a working folder or from a
// file manager finds them all the same. The files are named with 8-bit paths, so a directory
// the system code page cannot spell, or one longer than the program's buffer, names nothing.
bool FindProgramDirectory(HINSTANCE instance, char* dir, size_t size) {
    std::wstring path(32768, L'\0');
    DWORD length = GetModuleFileNameW(instance, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        return false;
    }
    path.resize(length);
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return false;
    }
    path.resize(slash);
    BOOL lossy = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(),
                                    static_cast<int>(path.size()), dir, static_cast<int>(size) - 1,
                                    nullptr, &lossy);
    if (path.empty() || bytes <= 0 || lossy) {
        return false;
    }
    dir[bytes] = '\0';
    return true;
}

LRESULT StartUp(HWND window) {
    ProgramState& program = Program();
    HDC dc = GetDC(window);
    program.balloonSaveBitmap = CreateCompatibleBitmap(dc, kBalloonSaveSize, kBalloonSaveSize);
    ReleaseDC(window, dc);

    const SettingsStorage& storage = ProcessSettingsStorage();
    EnsureSettingsKeys(*storage.registry);

    if (program.programDir[0] == '\0') {
        ShowInformation(nullptr, IDS_CANT_OPEN_FILES, ProgramLanguage(program));
        PostQuitMessage(0);
        return 0;
    }
    snprintf(program.textsFile, sizeof program.textsFile, "%s\\vbrtexts.res", program.programDir);
    program.guesser.SetFormLemmas(
        WordFormsLemmas(std::string(program.programDir) + "\\" + kWordFormsFileName));
    program.engine.guesser = &program.guesser;

    WinProfileFile texts(program.textsFile);
    TipCounters tips = ReadTipCounters(texts, storage.history);
    program.tipCount = tips.TipCount;
    program.todayTip = tips.TodayTip;
    program.currentTip = program.todayTip;

    program.dialogLoopRunning = false;
    LoadSettings(program.settings, storage, nullptr);
    program.texts = WinInterfaceTexts(program.instance, program.textsFile);
    program.engine.texts = &program.texts;
    if (ChooseProcessSettingsStorage(program.programDir) == SettingsPlace::kUserFallback) {
        ShowInformation(nullptr, IDS_PORTABLE_FOLDER_READ_ONLY, ProgramLanguage(program));
    }
    // Searches consult the user's own words (when UseUserDict is on) through these hooks.
    InstallUserDictHooks(program.engine);

    int wordPoints = program.settings.UseLargeFont ? kLargeWordPoints : kWordPoints;
    program.balloonFont = MakeProgramFont(window, kBalloonPoints, GREEK_CHARSET);
    program.greekFont = MakeProgramFont(window, wordPoints, GREEK_CHARSET);
    program.latinFont = MakeProgramFont(window, wordPoints, DEFAULT_CHARSET);
    program.smallGreekFont = MakeProgramFont(window, kSmallGreekPoints, GREEK_CHARSET);

    if (program.settings.UseGreek) {
        snprintf(program.appTitle, sizeof program.appTitle, "%s", kGreekAppTitle);
        SetStoredWindowText(window, program.appTitle);
    }
    // The lookup window opens as soon as the main window is created: nothing else has to happen
    // first (its task-bar button follows the lookup window's first results), and a timer would
    // hold back the whole start by its own delay.
    PostMessageW(window, MSG_OPEN_LOOKUP_WINDOW, 0, 0);
    return 0;
}

// Runs at most once: a close that arrives while the lookup dialog is still open ends the dialog
// first (see WM_CLOSE), and the close the dialog loop posts afterwards finds nothing left to do.
void ShutDown() {
    ProgramState& program = Program();
    if (program.shutDown) {
        return;
    }
    program.shutDown = true;
    CancelCopyPlayback();
    AdvanceTodayTip(ProcessSettingsStorage().history,
                    TipCounters{program.tipCount, program.todayTip});
    if (program.balloonSaveBitmap) {
        DeleteObject(program.balloonSaveBitmap);
    }
    program.balloonSaveBitmap = nullptr;
    DeleteFontHandle(program.balloonFont);
    DeleteFontHandle(program.greekFont);
    DeleteFontHandle(program.latinFont);
    CloseLookupDictionaries(program);
    DeleteFontHandle(program.smallGreekFont);
    FreeResourceSound();
}

// The form the stored settings ask for, read afresh before each run of the dialog.
int LookupTemplate() {
    return LookupFormTemplate(ReadStateNumber("FormType"), ReadStateNumber("DialogState"));
}

// The main window is only a task-bar button, minimized, unless the notification icon stands in
// for it.
void ShowMainWindow() {
    ProgramState& program = Program();
    bool trayOnly = static_cast<uint8_t>(ReadStateNumber("TaskBarIcon")) != 0;
    HWND window = program.mainWindow;
    if (trayOnly) {
        ShowWindow(window, SW_HIDE);
    } else if (IsIconic(window) || IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOW);
    } else {
        // Its first showing, behind the lookup window, which keeps the focus.
        ShowWindow(window, SW_SHOWMINNOACTIVE);
    }
    program.mainWindowShown = true;
}

LRESULT OnSize(WPARAM kind) {
    ProgramState& program = Program();
    if (!program.firstSizeSeen) {
        program.firstSizeSeen = true;
        return 1;
    }
    if (kind != SIZE_RESTORED && kind != SIZE_MAXIMIZED) {
        return 1;
    }
    if (program.lookupWindow) {
        ShowWindow(program.lookupWindow, SW_RESTORE);
        ShowWindow(program.lookupWindow, SW_SHOW);
        return 1;
    }
    if (program.dialogLoopRunning) {
        return 0;
    }
    program.dialogLoopRunning = true;
    for (;;) {
        // The first run leaves the task-bar button until the dialog holds its first results.
        if (program.mainWindowShown) {
            ShowMainWindow();
        }
        int templateId = LookupTemplate();
        if (templateId == 0 || program.shutDown) {
            break;
        }
        if (ShowLookupDialog(program.mainWindow, templateId) != 1) {
            break;
        }
    }
    PostMessageW(program.mainWindow, WM_CLOSE, 0, 0);
    return 0;
}

// WM_HOTKEY: hides the lookup window when it is active; otherwise brings it forward, first
// copying the selection of the program in front when the clipboard option is on (the copy
// keystrokes post 773 to the dialog once the selection is on the clipboard).
void OnHotKey(WPARAM id) {
    ProgramState& program = Program();
    if (id != HOTKEY_LOOKUP || !program.hotKeyRegistered || !program.lookupWindow) {
        return;
    }
    if (GetActiveWindow() == program.lookupWindow) {
        PostMessageW(program.lookupWindow, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND source = GetForegroundWindow();
    // The keystrokes go to the window in front, so the dialog comes forward only when they are
    // done (command 773).
    if (program.settings.UseClipboard && IsWindow(source) && !IsIconic(source)) {
        if (CopyPlaybackRunning()) {
            return;
        }
        program.captureSourceWindow = source;
        // Taken while the user still holds the keys, so it costs the lookup no time.
        if (program.settings.GiveBackClipboard) {
            program.heldClipboard.Take(program.lookupWindow);
        }
        if (StartCopyPlayback(source, program.lookupWindow)) {
            return;
        }
        program.heldClipboard.Discard();
    }
    program.captureSourceWindow = source;
    SetForegroundWindow(program.lookupWindow);
    ShowWindow(program.lookupWindow, SW_SHOW);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    StartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProgramState& program = Program();
    switch (message) {
        case WM_CREATE:
            return StartUp(window);
        case MSG_OPEN_LOOKUP_WINDOW:
            // Only the message the start posted counts: another would clear the open lookup
            // window and start a second dialog loop.
            if (program.lookupOpened) {
                return 0;
            }
            program.lookupOpened = true;
            program.dialogLoopRunning = false;
            program.lookupWindow = nullptr;
            TakeHotKey(program, nullptr);
            SendMessageW(window, WM_SIZE, SIZE_MAXIMIZED, 0);
            return 0;
        case WM_SIZE:
            return OnSize(wParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && program.lookupWindow) {
                ShowWindow(program.lookupWindow, SW_RESTORE);
                ShowWindow(program.lookupWindow, SW_SHOW);
            }
            return 0;
        case WM_HOTKEY:
            OnHotKey(wParam);
            return 0;
        case MSG_SHOW_MAIN_WINDOW:
            // Showing the task-bar button costs as much as a tenth of the start under Wine; it
            // waits until the lookup window holds its first results. Sent again when the
            // adjustments changed the notification icon setting.
            ShowMainWindow();
            return 0;
        case WM_CLOSE:
            // The lookup dialog still runs (a close from the task-bar button's menu): let it end
            // the program the way "Exit..." does, which saves the settings; the dialog loop then
            // posts the close that releases everything.
            if (program.lookupWindow && !program.shutDown) {
                SendMessageW(program.lookupWindow, MSG_END_PROGRAM, 0, 0);
                return 0;
            }
            ShutDown();
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PrepareProcess() {
    // A read from removed media (a CD taken out while a dictionary is open) fails back to the
    // program, which shows its own disk error, instead of stopping in the system's box.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
}

int RunProgram(HINSTANCE instance) {
    PrepareProcess();
    ProgramState& program = Program();
    // Where the settings live depends on the program's folder (a portable copy keeps them
    // there), so it is chosen before the first read, which a hand-over already makes.
    if (!FindProgramDirectory(instance, program.programDir, sizeof program.programDir)) {
        program.programDir[0] = '\0';
    }
    ChooseProcessSettingsStorage(program.programDir);
    if (HWND running = FindWindowA(kMainWindowClass, nullptr)) {
        HandOverTo(running);
        return 0;
    }
    program.instance = instance;
    program.appIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_WORDMERE));

    WNDCLASSW windowClass = {};
    windowClass.style = CS_SAVEBITS;
    windowClass.lpfnWndProc = StartProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = program.appIcon;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kMainWindowClassW;
    RegisterClassW(&windowClass);

    snprintf(program.appTitle, sizeof program.appTitle, "Wordmere");
    HWND window = CreateWindowExW(0, kMainWindowClassW, L"Wordmere", WS_POPUPWINDOW, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 0;
    }
    program.mainWindow = window;

    // A screen reader in another process receives the controls' named objects through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GiveBackHotKey(program);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
