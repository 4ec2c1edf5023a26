#include "ui/help_win.h"

#include <shellapi.h>

#include <string>

bool OpenProgramHelp(HWND owner, const char* programDir) {
    if (programDir == nullptr || programDir[0] == '\0') {
        return false;
    }
    // The program directory comes from the system in its own code page.
    int length = MultiByteToWideChar(CP_ACP, 0, programDir, -1, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    std::wstring directory(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, programDir, -1, &directory[0], length);
    directory.resize(static_cast<size_t>(length - 1));
    std::wstring file = directory + L"\\" + kHelpFileName;
    DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    // The viewer takes the path as its one argument; quoted, so spaces in it do no harm.
    std::wstring argument = L"\"" + file + L"\"";
    HINSTANCE result = ShellExecuteW(owner, L"open", L"hh.exe", argument.c_str(), directory.c_str(),
                                     SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
