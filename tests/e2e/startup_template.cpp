// The start-up benchmark's second peer: the lookup window's own template, from the program's
// resources, shown by a program that does nothing else (no settings, no dictionary, no fonts, no
// pictures drawn), with one listed item. Set against it, the benchmark tells what the program's
// own start adds to what Wine takes to make that window.
#include <windows.h>

#include "resources/resource_ids.h"

namespace {

// Any height: the lists are of fixed item height and are asked once each.
constexpr UINT kItemHeight = 16;

INT_PTR CALLBACK TemplateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kItemHeight;
            return TRUE;
        case WM_INITDIALOG:
            SendDlgItemMessageW(dialog, IDC_WORD_LIST, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(L"word"));
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
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_LOOKUP_FULL), nullptr, TemplateProc, 0);
    return 0;
}
