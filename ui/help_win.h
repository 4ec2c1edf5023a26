// The program's help: an HTML Help file in the program directory, opened in the HTML Help viewer;
// under Wine, whose viewer shows a blank window without Wine's HTML engine, the same guide as
// one HTML page, opened in the host's browser.
#pragma once

#include <windows.h>

#include <string>

constexpr const wchar_t kHelpFileName[] = L"vbr_help.chm";
constexpr const wchar_t kHelpPageName[] = L"vbr_help.html";

// True when the program runs under Wine (its ntdll exports wine_get_version).
bool RunningUnderWine();

// What opens the help: a program and its one argument (the file, quoted).
struct HelpLaunch {
    std::wstring program;
    std::wstring argument;
};

// The launch for the help of programDir: the page through Wine's browser bridge when underWine
// and the page is there, else the compiled help in its viewer. False when the file it needs is
// missing.
bool ChooseProgramHelp(const char* programDir, bool underWine, HelpLaunch* launch);

// Opens the help of programDir as ChooseProgramHelp says for this system, whatever the current
// directory. A missing file or a viewer that does not start is silent: the result is only for
// tests.
bool OpenProgramHelp(HWND owner, const char* programDir);
