// The Windows stores of the settings: the registry hives and the INI files through the profile
// functions, and the choice of where this run keeps its settings.
#pragma once

#include <windows.h>

#include "settings/profile_registry.h"
#include "settings/settings.h"

class WinRegistryStore : public RegistryStore {
public:
    explicit WinRegistryStore(HKEY root) : root_(root) {}
    RegistryKey OpenKey(const char* subKey, KeyAccess access) override;
    bool CreateKey(const char* subKey, const char* keyClass) override;
    void CloseKey(RegistryKey key) override;
    EnumStatus EnumValue(RegistryKey key, uint32_t index, char* name, uint32_t* nameSize,
                         uint8_t* data, uint32_t* dataSize) override;
    bool SetStringValue(RegistryKey key, const char* name, const char* text) override;

private:
    HKEY root_;
};

// An INI file by path; a bare file name lives in the Windows directory.
class WinProfileFile : public ProfileFile {
public:
    explicit WinProfileFile(const char* path = "");
    void SetPath(const char* path);
    const char* Path() const { return path_; }
    size_t GetString(const char* section, const char* key, const char* fallback, char* out,
                     size_t size) override;
    bool PutString(const char* section, const char* key, const char* text) override;
    size_t KeyNames(const char* section, char* out, size_t size) override;

private:
    // Room for the texts file in a program directory of the longest length the program takes.
    char path_[400];
};

// True when the program may create or change the INI file fileName in folder.
bool CanWriteHistoryFile(const char* folder, const char* fileName = kHistoryFileName);

// Chooses this run's settings storage once, from the program's folder (null or empty: an
// installed program's places), and returns where it is; later calls return the first choice.
// Installed: HKEY_LOCAL_MACHINE and "Vocabre.ini" in the Windows directory where the user may
// write them, else HKEY_CURRENT_USER and the user's application-data folder. Portable (a file
// "portable" beside the program): "Wordmere.ini" and "Vocabre.ini" in the program's folder; when
// that folder cannot be written, HKEY_CURRENT_USER and the application-data folder.
SettingsPlace ChooseProcessSettingsStorage(const char* programDir);
// This run's settings storage (an installed program's, unless chosen before).
const SettingsStorage& ProcessSettingsStorage();
