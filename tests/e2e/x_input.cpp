#include "x_input.h"

#include <cstdio>
#include <initializer_list>

#include "driver.h"

namespace {

const wchar_t kXdotool[] = L"/usr/bin/xdotool";

// Quoted for the Windows command line that Wine splits into the Unix program's arguments.
std::wstring WindowsQuote(const std::wstring& text) {
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

void Xdotool(const std::wstring& arguments) {
    RunUnixCommand(std::wstring(kXdotool) + L" " + arguments);
}

}  // namespace

std::wstring ShellQuote(const std::wstring& text) {
    std::wstring quoted = L"'";
    for (wchar_t c : text) {
        if (c == L'\'') {
            quoted += L"'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + L"'";
}

bool RunUnixCommand(const std::wstring& command, DWORD timeoutMs) {
    // The mark goes into this test's own throw-away prefix: no name shared with other tests, and
    // a mark left by a command that outlived its bound goes with the prefix.
    static int runs = 0;
    wchar_t prefix[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || prefix[0] != L'/') {
        return false;
    }
    std::wstring mark = std::wstring(prefix) + L"/wordmere-e2e-mark-" + std::to_wstring(++runs);
    std::wstring markDos = L"Z:" + mark;
    for (wchar_t& c : markDos) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    std::wstring script = command + L"; : > " + ShellQuote(mark);
    std::wstring commandLine = L"Z:\\bin\\sh -c " + WindowsQuote(script);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    bool ended = WaitUntil(
        [&] { return GetFileAttributesW(markDos.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
    DeleteFileW(markDos.c_str());
    return ended;
}

unsigned long XWindowOf(HWND window) {
    return static_cast<unsigned long>(
        reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window")));
}

bool XFocus(HWND window) {
    unsigned long xWindow = XWindowOf(window);
    if (xWindow == 0) {
        return false;
    }
    // The X focus decides which Wine process hears the keys, the foreground window which window
    // gets them. A window the window manager has not mapped yet cannot take the X focus (the
    // server answers BadMatch and xdotool fails): a fresh window is asked again until it can.
    RunUnixCommand(L"for i in $(seq 50); do " + std::wstring(kXdotool) + L" windowfocus --sync " +
                   std::to_wstring(xWindow) + L" 2>/dev/null && break; sleep 0.1; done");
    return BringToFront(window);
}

void XKeys(const std::wstring& keys) {
    Xdotool(L"key --delay 60 " + keys);
    Sleep(100);
}

void XType(const std::wstring& text) {
    // Characters as key names: Wine hands a Unix program its arguments in the Unix locale's
    // character set, which may not hold Greek, and xdotool takes "U03C3" for the letter σ.
    std::wstring keys;
    for (wchar_t c : text) {
        wchar_t name[16];
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
            swprintf(name, 16, L"%lc ", c);
        } else {
            swprintf(name, 16, L"U%04X ", static_cast<unsigned>(c));
        }
        keys += name;
    }
    XKeys(keys);
}

void XMoveTo(int x, int y) {
    Xdotool(L"mousemove --sync " + std::to_wstring(x) + L" " + std::to_wstring(y));
}

void XClickAt(int x, int y) {
    XMoveTo(x, y);
    Sleep(100);
    Xdotool(L"click 1");
    Sleep(100);
}

void XClick(HWND window, int x, int y) {
    // Wine's screen is the X screen, point for point.
    POINT point = {x, y};
    ClientToScreen(window, &point);
    XClickAt(point.x, point.y);
}

bool AnyKeyHeld() {
    for (int key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_INSERT, VK_LWIN, VK_RWIN}) {
        if (GetAsyncKeyState(key) & 0x8000) {
            return true;
        }
    }
    return false;
}

bool SaveScreenPng(const std::string& unixPath) {
    return RunUnixCommand(L"/usr/bin/import -window root " +
                          ShellQuote(std::wstring(unixPath.begin(), unixPath.end())));
}
