// The user dictionaries' folder of the running program (see user_dict_path.h), probed on the
// real file system.
#pragma once

#include <cstddef>

// The folder for a program in `programDir`: that folder when a file can be created in it, else
// the user's "%APPDATA%\Wordmere", which is created when missing. False when it does not fit.
bool UserDictFolderForProgram(char* out, size_t size, const char* programDir);
