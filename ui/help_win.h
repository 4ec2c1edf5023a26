// The program's help: an HTML Help file in the program directory, opened in the HTML Help viewer.
#pragma once

#include <windows.h>

constexpr const wchar_t kHelpFileName[] = L"vbr_help.chm";

// Opens the help file of programDir in the viewer (hh.exe), whatever the current directory.
// A missing file or a viewer that does not start is silent: the result is only for tests.
bool OpenProgramHelp(HWND owner, const char* programDir);
