// Process entry of the Windows program: opens the lookup window.
#include <windows.h>

#include "ui/lookup_dialog_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunLookupDialog(instance, nullptr);
}
