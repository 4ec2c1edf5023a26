#include "dialogs/information_win.h"

#include <cstdio>
#include <string>

#include "settings/interface_texts_win.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"

// Messages are cut to this many characters.
constexpr int kMessageSize = 300;

namespace {

// What the notice shows, handed to it through lParam.
struct InformationData {
    UINT stringId = 0;
    InterfaceLanguage language;
    const char* name = nullptr;  // takes the place of the message's %s
};

// The message with the name in place of its %s.
std::wstring WithName(const wchar_t* message, const char* name) {
    std::wstring text = message;
    size_t at = text.find(L"%s");
    if (name == nullptr || at == std::wstring::npos) {
        return text;
    }
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, name, -1, wide,
                        static_cast<int>(sizeof wide / sizeof wide[0]) - 1);
    return text.replace(at, 2, wide);
}

void SetMessage(HWND dialog, const InformationData& data) {
    const InterfaceLanguage& language = data.language;
    UINT stringId = data.stringId;
    HWND text = GetDlgItem(dialog, IDC_INFORMATION_TEXT);
    if (language.greek) {
        // No fallback to the English string table: a missing Greek text shows an empty message.
        char greek[kMessageSize];
        GetGreekText(stringId, greek, sizeof greek, language.textsFile);
        std::string message = greek;
        size_t at = message.find("%s");
        if (data.name != nullptr && at != std::string::npos) {
            message.replace(at, 2, data.name);
        }
        SetGreekWindowText(text, message.c_str());
        return;
    }
    wchar_t message[kMessageSize];
    if (LoadStringW(language.instance, stringId, message, kMessageSize) <= 0) {
        swprintf(message, kMessageSize, L"Error code : (%u)", stringId);
    }
    SetWindowTextW(text, WithName(message, data.name).c_str());
}

const InformationData* Data(HWND dialog) {
    return reinterpret_cast<const InformationData*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

INT_PTR CALLBACK InformationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
            const InformationData& data = *Data(dialog);
            SetDlgWindowPos(dialog, nullptr, FALSE);
            if (data.language.greek) {
                LoadGreekTitle(dialog, KEY_INFORMATION_TITLE, data.language.textsFile);
                LoadGreekItem(dialog, IDOK, KEY_INFORMATION_OK, data.language.textsFile);
            }
            SetMessage(dialog, data);
            ShowBitmapFrame(data.language.instance, dialog, kFrameReset, IDC_PICTURE,
                            IDB_INFORMATION_PICTURE, 0);
            MessageBeep(MB_ICONHAND);
            return TRUE;
        }
        case WM_PAINT: {
            // The dialog paints first; the picture goes over its background afterwards, or the
            // erased background would cover it.
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
            if (const InformationData* data = Data(dialog)) {
                ShowBitmapFrame(data->language.instance, dialog, kFrameReset, IDC_PICTURE,
                                IDB_INFORMATION_PICTURE, 0);
            }
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

}  // namespace

INT_PTR ShowInformation(HWND owner, UINT stringId, const InterfaceLanguage& language) {
    return ShowInformation(owner, stringId, language, nullptr);
}

INT_PTR ShowInformation(HWND owner, UINT stringId, const InterfaceLanguage& language,
                        const char* name) {
    InformationData data;
    data.stringId = stringId;
    data.language = language;
    data.name = name;
    DialogBoxParamW(language.instance, MAKEINTRESOURCEW(IDD_INFORMATION), owner, InformationProc,
                    reinterpret_cast<LPARAM>(&data));
    return IDCANCEL;
}
