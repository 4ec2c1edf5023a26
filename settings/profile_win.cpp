#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "settings/settings_win.h"

WinProfileFile::WinProfileFile(const char* path) {
    SetPath(path);
}

void WinProfileFile::SetPath(const char* path) {
    lstrcpynA(path_, path, sizeof(path_));
}

size_t WinProfileFile::GetString(const char* section, const char* key, const char* fallback,
                                 char* out, size_t size) {
    if (size == 0) {
        return 0;
    }
    if (path_[0] == '\0') {
        out[0] = '\0';
        return 0;
    }
    DWORD n =
        GetPrivateProfileStringA(section, key, fallback, out, static_cast<DWORD>(size), path_);
    out[n] = '\0';
    return n;
}

bool WinProfileFile::PutString(const char* section, const char* key, const char* text) {
    if (path_[0] == '\0') {
        return false;
    }
    return WritePrivateProfileStringA(section, key, text, path_) != FALSE;
}

bool CanWriteHistoryFile(const char* folder) {
    char path[MAX_PATH];
    if (snprintf(path, sizeof(path), "%s\\%s", folder, kHistoryFileName) >= MAX_PATH) {
        return false;
    }
    // An existing file must open for writing; otherwise the folder must take a new file. The
    // probe file goes away when closed.
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
        snprintf(path, sizeof(path), "%s\\Wordmere.probe", folder);
        file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

namespace {

struct ProcessStores {
    WinRegistryStore machine{HKEY_LOCAL_MACHINE};
    WinRegistryStore user{HKEY_CURRENT_USER};
    WinProfileFile history;
    SettingsStorage storage;
    bool chosen = false;
};

ProcessStores& Stores() {
    static ProcessStores stores;
    return stores;
}

}  // namespace

const SettingsStorage& ProcessSettingsStorage() {
    ProcessStores& stores = Stores();
    if (stores.chosen) {
        return stores.storage;
    }
    stores.chosen = true;
    stores.storage.registry = &ChooseSettingsRegistry(stores.machine, stores.user);

    char windowsDir[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof(windowsDir));
    bool windowsWritable =
        length > 0 && length < sizeof(windowsDir) && CanWriteHistoryFile(windowsDir);
    char appData[MAX_PATH] = "";
    char userFolder[MAX_PATH] = "";
    if (!windowsWritable &&
        SUCCEEDED(
            SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)) &&
        snprintf(userFolder, sizeof(userFolder), "%s\\Wordmere", appData) < MAX_PATH) {
        CreateDirectoryA(userFolder, nullptr);
    }
    const char* folder = ChooseHistoryFolder(windowsDir, windowsWritable, userFolder);
    if (folder == windowsDir) {
        // The profile functions keep a bare name in the Windows directory.
        stores.history.SetPath(kHistoryFileName);
    } else if (folder[0] != '\0') {
        char path[MAX_PATH];
        if (snprintf(path, sizeof(path), "%s\\%s", folder, kHistoryFileName) < MAX_PATH) {
            stores.history.SetPath(path);
        }
    }
    stores.storage.history = &stores.history;
    return stores.storage;
}
