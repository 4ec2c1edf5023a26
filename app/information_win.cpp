#include "app/information_win.h"

#include <cstdio>

#include "app/interface_texts_win.h"
#include "app/program_state_win.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"

// Messages are cut to this many characters.
constexpr int kMessageSize = 300;

static void SetMessage(HWND dialog, UINT stringId) {
    const ProgramState& program = Program();
    HWND text = GetDlgItem(dialog, IDC_INFORMATION_TEXT);
    if (program.settings.UseGreek != 0) {
        // No fallback to the English string table: a missing Greek text shows an empty message.
        char greek[kMessageSize];
        GetGreekText(stringId, greek, sizeof greek, program.textsFile);
        SetGreekWindowText(text, greek);
        return;
    }
    wchar_t message[kMessageSize];
    if (LoadStringW(program.instance, stringId, message, kMessageSize) <= 0) {
        swprintf(message, kMessageSize, L"Error code : (%u)", stringId);
    }
    SetWindowTextW(text, message);
}

static INT_PTR CALLBACK InformationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetDlgWindowPos(dialog, nullptr, FALSE);
            const ProgramState& program = Program();
            if (program.settings.UseGreek != 0) {
                LoadGreekTitle(dialog, KEY_INFORMATION_TITLE, program.textsFile);
                LoadGreekItem(dialog, IDOK, KEY_INFORMATION_OK, program.textsFile);
            }
            SetMessage(dialog, static_cast<UINT>(lParam));
            ShowBitmapFrame(dialog, kFrameReset, IDC_PICTURE, IDB_INFORMATION_PICTURE, 0);
            MessageBeep(MB_ICONHAND);
            return TRUE;
        }
        case WM_PAINT: {
            // The dialog paints first; the picture goes over its background afterwards, or the
            // erased background would cover it.
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
            ShowBitmapFrame(dialog, kFrameReset, IDC_PICTURE, IDB_INFORMATION_PICTURE, 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

INT_PTR ShowInformation(HWND owner, UINT stringId) {
    DialogBoxParamW(Program().instance, MAKEINTRESOURCEW(IDD_INFORMATION), owner, InformationProc,
                    static_cast<LPARAM>(stringId));
    return IDCANCEL;
}
