// The fixture of the end-to-end tests: a program directory of this run's own (wordmere.exe, the
// dictionaries and the texts file copied from the staged one), and a lookup window started on
// fresh settings or on settings a test chose.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "driver.h"

// Where this run's program lives (one folder per code page, so the two runs never share one).
const std::wstring& ProgramDirectory();
std::wstring ProgramExe();
// Copies wordmere.exe, the dictionaries, the Greek word-form table, the texts file and the help
// of one folder into another, except the file named leaveOut; the number of dictionaries
// copied.
int CopyProgramFiles(const std::wstring& from, const std::wstring& to,
                     const wchar_t* leaveOut = nullptr);
// "cp1252" or "cp1253": the code page Wine gives this run, for file names.
std::wstring CodePageName();
// Path of a screenshot file.
std::wstring ScreenshotPath(const std::wstring& name);
// The size of the X screen the program's windows are placed on, asked of the X server: under
// CTest the test program's own screen metrics (and its desktop window) can read 0 while the
// programs it starts see the real screen.
SIZE ScreenSize();

// The eleven State values and five HotKey values a first run writes.
const std::map<std::string, std::string>& FirstRunState();
const std::map<std::string, std::string>& FirstRunHotKey();

// Writes the first-run values, then the given State values over them: the program then starts
// as after a first run with those options changed.
void SeedSettings(const std::map<std::string, std::string>& state);

// The visible top-level window of a class (of one process, or of any when processId is 0).
HWND VisibleWindowOfClass(DWORD processId, const wchar_t* className);

// Wine's Notepad as the foreign application whose selection the hot key looks up.
class ForeignNotepad {
public:
    ~ForeignNotepad() { Close(); }
    // Shows Notepad (started at the first call) in front, holding text with all of it selected.
    // Failures are test failures.
    void ShowWithSelection(const std::wstring& text);
    void Close();
    HWND window = nullptr;

private:
    PROCESS_INFORMATION process_{};
};

class ProgramTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramSettings(); }
    // Stops the program, and any instance that outlived it.
    void TearDown() override;

    // Starts the program; a fatal failure when its lookup window does not show.
    void Start();
    // Closes the program as the user does (close box) and starts it again.
    void Restart();
    HWND Control(int id) const { return GetDlgItem(program.dialog, id); }
    std::vector<std::wstring> Matches() const;
    std::vector<std::wstring> Translations() const;
    // Chooses a dictionary list entry by its text, as the user does.
    void UseDictionary(const std::wstring& text);
    // Clicks into the word box, replaces its text by typing the word and presses Enter.
    void TypeAndEnter(const std::wstring& word);
    // Waits until the match list's first item is the given word.
    bool WaitForFirstMatch(const std::wstring& word, DWORD timeoutMs = 5000) const;
    bool IsSmallForm() const { return Control(143) != nullptr; }

    RunningProgram program;
};
