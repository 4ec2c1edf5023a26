// Runs a modal dialog for real and drives it from a second thread, as a user would: the watcher
// finds the dialog by one of its controls, reads and clicks it, and makes sure it closes.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace dialog_test {

struct Found {
    int controlId;
    HWND dialog = nullptr;
};

inline BOOL CALLBACK FindDialogWindow(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<Found*>(parameter);
    wchar_t windowClass[16] = {};
    GetClassNameW(window, windowClass, 16);
    if (lstrcmpW(windowClass, L"#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, found->controlId) != nullptr) {
        found->dialog = window;
        return FALSE;
    }
    return TRUE;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[600] = {};
    GetWindowTextW(window, text, 600);
    return text;
}

inline std::wstring ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

inline bool Checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// A click as the button gets it from the mouse; waits until the dialog has handled it.
inline void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Sends a key to the control with the focus, as the keyboard would.
inline void PressKey(DWORD uiThread, HWND dialog, WPARAM key) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(uiThread, &info);
    HWND focus = info.hwndFocus != nullptr ? info.hwndFocus : dialog;
    PostMessageW(focus, WM_KEYDOWN, key, 0x00010001);
    PostMessageW(focus, WM_KEYUP, key, 0xC0010001);
}

inline bool WaitClosed(HWND dialog) {
    for (int i = 0; i < 300 && IsWindow(dialog); ++i) {
        Sleep(10);
    }
    return !IsWindow(dialog);
}

// Calls show() on this thread; drive(dialog) runs on a second thread once a dialog with
// controlId is up. A dialog that is still open afterwards is ended, so a test never hangs.
// Returns false when no such dialog came up.
inline bool RunDialog(int controlId, const std::function<void()>& show,
                      const std::function<void(HWND)>& drive) {
    const DWORD uiThread = GetCurrentThreadId();
    bool found = false;
    std::thread watcher([&] {
        Found search{controlId};
        for (int i = 0; i < 500 && search.dialog == nullptr; ++i) {
            Sleep(10);
            EnumThreadWindows(uiThread, FindDialogWindow, reinterpret_cast<LPARAM>(&search));
        }
        if (search.dialog == nullptr) {
            return;
        }
        found = true;
        Sleep(200);  // let it paint
        drive(search.dialog);
        if (!WaitClosed(search.dialog)) {
            std::fprintf(stderr, "dialog left open by the test; ending it\n");
            PostMessageW(search.dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    show();
    watcher.join();
    return found;
}

// A private copy of a file in a folder of the test's own, removed with it.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        std::snprintf(path_, sizeof path_, "%swordmere_dialogs_%lu_%d", base, GetCurrentProcessId(),
                      counter_++);
        CreateDirectoryA(path_, nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAA entry;
        std::string pattern = std::string(path_) + "\\*";
        HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string file = std::string(path_) + "\\" + entry.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            } while (FindNextFileA(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryA(path_);
    }
    std::string File(const char* name) const { return std::string(path_) + "\\" + name; }

private:
    static inline int counter_ = 0;
    char path_[MAX_PATH];
};

}  // namespace dialog_test
