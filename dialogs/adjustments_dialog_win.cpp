#include "dialogs/adjustments_dialog_win.h"

#include <cstddef>
#include <initializer_list>

#include "settings/interface_texts_win.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"

namespace {

constexpr int kKeyNameSize = 40;

struct AdjustmentsDialog {
    HelpContext help;
    Settings working;
    bool balloonShown = false;
};

// The check boxes of the options and the setting each one shows.
struct OptionBox {
    int id;
    int16_t Settings::*setting;
};
const OptionBox kOptionBoxes[] = {
    {IDC_OPTION_ACCENT, &Settings::Accent},
    {IDC_OPTION_ROOT, &Settings::Root},
    {IDC_OPTION_FORM_TYPE, &Settings::FormType},
    {IDC_OPTION_USE_GREEK, &Settings::UseGreek},
    {IDC_OPTION_CLIPBOARD, &Settings::UseClipboard},
    {IDC_OPTION_LARGE_FONT, &Settings::UseLargeFont},
    {IDC_OPTION_USER_DICTIONARY, &Settings::UseUserDict},
    {IDC_OPTION_SOUNDS, &Settings::UseSounds},
    {IDC_OPTION_GIVE_BACK_CLIPBOARD, &Settings::GiveBackClipboard},
    {IDC_OPTION_SEARCH_AS_YOU_TYPE, &Settings::SearchAsYouType},
};

const OptionBox kModifierBoxes[] = {
    {IDC_HOTKEY_SHIFT, &Settings::Shift},
    {IDC_HOTKEY_CONTROL, &Settings::Control},
    {IDC_HOTKEY_ALT, &Settings::Alt},
};

void Check(HWND dialog, int id, int value) {
    CheckDlgButton(dialog, id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void FillKeyList(HWND dialog, HINSTANCE instance) {
    HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
    for (int code = KEY_NAME_FIRST_CODE; code <= KEY_NAME_LAST_CODE; ++code) {
        wchar_t name[kKeyNameSize] = {};
        if (LoadStringW(instance, IDS_KEY_NAME_BASE + code, name, kKeyNameSize) <= 0 ||
            name[0] == L'\0') {
            continue;
        }
        const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageW(list, LB_SETITEMDATA, index, code);
    }
}

void TranslateToGreek(HWND dialog, const char* textsFile) {
    LoadGreekTitle(dialog, KEY_ADJUSTMENTS_TITLE, textsFile);
    LoadGreekItems(dialog, IDC_HOTKEY_DISABLE, IDC_OPTION_USE_GREEK, textsFile);
    for (int id : {IDC_OPTION_CLIPBOARD, IDC_OPTION_LARGE_FONT, IDC_OPTION_USER_DICTIONARY,
                   IDC_OPTION_SOUNDS, IDC_OPTION_TASK_BAR_ICON, IDC_OPTION_GIVE_BACK_CLIPBOARD,
                   IDC_OPTION_SEARCH_AS_YOU_TYPE, IDC_HOTKEY_TEXT, IDC_HOTKEY_KEY_TEXT}) {
        LoadGreekItem(dialog, id, static_cast<unsigned>(id), textsFile);
    }
    LoadGreekItem(dialog, IDCANCEL, KEY_ADJUSTMENTS_CANCEL, textsFile);
    LoadGreekItem(dialog, IDC_ADJUSTMENTS_OK, KEY_ADJUSTMENTS_OK, textsFile);
}

void ShowHotKey(HWND dialog, const Settings& working) {
    for (const OptionBox& box : kModifierBoxes) {
        Check(dialog, box.id, working.*box.setting);
    }
    HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(list, LB_GETITEMDATA, i, 0) == working.ScanCode) {
            SendMessageW(list, LB_SETCURSEL, i, 0);
            break;
        }
    }
}

void ShowHotKeySwitch(HWND dialog, const Settings& working) {
    Check(dialog, IDC_HOTKEY_DISABLE, working.HotKeyState);
    const BOOL enabled = working.HotKeyState == 0;
    for (int id : {IDC_HOTKEY_SHIFT, IDC_HOTKEY_CONTROL, IDC_HOTKEY_ALT, IDC_HOTKEY_KEY_LIST}) {
        EnableWindow(GetDlgItem(dialog, id), enabled);
    }
}

void ShowOptions(HWND dialog, const Settings& working) {
    for (const OptionBox& box : kOptionBoxes) {
        Check(dialog, box.id, working.*box.setting);
    }
    Check(dialog, IDC_OPTION_TASK_BAR_ICON, working.TaskBarIcon);
}

bool WasChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// Sets the setting of the clicked box from the box's old mark; false when id is not in boxes.
template <size_t N>
bool ClickListedBox(HWND dialog, int id, const OptionBox (&boxes)[N], Settings& working) {
    for (const OptionBox& box : boxes) {
        if (box.id == id) {
            working.*box.setting = ClickedValue(WasChecked(dialog, id));
            return true;
        }
    }
    return false;
}

// A click on a check box sets its setting from the box's old mark and shows the marks again.
bool OnCheckBox(HWND dialog, int id, Settings& working) {
    if (ClickListedBox(dialog, id, kModifierBoxes, working)) {
        ShowHotKey(dialog, working);
        return true;
    }
    if (id == IDC_HOTKEY_DISABLE) {
        working.HotKeyState = ClickedValue(WasChecked(dialog, id));
        ShowHotKey(dialog, working);
        ShowHotKeySwitch(dialog, working);
        return true;
    }
    if (ClickListedBox(dialog, id, kOptionBoxes, working)) {
        ShowOptions(dialog, working);
        return true;
    }
    if (id == IDC_OPTION_TASK_BAR_ICON) {
        working.TaskBarIcon = static_cast<uint16_t>(ClickedValue(WasChecked(dialog, id)));
        ShowOptions(dialog, working);
        return true;
    }
    return false;
}

void OnInitDialog(HWND dialog, AdjustmentsDialog& data) {
    FillKeyList(dialog, data.help.instance);
    if (data.help.useGreek) {
        TranslateToGreek(dialog, data.help.textsFile);
    }
    // The accent examples are Greek whatever the interface language.
    LoadGreekItem(dialog, IDC_ACCENT_EXAMPLES, IDC_ACCENT_EXAMPLES, data.help.textsFile);
    ShowHotKey(dialog, data.working);
    ShowHotKeySwitch(dialog, data.working);
    ShowOptions(dialog, data.working);
    SetDlgWindowPos(dialog, nullptr, FALSE);
    data.balloonShown = false;
}

INT_PTR CALLBACK AdjustmentsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<AdjustmentsDialog>(dialog, message, lParam);
    if (data == nullptr) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *data);
        return TRUE;
    }
    INT_PTR result = FALSE;
    if (HandleHelpMessage(data->help, dialog, message, wParam, IDS_ADJUSTMENTS_HELP_BASE,
                          &data->balloonShown, &result)) {
        return result;
    }
    if (message == WM_COMMAND) {
        CancelPendingBalloon(dialog);
        const int id = LOWORD(wParam);
        if (id == IDC_HOTKEY_KEY_LIST) {
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                HWND list = GetDlgItem(dialog, IDC_HOTKEY_KEY_LIST);
                const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
                if (index != LB_ERR) {
                    data->working.ScanCode =
                        static_cast<int16_t>(SendMessageW(list, LB_GETITEMDATA, index, 0));
                }
            }
        } else if (id == IDC_ADJUSTMENTS_OK || id == IDCANCEL) {
            EndDialog(dialog, id == IDC_ADJUSTMENTS_OK ? 1 : 2);
        } else {
            OnCheckBox(dialog, id, data->working);
        }
    }
    HideDialogBalloon(data->help, dialog, &data->balloonShown);
    return FALSE;
}

}  // namespace

bool ShowAdjustmentsDialog(HWND owner, const HelpContext& help, Settings& settings,
                           AdjustmentChanges* changes) {
    AdjustmentsDialog data;
    data.help = help;
    const Settings before = settings;
    data.working = before;
    const INT_PTR result = DialogBoxParamW(help.instance, MAKEINTRESOURCEW(IDD_ADJUSTMENTS), owner,
                                           AdjustmentsProc, reinterpret_cast<LPARAM>(&data));
    if (result != 1 || SameAdjustments(data.working, before)) {
        return false;
    }
    ApplyAdjustments(data.working, settings);
    if (changes != nullptr) {
        *changes = CompareAdjustments(before, data.working);
    }
    return true;
}
