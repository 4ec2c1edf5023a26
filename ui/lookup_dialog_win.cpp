// The lookup window's dialog procedure.
#include "ui/lookup_dialog_win.h"

#include "resources/resource_ids.h"

static INT_PTR CALLBACK LookupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextW(dialog, IDC_STATUS_LINE, L"");
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 2);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(dialog, 2);
            return TRUE;
    }
    return FALSE;
}

int RunLookupDialog(HINSTANCE instance, HWND owner) {
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_LOOKUP_FULL), owner, LookupDialogProc, 0));
}
