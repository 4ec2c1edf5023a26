// A small driver for end-to-end tests: starts wordmere.exe under Wine, finds its windows and
// works its controls from another process, as a user would. Only the W messages are used across
// processes: under Wine, SendMessageA(LB_GETTEXT) to another process returns UTF-16 bytes.
#ifndef WORDMERE_TESTS_E2E_DRIVER_H
#define WORDMERE_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

struct RunningProgram {
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};

// Unix path (as CMake knows it) to a path Wine's Win32 side opens: Z:\... .
std::wstring WinePath(const std::string& unixPath);

// Starts the program and waits up to timeoutMs for its dialog to show; false on failure.
bool StartProgram(const std::wstring& exe, const std::wstring& workDir, RunningProgram& program,
                  DWORD timeoutMs = 15000);

// Asks the program to close (WM_CLOSE to its dialog) and waits for it; returns its exit code,
// or -1 when it had to be killed.
int StopProgram(RunningProgram& program, DWORD timeoutMs = 10000);

std::wstring WindowText(HWND window);
std::vector<std::wstring> ListBoxItems(HWND listBox);
void SetControlText(HWND control, const std::wstring& text);
// Posts a WM_COMMAND with the control id as a click on it would send, then waits until the
// program has handled it.
void Command(HWND dialog, int id);

// Saves the window's pixels as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::wstring& path);

#endif
