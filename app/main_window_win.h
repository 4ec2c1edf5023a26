// The main window: a 1 x 1 popup of class "Vocabre:Main" whose only visible trace is its
// task-bar button. Its procedure does the start-up and shutdown, opens the lookup window and
// re-opens it whenever that dialog asks, and brings it forward on activation.
#pragma once

#include <windows.h>

constexpr const char kMainWindowClass[] = "Vocabre:Main";

// The process: hands over to a running instance, or creates the main window and runs the message
// loop. Always returns 0.
int RunProgram(HINSTANCE instance);

// Sets what the whole process needs before any window: failed reads from removed media come
// back to the program instead of the system's critical-error box.
void PrepareProcess();

// The main window procedure (exported under this name).
extern "C" __declspec(dllexport) LRESULT CALLBACK
    StartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
