#include <windows.h>

#include <cstring>

#include "settings/settings_win.h"

RegistryKey WinRegistryStore::OpenKey(const char* subKey, KeyAccess access) {
    // Each open asks only for what its use needs, so a user who may not change the
    // machine-wide settings still reads them, and a write probe fails only for lack of rights.
    REGSAM sam = access == KeyAccess::Write ? KEY_SET_VALUE | KEY_CREATE_SUB_KEY : KEY_QUERY_VALUE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, subKey, 0, sam, &key) != ERROR_SUCCESS) {
        return 0;
    }
    return reinterpret_cast<RegistryKey>(key);
}

bool WinRegistryStore::CreateKey(const char* subKey, const char* keyClass) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    char className[32];
    lstrcpynA(className, keyClass, sizeof(className));
    LONG result = RegCreateKeyExA(root_, subKey, 0, className, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_WRITE, nullptr, &key, &disposition);
    if (result != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void WinRegistryStore::CloseKey(RegistryKey key) {
    if (key) {
        RegCloseKey(reinterpret_cast<HKEY>(key));
    }
}

EnumStatus WinRegistryStore::EnumValue(RegistryKey key, uint32_t index, char* name,
                                       uint32_t* nameSize, uint8_t* data, uint32_t* dataSize) {
    DWORD nameLength = *nameSize;
    DWORD dataLength = *dataSize;
    DWORD type = 0;
    LONG result = RegEnumValueA(reinterpret_cast<HKEY>(key), index, name, &nameLength, nullptr,
                                &type, data, &dataLength);
    if (result == ERROR_NO_MORE_ITEMS) {
        return EnumStatus::NoMoreItems;
    }
    if (result != ERROR_SUCCESS) {
        return EnumStatus::Failed;
    }
    *nameSize = nameLength;
    *dataSize = dataLength;
    return EnumStatus::Ok;
}

bool WinRegistryStore::SetStringValue(RegistryKey key, const char* name, const char* text) {
    DWORD size = static_cast<DWORD>(strlen(text) + 1);
    return RegSetValueExA(reinterpret_cast<HKEY>(key), name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}
