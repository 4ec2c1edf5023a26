// The Greek interface-text readers for real windows: each takes the texts file path last.
// The texts file is Windows-1253, so its texts go to the controls as UTF-16 decoded from that
// code page, whatever the system's own code page is.
#pragma once

#include <windows.h>

#include <cstddef>

bool LoadGreekTitle(HWND window, unsigned number, const char* textsFile);
void LoadGreekItems(HWND dialog, int firstId, int lastId, const char* textsFile);
bool LoadGreekItem(HWND dialog, int controlId, unsigned number, const char* textsFile);
size_t GetGreekText(unsigned number, char* out, size_t size, const char* textsFile);

// Sets a window's text from Windows-1253 bytes.
void SetGreekWindowText(HWND window, const char* text);
