#include "userdict/user_dict_path.h"

#include <cstdio>

bool ChooseUserDictFolder(char* out, size_t size, const char* programDir, const char* appDataDir,
                          CanWriteFolder canWrite) {
    int n;
    if (canWrite(programDir) || !appDataDir || !appDataDir[0]) {
        n = snprintf(out, size, "%s", programDir);
    } else {
        n = snprintf(out, size, "%s\\%s", appDataDir, kUserDictAppDataFolder);
    }
    return n >= 0 && static_cast<size_t>(n) < size;
}
