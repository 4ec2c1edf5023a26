// Texts the engine shows, by string id, and the disk error message.
#pragma once

#include <cstddef>

#include "resources/resource_ids.h"

// Shown when a dictionary read fails (the caption has the digit zero in "I/0").
constexpr const char kDiskErrorText[] =
    "System can't read from disk. if you are using a CD Installation don't remove the CD from "
    "drive";
constexpr const char kDiskErrorCaption[] = "Disk I/0 Error !!!";

// English text of a string id known to the engine; "" for any other id (14504 is empty too).
const char* EnglishInterfaceText(unsigned id);

// Where interface texts come from. The base class serves the engine's English table for both
// languages; the program overrides Load to take the Greek texts from its texts file.
class InterfaceTexts {
public:
    virtual ~InterfaceTexts() = default;
    // Copies the text of `id` for the English (greek = false) or Greek interface into buffer,
    // cut to fit and always NUL-terminated.
    virtual void Load(unsigned id, bool greek, char* buffer, size_t size) const;
};

// The engine's default texts (English for both interfaces).
const InterfaceTexts& DefaultInterfaceTexts();

// Receives the disk error of a failed read; the Win32 side shows kDiskErrorText with
// kDiskErrorCaption in a message box owned by the lookup dialog.
class DiskErrorSink {
public:
    virtual ~DiskErrorSink() = default;
    virtual void ShowDiskError() = 0;
};
