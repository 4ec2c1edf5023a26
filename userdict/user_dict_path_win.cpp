#include "userdict/user_dict_path_win.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "userdict/user_dict_path.h"

namespace {

// Creates and at once drops a file of our own name in the folder.
bool CanCreateFileIn(const char* folder) {
    char probe[MAX_PATH + 40];
    int n = snprintf(probe, sizeof probe, "%s\\~wordmere-%lu.tmp", folder, GetCurrentProcessId());
    if (n < 0 || static_cast<size_t>(n) >= sizeof probe) {
        return false;
    }
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

}  // namespace

bool UserDictFolderForProgram(char* out, size_t size, const char* programDir) {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        appData[0] = '\0';
    }
    if (!ChooseUserDictFolder(out, size, programDir, appData, CanCreateFileIn)) {
        return false;
    }
    CreateDirectoryA(out, nullptr);  // already there in the common case
    return true;
}
