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

size_t WinProfileFile::KeyNames(const char* section, char* out, size_t size) {
    if (size < 2 || path_[0] == '\0') {
        if (size > 0) {
            out[0] = '\0';
        }
        if (size > 1) {
            out[1] = '\0';
        }
        return 0;
    }
    return GetPrivateProfileStringA(section, nullptr, "", out, static_cast<DWORD>(size), path_);
}

bool CanWriteHistoryFile(const char* folder, const char* fileName) {
    char path[MAX_PATH];
    if (snprintf(path, sizeof(path), "%s\\%s", folder, fileName) >= MAX_PATH) {
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
    WinProfileFile portableSettings;
    ProfileRegistry portable{portableSettings};
    SettingsStorage storage;
    SettingsPlace place = SettingsPlace::kInstalled;
    bool chosen = false;
};

ProcessStores& Stores() {
    static ProcessStores stores;
    return stores;
}

// "folder\name" into the profile file; false when it does not fit.
bool SetProfilePath(WinProfileFile& file, const char* folder, const char* name) {
    char path[MAX_PATH];
    if (snprintf(path, sizeof(path), "%s\\%s", folder, name) >= MAX_PATH) {
        return false;
    }
    file.SetPath(path);
    return true;
}

bool HasPortableMarker(const char* programDir) {
    char path[MAX_PATH];
    if (snprintf(path, sizeof(path), "%s\\%s", programDir, kPortableMarkerName) >= MAX_PATH) {
        return false;
    }
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The user's "%APPDATA%\Wordmere", made when missing; empty when there is none.
void UserAppDataFolder(char* out, size_t size) {
    char appData[MAX_PATH] = "";
    out[0] = '\0';
    if (SUCCEEDED(
            SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)) &&
        snprintf(out, size, "%s\\Wordmere", appData) < static_cast<int>(size)) {
        CreateDirectoryA(out, nullptr);
    } else {
        out[0] = '\0';
    }
}

void UseInstalledPlaces(ProcessStores& stores) {
    stores.storage.registry = &ChooseSettingsRegistry(stores.machine, stores.user);
    char windowsDir[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof(windowsDir));
    bool windowsWritable =
        length > 0 && length < sizeof(windowsDir) && CanWriteHistoryFile(windowsDir);
    char userFolder[MAX_PATH] = "";
    if (!windowsWritable) {
        UserAppDataFolder(userFolder, sizeof(userFolder));
    }
    const char* folder = ChooseHistoryFolder(windowsDir, windowsWritable, userFolder);
    if (folder == windowsDir) {
        // The profile functions keep a bare name in the Windows directory.
        stores.history.SetPath(kHistoryFileName);
    } else if (folder[0] != '\0') {
        SetProfilePath(stores.history, folder, kHistoryFileName);
    }
}

}  // namespace

SettingsPlace ChooseProcessSettingsStorage(const char* programDir) {
    ProcessStores& stores = Stores();
    if (stores.chosen) {
        return stores.place;
    }
    stores.chosen = true;
    stores.storage.history = &stores.history;
    const bool marker = programDir && programDir[0] && HasPortableMarker(programDir);
    const bool writable = marker && CanWriteHistoryFile(programDir, kHistoryFileName) &&
                          CanWriteHistoryFile(programDir, kPortableSettingsFileName);
    stores.place = ChooseSettingsPlace(marker, writable);
    switch (stores.place) {
        case SettingsPlace::kInstalled:
            UseInstalledPlaces(stores);
            break;
        case SettingsPlace::kPortable:
            // Nothing goes to the registry or the Windows directory, not even a probe.
            SetProfilePath(stores.portableSettings, programDir, kPortableSettingsFileName);
            SetProfilePath(stores.history, programDir, kHistoryFileName);
            stores.storage.registry = &stores.portable;
            break;
        case SettingsPlace::kUserFallback: {
            stores.storage.registry = &stores.user;
            char userFolder[MAX_PATH];
            UserAppDataFolder(userFolder, sizeof(userFolder));
            if (userFolder[0] != '\0') {
                SetProfilePath(stores.history, userFolder, kHistoryFileName);
            }
            break;
        }
    }
    return stores.place;
}

const SettingsStorage& ProcessSettingsStorage() {
    ChooseProcessSettingsStorage(nullptr);
    return Stores().storage;
}
