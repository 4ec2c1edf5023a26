// The start-up benchmark's peer: the least a program does to show a dialog with a result, one
// list item, so the benchmark can set the lookup window's start-up against Wine's own cost.
#include <windows.h>

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SendDlgItemMessageW(dialog, 12000, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"word"));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 2);
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 2);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, BareDialogProc, 0);
    return 0;
}
