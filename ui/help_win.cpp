#include "ui/help_win.h"

#include <shellapi.h>

namespace {

bool IsFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The program directory comes from the system in its own code page.
std::wstring WideDirectory(const char* programDir) {
    int length = MultiByteToWideChar(CP_ACP, 0, programDir, -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring directory(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, programDir, -1, &directory[0], length);
    directory.resize(static_cast<size_t>(length - 1));
    return directory;
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool ChooseProgramHelp(const char* programDir, bool underWine, HelpLaunch* launch) {
    if (programDir == nullptr || programDir[0] == '\0') {
        return false;
    }
    const std::wstring directory = WideDirectory(programDir);
    if (directory.empty()) {
        return false;
    }
    // The viewer and the browser take the path as their one argument; quoted, so spaces in it
    // do no harm.
    const std::wstring page = directory + L"\\" + kHelpPageName;
    if (underWine && IsFile(page)) {
        launch->program = L"winebrowser.exe";
        launch->argument = L"\"" + page + L"\"";
        return true;
    }
    const std::wstring file = directory + L"\\" + kHelpFileName;
    if (!IsFile(file)) {
        return false;
    }
    launch->program = L"hh.exe";
    launch->argument = L"\"" + file + L"\"";
    return true;
}

bool OpenProgramHelp(HWND owner, const char* programDir) {
    HelpLaunch launch;
    if (!ChooseProgramHelp(programDir, RunningUnderWine(), &launch)) {
        return false;
    }
    const std::wstring directory = WideDirectory(programDir);
    HINSTANCE result = ShellExecuteW(owner, L"open", launch.program.c_str(),
                                     launch.argument.c_str(), directory.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
