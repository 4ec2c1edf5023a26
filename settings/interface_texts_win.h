// The Greek interface-text readers for real windows: each takes the texts file path last.
// The texts file is Windows-1253, so its texts go to the controls as UTF-16 decoded from that
// code page, whatever the system's own code page is.
#pragma once

#include <windows.h>

#include <cstddef>

#include "engine/interface_texts.h"

// Where the running program's interface texts come from (the string table of its module, the
// Greek texts of its texts file) and whether the Greek interface is in use. The helpers that
// show texts take it as an argument.
struct InterfaceLanguage {
    HINSTANCE instance = nullptr;
    const char* textsFile = "";
    bool greek = false;
};

// Interface texts by string id: the string table for the English interface, the texts file's
// "DialogGreekTokens" for the Greek one; a Greek text that is missing keeps the English one, and
// an id the string table lacks takes the engine's English text.
class WinInterfaceTexts : public InterfaceTexts {
public:
    WinInterfaceTexts() = default;
    WinInterfaceTexts(HINSTANCE instance, const char* textsFile)
        : instance_(instance), textsFile_(textsFile) {}
    void Load(unsigned id, bool greek, char* buffer, size_t size) const override;

private:
    HINSTANCE instance_ = nullptr;
    const char* textsFile_ = "";
};

bool LoadGreekTitle(HWND window, unsigned number, const char* textsFile);
void LoadGreekItems(HWND dialog, int firstId, int lastId, const char* textsFile);
bool LoadGreekItem(HWND dialog, int controlId, unsigned number, const char* textsFile);
size_t GetGreekText(unsigned number, char* out, size_t size, const char* textsFile);

// Sets a window's text from Windows-1253 bytes.
void SetGreekWindowText(HWND window, const char* text);
