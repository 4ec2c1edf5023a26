#include "driver.h"

#include <cstdint>

namespace {

const char kRootKey[] = "SOFTWARE\\Corvessa\\Wordmere";

std::string KeyPath(const char* key) {
    std::string path = kRootKey;
    if (key[0] != '\0') {
        path += std::string("\\") + key;
    }
    return path;
}

struct FindWindows {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<FindWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if ((find->processId == 0 || pid == find->processId) && IsWindowVisible(window) &&
        lstrcmpW(className, find->className) == 0) {
        find->found.push_back(window);
    }
    return TRUE;
}

struct FindDialogs {
    HWND lookup = nullptr;
    std::vector<HWND> others;
};

FindDialogs Dialogs(DWORD processId) {
    FindDialogs find;
    for (HWND window : VisibleWindows(processId, L"#32770")) {
        // The lookup dialog is the one with the word box, in every form.
        if (GetDlgItem(window, 12003) && !find.lookup) {
            find.lookup = window;
        } else if (window != find.lookup) {
            find.others.push_back(window);
        }
    }
    return find;
}

HWND ClipboardOwner() {
    static HWND owner = CreateWindowExW(0, L"STATIC", L"e2e clipboard owner", WS_POPUP, 0, 0, 1, 1,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return owner;
}

// Answers what comes to this process's own windows (the clipboard owner), so no program waits
// on it.
void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool OpenClipboardRetrying(HWND owner) {
    return WaitUntil([owner] { return OpenClipboard(owner) != FALSE; }, 2000);
}

bool SetClipboardBlock(UINT format, const void* data, size_t size) {
    if (!OpenClipboardRetrying(ClipboardOwner())) {
        return false;
    }
    bool ok = false;
    if (EmptyClipboard()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        if (block) {
            memcpy(GlobalLock(block), data, size);
            GlobalUnlock(block);
            ok = SetClipboardData(format, block) != nullptr;
            if (!ok) {
                GlobalFree(block);
            }
        }
    }
    CloseClipboard();
    return ok;
}

// Reads the raw block of one format; empty when the format is not on the clipboard.
bool ReadClipboardBlock(UINT format, std::string& data) {
    data.clear();
    if (!OpenClipboardRetrying(nullptr)) {
        return false;
    }
    bool ok = false;
    if (HANDLE block = GetClipboardData(format)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
            data.assign(bytes, GlobalSize(block));
            GlobalUnlock(block);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (virtualKey) {
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
    }
    SendInput(1, &input, sizeof(input));
}

// PNG: 8-bit RGB rows, each with filter 0, in stored (uncompressed) deflate blocks.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    PutBigEndian(out, Crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

std::string EncodePng(int width, int height, const std::string& rows) {
    std::string zlib = "\x78\x01";
    const size_t kBlock = 65535;
    size_t offset = 0;
    do {
        size_t length = rows.size() - offset < kBlock ? rows.size() - offset : kBlock;
        zlib += static_cast<char>(offset + length == rows.size() ? 1 : 0);  // last block
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib.append(rows, offset, length);
        offset += length;
    } while (offset < rows.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : rows) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(zlib, (b << 16) | a);

    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filter, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", "");
    return png;
}

}  // namespace

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) {
        return failed;
    }
    return static_cast<LRESULT>(result);
}

std::wstring WinePath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return path;
}

std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className) {
    FindWindows find{processId, className, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return condition();
        }
        PumpMessages();
        Sleep(20);
    }
}

bool LaunchProcess(const std::wstring& exe, const std::wstring& workDir,
                   PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.empty() ? nullptr : workDir.c_str(), &startup, &process) != FALSE;
}

HWND FindLookupDialog(DWORD processId) {
    return Dialogs(processId).lookup;
}

std::vector<HWND> OtherDialogs(DWORD processId, HWND lookupDialog) {
    std::vector<HWND> others;
    for (HWND window : Dialogs(processId).others) {
        if (window != lookupDialog) {
            others.push_back(window);
        }
    }
    return others;
}

bool StartProgram(const std::wstring& exe, const std::wstring& workDir, RunningProgram& program,
                  DWORD timeoutMs) {
    program = RunningProgram{};
    if (!LaunchProcess(exe, workDir, program.process)) {
        return false;
    }
    HANDLE process = program.process.hProcess;
    DWORD processId = program.process.dwProcessId;
    bool shown = WaitUntil(
        [&] {
            program.dialog = FindLookupDialog(processId);
            return program.dialog || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    if (!shown || !program.dialog) {
        return false;
    }
    WaitIdle(program.dialog);
    return true;
}

bool WaitForReopenedDialog(RunningProgram& program, DWORD timeoutMs) {
    HWND old = program.dialog;
    DWORD processId = program.process.dwProcessId;
    bool found = WaitUntil(
        [&] {
            HWND dialog = FindLookupDialog(processId);
            if (dialog && dialog != old && !IsWindow(old)) {
                program.dialog = dialog;
            }
            return program.dialog != old;
        },
        timeoutMs);
    if (found) {
        WaitIdle(program.dialog);
    }
    return found;
}

void WaitIdle(HWND dialog) {
    // A sent message is answered only when the dialog's thread is back in its message loop, so
    // two rounds let a message posted before them, and what it posts in turn, be handled.
    DWORD_PTR result;
    for (int round = 0; round < 3; ++round) {
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }
}

int StopProgram(RunningProgram& program, DWORD timeoutMs) {
    if (!program.process.hProcess) {
        return -1;
    }
    HANDLE process = program.process.hProcess;
    DWORD processId = program.process.dwProcessId;
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
        // A notice or tip left open would keep the dialog from closing: cancel it first.
        for (HWND other : OtherDialogs(processId, program.dialog)) {
            PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
        }
        HWND dialog = FindLookupDialog(processId);
        if (!dialog) {
            dialog = program.dialog;
        }
        if (dialog) {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &exitCode);
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        exitCode = static_cast<DWORD>(-1);
    }
    CloseHandle(process);
    CloseHandle(program.process.hThread);
    program = RunningProgram{};
    return static_cast<int>(exitCode);
}

void ResetProgramSettings() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRootKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, kRootKey);
    char folder[MAX_PATH] = "";
    if (GetWindowsDirectoryA(folder, MAX_PATH)) {
        DeleteFileA((std::string(folder) + "\\Vocabre.ini").c_str());
    }
    if (GetEnvironmentVariableA("APPDATA", folder, MAX_PATH)) {
        DeleteFileA((std::string(folder) + "\\Wordmere\\Vocabre.ini").c_str());
    }
}

bool ReadProgramSetting(const char* key, const char* name, std::string& value) {
    value.clear();
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    char data[400];
    DWORD size = sizeof(data), type = 0;
    bool ok = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                               &size) == ERROR_SUCCESS;
    RegCloseKey(handle);
    if (ok) {
        // The stored length counts the terminating NUL.
        value.assign(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size);
    }
    return ok;
}

bool WriteProgramSetting(const char* key, const char* name, const std::string& value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    bool ok = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return ok;
}

std::vector<std::string> ProgramSettingNames(const char* key) {
    std::vector<std::string> names;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof(name);
        if (RegEnumValueA(handle, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, size);
    }
    RegCloseKey(handle);
    return names;
}

std::string ReadHistoryFile(const char* section, const char* key) {
    char text[400] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), "Vocabre.ini");
    return text;
}

std::string StoredBytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bool greek = c >= 0x0370 && c <= 0x03FF;
        char byte = '?';
        BOOL lost = FALSE;
        WideCharToMultiByte(greek ? 1253 : 1252, WC_NO_BEST_FIT_CHARS, &c, 1, &byte, 1, nullptr,
                            &lost);
        bytes += byte;
    }
    return bytes;
}

std::wstring WindowText(HWND window) {
    LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

namespace {

// The texts of a list's items. LB_GETTEXT and CB_GETLBTEXT take no buffer size, and an item can
// change between asking its length and its text while the program works, so the buffer is far
// larger than any item the program keeps.
std::vector<std::wstring> ItemTexts(HWND list, UINT getCount, UINT getText) {
    const size_t kItemRoom = 8192;
    std::vector<std::wstring> items;
    LRESULT count = Send(list, getCount, 0, 0);
    std::vector<wchar_t> text(kItemRoom + 1);
    for (LRESULT i = 0; i < count; ++i) {
        text.assign(text.size(), L'\0');
        if (Send(list, getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data())) <
            0) {
            break;
        }
        items.emplace_back(text.data(), wcsnlen(text.data(), kItemRoom));
    }
    return items;
}

}  // namespace

std::vector<std::wstring> ListBoxItems(HWND listBox) {
    return ItemTexts(listBox, LB_GETCOUNT, LB_GETTEXT);
}

int ListBoxSelection(HWND listBox) {
    return static_cast<int>(Send(listBox, LB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> ComboItems(HWND comboBox) {
    return ItemTexts(comboBox, CB_GETCOUNT, CB_GETLBTEXT);
}

std::wstring ComboSelectionText(HWND comboBox) {
    LRESULT index = Send(comboBox, CB_GETCURSEL, 0, 0);
    if (index < 0) {
        return L"";
    }
    std::vector<std::wstring> items = ComboItems(comboBox);
    return static_cast<size_t>(index) < items.size() ? items[static_cast<size_t>(index)] : L"";
}

void SetControlText(HWND control, const std::wstring& text) {
    Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

RECT ControlRect(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Command(HWND dialog, int id, WORD notification) {
    // Sent, not posted: the call returns when the dialog has handled the command. A command
    // that opens a modal window returns at the timeout.
    DWORD_PTR result;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL, 10000,
                        &result);
    if (IsWindow(dialog)) {
        WaitIdle(dialog);
    }
}

void SelectComboItem(HWND dialog, int id, int index) {
    Send(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(dialog, id, CBN_SELCHANGE);
}

void SelectListItem(HWND dialog, int id, int index) {
    Send(GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(dialog, id, LBN_SELCHANGE);
}

bool BringToFront(HWND window, DWORD timeoutMs) {
    HWND top = GetAncestor(window, GA_ROOT);
    return WaitUntil(
        [top] {
            if (GetForegroundWindow() == top) {
                return true;
            }
            SetForegroundWindow(top);
            return false;
        },
        timeoutMs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT input[2]{};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof(INPUT));
    }
}

void PressKey(WORD virtualKey) {
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
}

void PressKeyWith(WORD modifier, WORD virtualKey) {
    SendKey(modifier, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    SendKey(modifier, true);
}

void Click(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

std::string TypeInWordBox(HWND dialog, const std::wstring& word, DWORD timeoutMs) {
    HWND box = GetDlgItem(dialog, 12003);
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (edit == nullptr) {
        return "the word box has no edit field";
    }
    SetControlText(box, L"");
    if (!BringToFront(dialog)) {
        return "the lookup window did not come to the front";
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    // A click may come before the window is ready for it: click again until the focus is there.
    bool focused = WaitUntil(
        [&] {
            if (GetGUIThreadInfo(thread, &info) && info.hwndFocus == edit) {
                return true;
            }
            Click(edit);
            Sleep(100);
            return false;
        },
        timeoutMs);
    if (!focused) {
        return "the word box did not take the focus";
    }
    TypeText(word);
    if (!WaitUntil([&] { return WindowText(box) == word; }, timeoutMs)) {
        return "the word box does not show the typed word";
    }
    return "";
}

bool SetClipboardUnicode(const std::wstring& text) {
    return SetClipboardBlock(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool SetClipboardBytes(const std::string& bytes) {
    return SetClipboardBlock(CF_TEXT, bytes.c_str(), bytes.size() + 1);
}

bool ReadClipboardUnicode(std::wstring& text) {
    std::string data;
    text.clear();
    if (!ReadClipboardBlock(CF_UNICODETEXT, data)) {
        return false;
    }
    text.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return true;
}

bool ReadClipboardBytes(std::string& bytes) {
    if (!ReadClipboardBlock(CF_TEXT, bytes)) {
        return false;
    }
    bytes.resize(strnlen(bytes.c_str(), bytes.size()));
    return true;
}

int CountClientPixels(HWND window, COLORREF colour) {
    RECT client;
    if (!GetClientRect(window, &client)) {
        return 0;
    }
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) {
        return 0;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            count += GetPixel(memory, x, y) == colour;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return count;
}

bool SaveWindowPng(HWND window, const std::wstring& path, bool clientArea) {
    BringToFront(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitIdle(window);
    Sleep(300);  // the X server shows the last paint a moment later
    RECT rect;
    if (clientArea) {
        if (!GetClientRect(window, &rect)) {
            return false;
        }
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else if (!GetWindowRect(window, &rect)) {
        return false;
    }
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;  // top row first, as PNG wants
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<BYTE> pixels(stride * static_cast<size_t>(height));
    int lines = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (lines != height) {
        return false;
    }

    std::string rows;
    rows.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        rows += '\0';
        const BYTE* line = &pixels[static_cast<size_t>(y) * stride];
        for (int x = 0; x < width; ++x) {
            rows += static_cast<char>(line[x * 3 + 2]);  // DIBs hold blue, green, red
            rows += static_cast<char>(line[x * 3 + 1]);
            rows += static_cast<char>(line[x * 3]);
        }
    }
    std::string png = EncodePng(width, height, rows);
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(out, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
              written == png.size();
    CloseHandle(out);
    return ok;
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
