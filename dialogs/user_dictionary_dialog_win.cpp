#include "dialogs/user_dictionary_dialog_win.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "settings/interface_texts_win.h"
#include "engine/code_pages.h"
#include "keyboard/keyboard_layout_win.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"
#include "ui/result_list_win.h"
#include "userdict/user_dict_buttons.h"
#include "userdict/user_dict_file.h"

namespace {

constexpr int kCaptionSize = 30;  // radio captions and the word taken from the lookup dialog

struct UserDictionaryDialog {
    UserDictionaryDialogArgs args;
    HWND owner = nullptr;
    std::unique_ptr<UserDict> dict{new UserDict};
    UserDictSelection selected;
    // The word each listed record held when it was listed: a delete or replace writes only
    // while the record still holds it, so a word another session wrote meanwhile is kept.
    std::map<uint32_t, std::string> listedWords;
    UserDictButtons buttons;
    unsigned char keyboardIndex = 0;  // the lookup dialog's, put back at close
    bool balloonShown = false;
};

// The dialog's radio buttons as the keyboard choice sees them: the lookup dialog's saved mode
// and letter buttons are not this dialog's business.
class RadioButtons : public KeyboardDialog {
public:
    explicit RadioButtons(HWND dialog) : dialog_(dialog) {}
    bool IsLookupDialog() const override { return false; }
    void SetRadioCaption(int radioId, const char* caption) override {
        SetWindowTextW(GetDlgItem(dialog_, radioId),
                       reinterpret_cast<const wchar_t*>(StoredToUtf16(caption).c_str()));
    }
    void ShowRadio(int radioId, bool visible) override {
        ShowWindow(GetDlgItem(dialog_, radioId), visible ? SW_SHOW : SW_HIDE);
    }
    void CheckRadio(int radioId, bool checked) override {
        CheckDlgButton(dialog_, radioId, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    void PostRefreshLetters() override {}
    void ActivateUsEnglishLayout() override { ::ActivateUsEnglishLayout(); }

private:
    HWND dialog_;
};

// Adds found words to the dialog's list, with 0x80000000 + record index as item data, and
// remembers each listed word by its record index.
class ListSink : public UserDictSink {
public:
    ListSink(HWND list, std::map<uint32_t, std::string>& words) : list_(list), words_(words) {}
    void Found(uint32_t index, const UserDictRecord& record) override {
        char word[kUserDictWordSize];
        UserDictFieldText(record.word, sizeof word, word);
        std::u16string text = StoredToUtf16(word);
        LRESULT item = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (item >= 0) {
            SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(item),
                         static_cast<LPARAM>(kUserDictItemFlag + index));
            words_[index] = word;
        }
    }

private:
    HWND list_;
    std::map<uint32_t, std::string>& words_;
};

std::u16string EditText(HWND dialog, int id) {
    wchar_t text[kUserDictTranslationSize * 2] = {};
    GetDlgItemTextW(dialog, id, text, static_cast<int>(sizeof text / sizeof text[0]));
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// An edit's text as stored bytes, character by character with the stand-ins of typed text; a
// character with none is left out.
std::string StoredEditText(HWND dialog, int id) {
    std::u16string typed = EditText(dialog, id);
    std::string stored;
    EncodeError error;
    while (!TypedToStored(typed, &stored, &error) && error.offset < typed.size()) {
        typed.erase(error.offset, 1);
    }
    return stored;
}

void SetStoredEditText(HWND dialog, int id, const char* stored) {
    SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(StoredToUtf16(stored).c_str()));
}

void ShowButtons(HWND dialog, const UserDictButtons& buttons) {
    // Add, Replace and Delete disable themselves when done, and a disabled control loses the
    // focus: Enter and Escape would then reach no one. The word edit takes it instead.
    HWND focus = GetFocus();
    EnableWindow(GetDlgItem(dialog, IDC_USERDICT_SEARCH), buttons.search);
    EnableWindow(GetDlgItem(dialog, IDC_USERDICT_ADD), buttons.add);
    EnableWindow(GetDlgItem(dialog, IDC_USERDICT_REPLACE), buttons.replace);
    EnableWindow(GetDlgItem(dialog, IDC_USERDICT_DELETE), buttons.remove);
    if (focus && GetParent(focus) == dialog && !IsWindowEnabled(focus)) {
        SendMessageW(dialog, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_USERDICT_WORD)), TRUE);
    }
}

// An edit shows its text in the Greek or the Latin font, by the script of what was typed.
void FollowScript(const UserDictionaryDialog& d, HWND dialog, int id) {
    std::u16string typed = EditText(dialog, id);
    HFONT font = IsGreekTypedText(typed) ? d.args.greekFont : d.args.latinFont;
    if (font) {
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void OnWordChange(UserDictionaryDialog& d, HWND dialog) {
    std::string word = StoredEditText(dialog, IDC_USERDICT_WORD);
    std::string translation = StoredEditText(dialog, IDC_USERDICT_TRANSLATION);
    if (word.find_first_not_of(' ') != std::string::npos) {
        FollowScript(d, dialog, IDC_USERDICT_WORD);
    }
    FollowWordEdit(word.c_str(), translation.c_str(), d.selected, d.buttons);
    ShowButtons(dialog, d.buttons);
}

void OnTranslationChange(UserDictionaryDialog& d, HWND dialog) {
    std::string word = StoredEditText(dialog, IDC_USERDICT_WORD);
    std::string translation = StoredEditText(dialog, IDC_USERDICT_TRANSLATION);
    if (word.find_first_not_of(' ') != std::string::npos && !translation.empty()) {
        FollowScript(d, dialog, IDC_USERDICT_TRANSLATION);
    }
    FollowTranslationEdit(word.c_str(), translation.c_str(), d.selected, d.buttons);
    ShowButtons(dialog, d.buttons);
}

// The record of the list's selected item; false when nothing (or no user word) is selected.
bool SelectedRecord(HWND dialog, int* item, uint32_t* index) {
    HWND list = GetDlgItem(dialog, IDC_WORD_LIST);
    *item = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (*item < 0) {
        return false;
    }
    uint32_t data = static_cast<uint32_t>(SendMessageW(list, LB_GETITEMDATA, *item, 0));
    if (!IsUserDictItem(data)) {
        return false;
    }
    *index = data - kUserDictItemFlag;
    return true;
}

// The word a listed record held when it was listed.
const char* ListedWord(const UserDictionaryDialog& d, uint32_t index) {
    auto word = d.listedWords.find(index);
    return word == d.listedWords.end() ? "" : word->second.c_str();
}

UserDictRecord RecordFromEdits(HWND dialog) {
    UserDictRecord record;
    MakeUserDictRecord(StoredEditText(dialog, IDC_USERDICT_WORD).c_str(),
                       StoredEditText(dialog, IDC_USERDICT_TRANSLATION).c_str(), &record);
    return record;
}

// Tells the user why a write did not happen; the edits keep what was typed.
void ReportRefusal(UserDictionaryDialog& d, HWND dialog, UserDictResult result) {
    if (result == UserDictResult::kReadError) {
        d.args.host->ShowDiskError(dialog);
    } else if (result == UserDictResult::kMarkerWord) {
        d.args.host->ShowNotice(dialog, IDS_USERDICT_MARKER_WORD);
    } else if (result == UserDictResult::kChanged) {
        d.args.host->ShowNotice(dialog, IDS_USERDICT_RECORD_CHANGED);
    } else {
        d.args.host->ShowNotice(dialog, IDS_USERDICT_WRITE_ERROR);
    }
}

// After an add or a replace: both edits and the list empty, nothing to delete.
void ClearEntry(UserDictionaryDialog& d, HWND dialog) {
    SetDlgItemTextW(dialog, IDC_USERDICT_WORD, L"");
    SetDlgItemTextW(dialog, IDC_USERDICT_TRANSLATION, L"");
    SendDlgItemMessageW(dialog, IDC_WORD_LIST, LB_RESETCONTENT, 0, 0);
    d.buttons.remove = false;
    ShowButtons(dialog, d.buttons);
}

void Search(UserDictionaryDialog& d, HWND dialog) {
    char word[kUserDictWordSize];
    std::string typed = StoredEditText(dialog, IDC_USERDICT_WORD);
    UserDictFieldText(typed.c_str(), kUserDictMaxWord + 1, word);
    HWND list = GetDlgItem(dialog, IDC_WORD_LIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    d.listedWords.clear();
    ListSink sink(list, d.listedWords);
    if (ListUserDict(*d.dict, word, sink) == UserDictResult::kReadError) {
        d.args.host->ShowDiskError(dialog);
    }
    d.buttons.remove = false;
    ShowButtons(dialog, d.buttons);
}

void Add(UserDictionaryDialog& d, HWND dialog) {
    uint32_t index;
    UserDictResult result = AppendUserDictRecord(*d.dict, RecordFromEdits(dialog), &index);
    if (result != UserDictResult::kOk) {
        ReportRefusal(d, dialog, result);
        return;
    }
    ClearEntry(d, dialog);
}

void Delete(UserDictionaryDialog& d, HWND dialog) {
    int item;
    uint32_t index;
    if (SelectedRecord(dialog, &item, &index)) {
        UserDictResult result = MarkUserDictRecordDeleted(*d.dict, index, ListedWord(d, index));
        // A record another session deleted or rewrote meanwhile leaves the list all the same:
        // the item no longer tells what the record holds.
        if (result == UserDictResult::kOk || result == UserDictResult::kDeleted ||
            result == UserDictResult::kChanged) {
            SendDlgItemMessageW(dialog, IDC_WORD_LIST, LB_DELETESTRING, item, 0);
        }
        if (result != UserDictResult::kOk && result != UserDictResult::kDeleted) {
            ReportRefusal(d, dialog, result);
        }
    }
    d.buttons.remove = false;
    d.buttons.replace = false;
    ShowButtons(dialog, d.buttons);
}

void Replace(UserDictionaryDialog& d, HWND dialog) {
    int item;
    uint32_t index;
    if (SelectedRecord(dialog, &item, &index)) {
        UserDictResult result =
            ReplaceUserDictRecord(*d.dict, index, RecordFromEdits(dialog), ListedWord(d, index));
        if (result != UserDictResult::kOk) {
            ReportRefusal(d, dialog, result);
            return;
        }
    }
    d.buttons.replace = false;
    ClearEntry(d, dialog);
}

void Load(UserDictionaryDialog& d, HWND dialog) {
    int item;
    uint32_t index;
    UserDictRecord record;
    if (!SelectedRecord(dialog, &item, &index) ||
        LoadUserDictRecord(*d.dict, index, &record) != UserDictResult::kOk) {
        return;
    }
    // Remembered first: the edits' change notifications compare with it.
    UserDictFieldText(record.word, sizeof d.selected.word, d.selected.word);
    UserDictFieldText(record.translation, sizeof d.selected.translation, d.selected.translation);
    SetStoredEditText(dialog, IDC_USERDICT_WORD, d.selected.word);
    SetStoredEditText(dialog, IDC_USERDICT_TRANSLATION, d.selected.translation);
    d.buttons.replace = false;
    d.buttons.add = false;
    ShowButtons(dialog, d.buttons);
}

void Close(UserDictionaryDialog& d, HWND dialog) {
    d.args.host->RemoveKeyboardHooks();
    CloseUserDict(*d.dict);
    KeyboardSelection& keyboard = *d.args.keyboard;
    keyboard.mode = keyboard.mainDialogMode;
    keyboard.index = d.keyboardIndex;
    EndDialog(dialog, IDCANCEL);
}

void LoadGreekCaptions(const UserDictionaryDialog& d, HWND dialog) {
    const char* texts = d.args.textsFile;
    LoadGreekTitle(dialog, KEY_USERDICT_TITLE, texts);
    const struct {
        int control;
        unsigned key;
    } captions[] = {
        {IDC_USERDICT_SEARCH, KEY_USERDICT_SEARCH},
        {IDC_USERDICT_ADD, KEY_USERDICT_ADD},
        {IDC_USERDICT_DELETE, KEY_USERDICT_DELETE},
        {IDC_USERDICT_REPLACE, KEY_USERDICT_REPLACE},
        {IDCANCEL, KEY_USERDICT_OK},
        {IDC_USERDICT_KEYBOARDS_GROUP, IDC_USERDICT_KEYBOARDS_GROUP},
        {IDC_USERDICT_WORD_CAPTION, IDC_USERDICT_WORD_CAPTION},
        {IDC_USERDICT_TRANSLATION_CAPTION, IDC_USERDICT_TRANSLATION_CAPTION},
    };
    for (const auto& caption : captions) {
        LoadGreekItem(dialog, caption.control, caption.key, texts);
    }
}

// The keyboard radio buttons as the lookup dialog shows them.
void CopyKeyboards(UserDictionaryDialog& d, HWND dialog) {
    const int radios[] = {IDC_KEYBOARD_SYSTEM, IDC_KEYBOARD_LANG1, IDC_KEYBOARD_LANG2};
    bool checked = false;
    for (int id : radios) {
        HWND theirs = GetDlgItem(d.owner, id);
        if (id == IDC_KEYBOARD_LANG2 && !(theirs && IsWindowVisible(theirs))) {
            ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
            continue;
        }
        wchar_t caption[kCaptionSize] = {};
        if (theirs) {
            GetWindowTextW(theirs, caption, kCaptionSize);
            SetDlgItemTextW(dialog, id, caption);
        }
        if (!checked && IsDlgButtonChecked(d.owner, id) == BST_CHECKED) {
            CheckDlgButton(dialog, id, BST_CHECKED);
            checked = true;
        }
    }
}

BOOL Init(HWND dialog, UserDictionaryDialog& d) {
    if (OpenUserDict(*d.dict, d.args.path, true) != UserDictResult::kOk) {
        d.args.host->ShowNotice(dialog, IDS_CANT_OPEN_USER_DICTIONARY);
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (d.args.greekTexts && d.args.textsFile) {
        LoadGreekCaptions(d, dialog);
    }
    SetDlgWindowPos(dialog, d.owner, FALSE);
    SendDlgItemMessageW(dialog, IDC_USERDICT_WORD, EM_LIMITTEXT, kUserDictMaxWord, 0);
    SendDlgItemMessageW(dialog, IDC_USERDICT_TRANSLATION, EM_LIMITTEXT, kUserDictMaxTranslation, 0);
    ShowButtons(dialog, d.buttons);
    CopyKeyboards(d, dialog);
    wchar_t word[kCaptionSize] = {};
    if (d.owner) {
        GetDlgItemTextW(d.owner, IDC_WORD_BOX, word, kCaptionSize);
    }
    word[kUserDictMaxWord] = L'\0';
    SetDlgItemTextW(dialog, IDC_USERDICT_WORD, word);
    d.args.host->SetCommandTarget(dialog);
    d.balloonShown = false;
    d.keyboardIndex = d.args.keyboard->index;
    return TRUE;
}

// The commands that each run one action: a button or key whatever its notification, an edit box
// on a change of its text. The command is the dialog's either way.
constexpr int kAnyNotification = -1;
struct CommandAction {
    int id;
    int code;
    void (*action)(UserDictionaryDialog& d, HWND dialog);
};
const CommandAction kCommandActions[] = {
    {IDC_USERDICT_WORD, EN_CHANGE, OnWordChange},
    {IDC_USERDICT_TRANSLATION, EN_CHANGE, OnTranslationChange},
    {IDC_USERDICT_SEARCH, kAnyNotification, Search},
    {IDC_USERDICT_ADD, kAnyNotification, Add},
    {IDC_USERDICT_DELETE, kAnyNotification, Delete},
    {IDC_USERDICT_REPLACE, kAnyNotification, Replace},
    {IDOK, kAnyNotification, Close},
    {IDCANCEL, kAnyNotification, Close},
    {CMD_USER_DICTIONARY, kAnyNotification, Close},
};

// Returns true when the command was this dialog's.
bool Command(UserDictionaryDialog& d, HWND dialog, int id, int code) {
    for (const CommandAction& command : kCommandActions) {
        if (command.id == id) {
            if (command.code == kAnyNotification || command.code == code) {
                command.action(d, dialog);
            }
            return true;
        }
    }
    switch (id) {
        case IDC_WORD_LIST:
            if (code == LBN_SELCHANGE) {
                d.buttons.remove = true;
                d.buttons.replace = false;
                ShowButtons(dialog, d.buttons);
            } else if (code == LBN_DBLCLK) {
                Load(d, dialog);
            }
            return true;
        case IDC_KEYBOARD_SYSTEM:
        case IDC_KEYBOARD_LANG1:
        case IDC_KEYBOARD_LANG2: {
            RadioButtons radios(dialog);
            SelectKeyboard(*d.args.keyboard, radios, id);
            return true;
        }
        case CMD_NEXT_KEYBOARD: {
            RadioButtons radios(dialog);
            NextKeyboard(*d.args.keyboard, radios);
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK UserDictionaryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<UserDictionaryDialog>(dialog, message, lParam);
    if (!d) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        return Init(dialog, *d);
    }
    INT_PTR result = FALSE;
    if (HandleHelpMessage(d->args.help, dialog, message, wParam, IDS_USERDICT_HELP_BASE,
                          &d->balloonShown, &result)) {
        return result;
    }
    switch (message) {
        case WM_COMMAND:
            CancelPendingBalloon(dialog);
            result = Command(*d, dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                d->args.host->RemoveKeyboardHooks();
            } else {
                d->args.host->InstallKeyboardHooks();
            }
            break;
        case WM_MEASUREITEM:
            return MeasureLookupItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM: {
            ItemLook look;
            look.instance = d->args.instance;
            look.greekFont = d->args.greekFont;
            look.latinFont = d->args.latinFont;
            return DrawLookupItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), look);
        }
    }
    // Whatever else happens ends a balloon on show.
    HideDialogBalloon(d->args.help, dialog, &d->balloonShown);
    return result;
}

}  // namespace

INT_PTR ShowUserDictionaryDialog(HWND owner, const UserDictionaryDialogArgs& args) {
    if (!args.host || !args.keyboard) {
        return 0;
    }
    UserDictionaryDialog d;
    d.args = args;
    d.owner = owner;
    INT_PTR result = DialogBoxParamW(args.instance, MAKEINTRESOURCEW(IDD_USER_DICTIONARY), owner,
                                     UserDictionaryProc, reinterpret_cast<LPARAM>(&d));
    CloseUserDict(*d.dict);  // closed already, unless the dialog ended some other way
    return result;
}
