// A small driver for end-to-end tests: starts wordmere.exe under Wine, finds its windows and
// works its controls from another process, as a user would. Only the W messages are used across
// processes: under Wine, SendMessageA(LB_GETTEXT) to another process returns UTF-16 bytes.
// Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RunningProgram {
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;  // the lookup dialog
};

// Unix path (as CMake knows it) to a path Wine's Win32 side opens: Z:\... .
std::wstring WinePath(const std::string& unixPath);

// Polls condition every 20 ms until it holds or timeoutMs has passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Milliseconds from the performance counter, for the benchmarks' timings.
double NowMs();

// ---- The program's process ----

// Starts exe in workDir without waiting for anything.
bool LaunchProcess(const std::wstring& exe, const std::wstring& workDir,
                   PROCESS_INFORMATION& process);
// The visible top-level windows of a class, of one process (of any when processId is 0), in
// the system's order.
std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className);
// The visible lookup dialog of a process (a dialog that holds the word box), or none.
HWND FindLookupDialog(DWORD processId);
// The visible dialogs of a process other than its lookup dialog (notices, tips).
std::vector<HWND> OtherDialogs(DWORD processId, HWND lookupDialog);

// Starts the program and waits up to timeoutMs for its lookup dialog to show and handle
// messages; false on failure.
bool StartProgram(const std::wstring& exe, const std::wstring& workDir, RunningProgram& program,
                  DWORD timeoutMs = 20000);
// After the dialog was ended to be opened again (form switch), waits for the new one.
bool WaitForReopenedDialog(RunningProgram& program, DWORD timeoutMs = 10000);
// Waits until the dialog is back in its message loop, with what was posted to it handled.
void WaitIdle(HWND dialog);
// Asks the program to close (WM_CLOSE to its dialog) and waits for it; returns its exit code,
// or -1 when it had to be killed. Safe to call on a program that is not running.
int StopProgram(RunningProgram& program, DWORD timeoutMs = 10000);

// ---- Settings: the registry keys and INI file of the program ----

// Removes the program's registry keys (machine and user) and its "Vocabre.ini" files, so the
// next start is a first run.
void ResetProgramSettings();
// A value of key "" (the root), "State" or "HotKey" as the program's 8-bit bytes; false when
// the key or value is missing.
bool ReadProgramSetting(const char* key, const char* name, std::string& value);
// Sets a value, creating the keys when missing.
bool WriteProgramSetting(const char* key, const char* name, const std::string& value);
// The names of the values of a key, in enumeration order.
std::vector<std::string> ProgramSettingNames(const char* key);
// A key of "Vocabre.ini" in the Windows directory, as 8-bit bytes ("" when missing).
std::string ReadHistoryFile(const char* section, const char* key);
// The same bytes the program stores, from UTF-16 (Greek letters in Windows-1253, the rest in
// Windows-1252).
std::string StoredBytes(const std::wstring& text);

// ---- Controls ----

// SendMessageW with a bound: a hung or crashed program never stops the test. Returns failed
// when the message was not answered within 5 s.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed = -1);

std::wstring WindowText(HWND window);
std::vector<std::wstring> ListBoxItems(HWND listBox);
int ListBoxSelection(HWND listBox);  // -1 when nothing is selected
std::vector<std::wstring> ComboItems(HWND comboBox);
std::wstring ComboSelectionText(HWND comboBox);  // "" when nothing is selected
void SetControlText(HWND control, const std::wstring& text);
// The control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, HWND control);
// Sends a WM_COMMAND as the control with this id sends it; returns when it is handled.
void Command(HWND dialog, int id, WORD notification = BN_CLICKED);
// Selects an item of a list or combo box without a notification, then posts the notification
// the control sends when the user selects it, and waits until the dialog has handled it.
void SelectComboItem(HWND dialog, int id, int index);
void SelectListItem(HWND dialog, int id, int index);

// ---- Input as the user gives it (SendInput after bringing the window forward) ----

bool BringToFront(HWND window, DWORD timeoutMs = 3000);
void TypeText(const std::wstring& text);
void PressKey(WORD virtualKey);
void PressKeyWith(WORD modifier, WORD virtualKey);
// A left click in the middle of the window.
void Click(HWND window);

// Types word into the lookup dialog's word box as a user does: empties it, brings the dialog
// forward, clicks the box until it has the focus and types. Returns "" when the box shows the
// word, else what went wrong; each wait takes at most timeoutMs.
std::string TypeInWordBox(HWND dialog, const std::wstring& word, DWORD timeoutMs = 5000);

// ---- Clipboard ----

// Replaces the clipboard content with text: CF_UNICODETEXT alone, or CF_TEXT alone with the
// given bytes. The clipboard's owner is a hidden window of this process, which lives as long
// as the process.
bool SetClipboardUnicode(const std::wstring& text);
bool SetClipboardBytes(const std::string& bytes);
bool ReadClipboardUnicode(std::wstring& text);
bool ReadClipboardBytes(std::string& bytes);

// ---- Pictures ----

// How many pixels of the window's client area the screen shows in this colour, as painted now
// (nothing is redrawn first).
int CountClientPixels(HWND window, COLORREF colour);
// Saves what the screen shows of the window (after bringing it forward) as a PNG file; with
// clientArea, without the frame and the title band (which Xvfb, with no window manager, leaves
// showing whatever lies behind).
bool SaveWindowPng(HWND window, const std::wstring& path, bool clientArea = false);
