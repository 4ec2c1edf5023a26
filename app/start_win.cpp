// Process entry of the Windows program.
#include <windows.h>

#include "app/main_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunProgram(instance);
}
