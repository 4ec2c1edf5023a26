#include "ui/tray_win.h"

#include <shellapi.h>

namespace {

constexpr size_t kTipChars = 63;

NOTIFYICONDATAW IconRecord(HWND owner, UINT iconId) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof record;
    record.hWnd = owner;
    record.uID = iconId;
    return record;
}

}  // namespace

bool AddTrayIcon(HWND owner, UINT iconId, UINT callbackMessage, HICON icon, const wchar_t* tip) {
    NOTIFYICONDATAW record = IconRecord(owner, iconId);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = callbackMessage;
    record.hIcon = icon;
    size_t length = 0;
    while (tip != nullptr && tip[length] != L'\0' && length < kTipChars) {
        record.szTip[length] = tip[length];
        ++length;
    }
    record.szTip[length] = L'\0';
    return Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

bool RemoveTrayIcon(HWND owner, UINT iconId) {
    NOTIFYICONDATAW record = IconRecord(owner, iconId);
    return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}
