// Where a dictionary's user words are kept: "DIR\BASE.usr" beside the dictionaries while the
// program may write there; otherwise (an installed program in a folder only administrators may
// write) in the user's own application-data folder, "APPDATA\Wordmere\BASE.usr". The lookup
// and the maintenance dialog both take the folder from here.
#pragma once

#include <cstddef>

constexpr char kUserDictAppDataFolder[] = "Wordmere";

// Whether files can be created in a folder; the Windows program probes the real folder.
typedef bool (*CanWriteFolder)(const char* folder);

// The folder of the user dictionaries into `out`: `programDir` when `canWrite` says so or when
// there is no application-data folder to go to, else `appDataDir` + "\Wordmere". False when the
// result does not fit.
bool ChooseUserDictFolder(char* out, size_t size, const char* programDir, const char* appDataDir,
                          CanWriteFolder canWrite);
