#include "driver.h"

std::wstring WinePath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

namespace {

struct FindDialog {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<FindDialog*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (pid == find->processId && IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool StartProgram(const std::wstring& exe, const std::wstring& workDir, RunningProgram& program,
                  DWORD timeoutMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &program.process))
        return false;
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        FindDialog find{program.process.dwProcessId, nullptr};
        EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&find));
        if (find.found) {
            program.dialog = find.found;
            return true;
        }
        if (WaitForSingleObject(program.process.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

int StopProgram(RunningProgram& program, DWORD timeoutMs) {
    if (!program.process.hProcess)
        return -1;
    if (program.dialog)
        PostMessageW(program.dialog, WM_CLOSE, 0, 0);
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(program.process.hProcess, &exitCode);
    } else {
        TerminateProcess(program.process.hProcess, 99);
        exitCode = static_cast<DWORD>(-1);
    }
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program = RunningProgram{};
    return static_cast<int>(exitCode);
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = L"";
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> ListBoxItems(HWND listBox) {
    std::vector<std::wstring> items;
    LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, i, 0);
        if (length < 0)
            break;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        items.push_back(text);
    }
    return items;
}

void SetControlText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Command(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    // A sent message is handled after the posted one: when it returns, the command is done.
    SendMessageW(dialog, WM_NULL, 0, 0);
}

bool SaveWindowBitmap(HWND window, const std::wstring& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info, sizeof(info), &written, nullptr) &&
              WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}
