#include "ui/lookup_lists_win.h"

#include <cstring>
#include <string>

#include "app/information_win.h"
#include "app/interface_texts_win.h"
#include "app/settings_win.h"
#include "app/program_state_win.h"
#include "engine/code_pages.h"
#include "keyboard/keyboard_layout_win.h"
#include "resources/resource_ids.h"

namespace {

// A list item or history entry is at most 149 stored bytes; room for every UTF-16 unit of it.
constexpr size_t kItemChars = 160;

std::wstring StoredToWide(const char* stored) {
    std::u16string text = StoredToUtf16(stored);
    return std::wstring(text.begin(), text.end());
}

}  // namespace

void WideToStored(const wchar_t* wide, char* out, size_t size) {
    if (size == 0) {
        return;
    }
    std::u16string text(wide, wide + wcslen(wide));
    std::string stored;
    EncodeError error;
    // A character with no stand-in at all reads as '?', and the rest of the text still counts.
    // Control characters are no typed text but stay what they are: a clipboard word keeps its
    // line breaks and tabs.
    std::string piece;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] >= 0x20) {
            continue;
        }
        std::u16string part = text.substr(start, i - start);
        while (!TypedToStored(part, &piece, &error) && error.offset < part.size()) {
            part[error.offset] = u'?';
        }
        stored += piece;
        if (i < text.size()) {
            stored += static_cast<char>(text[i]);
        }
        start = i + 1;
    }
    size_t n = stored.size() < size - 1 ? stored.size() : size - 1;
    memcpy(out, stored.data(), n);
    out[n] = '\0';
}

void SetStoredWindowText(HWND window, const char* stored) {
    SetWindowTextW(window, StoredToWide(stored).c_str());
}

void GetStoredWindowText(HWND window, char* out, size_t maxChars) {
    wchar_t wide[kItemChars];
    size_t chars = maxChars < kItemChars - 1 ? maxChars : kItemChars - 1;
    wide[0] = L'\0';
    if (window) {
        GetWindowTextW(window, wide, static_cast<int>(chars + 1));
    }
    WideToStored(wide, out, maxChars + 1);
}

void ShowDiskErrorBox(HWND owner) {
    MessageBoxA(owner, kDiskErrorText, kDiskErrorCaption, MB_OK);
}

// ---- WinListBox ----

void WinListBox::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

int WinListBox::Add(const char* text) {
    LRESULT index =
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(StoredToWide(text).c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        return kListRefused;
    }
    return static_cast<int>(index);
}

void WinListBox::SetItemData(int index, uint32_t data) {
    SendMessageW(list_, LB_SETITEMDATA, index, static_cast<LPARAM>(data));
}

uint32_t WinListBox::ItemData(int index) const {
    if (index < 0 || index >= Count()) {
        return kNoItemData;
    }
    return static_cast<uint32_t>(SendMessageW(list_, LB_GETITEMDATA, index, 0));
}

int WinListBox::Count() const {
    LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int WinListBox::Selection() const {
    LRESULT selection = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

void WinListBox::Select(int index) {
    SendMessageW(list_, LB_SETCURSEL, index >= 0 && index < Count() ? index : -1, 0);
}

void WinListBox::Text(int index, char* buffer, size_t size) const {
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (index < 0 || index >= Count()) {
        return;
    }
    LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    WideToStored(wide.c_str(), buffer, size);
}

int WinListBox::FindExact(const char* text) const {
    LRESULT index = SendMessageW(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(StoredToWide(text).c_str()));
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

// ---- WinLookupView ----

WinLookupView::WinLookupView(HWND dialog)
    : dialog_(dialog),
      words_(GetDlgItem(dialog, IDC_WORD_LIST)),
      translations_(GetDlgItem(dialog, IDC_TRANSLATION_LIST)) {}

void WinLookupView::SetStatusText(const char* text) {
    if (HWND status = GetDlgItem(dialog_, IDC_STATUS_LINE)) {
        SetStoredWindowText(status, text);
        // The message shows while the search is still running, before the dialog repaints.
        UpdateWindow(status);
    }
}

void WinLookupView::SetCountText(const char* text) {
    if (HWND count = GetDlgItem(dialog_, IDC_MATCH_COUNT)) {
        SetStoredWindowText(count, text);
    }
}

void WinLookupView::ShowWaitCursor() {
    if (waitDepth_++ > 0) {
        return;
    }
    savedCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    SendMessageW(words_.Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(translations_.Handle(), WM_SETREDRAW, FALSE, 0);
}

void WinLookupView::RestoreCursor() {
    if (waitDepth_ == 0 || --waitDepth_ > 0) {
        return;
    }
    for (HWND list : {words_.Handle(), translations_.Handle()}) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    SetCursor(savedCursor_);
}

void WinLookupView::ShowDiskError() {
    ShowDiskErrorBox(dialog_);
}

// ---- WinLookupFields ----

WinLookupFields::WinLookupFields(HWND dialog, char* currentWord, size_t currentWordSize,
                                 char* lastSearched)
    : dialog_(dialog),
      history_(GetDlgItem(dialog, IDC_WORD_BOX)),
      currentWord_(currentWord),
      currentWordSize_(currentWordSize),
      lastSearched_(lastSearched) {}

int WinLookupFields::HistoryCount() {
    LRESULT count = SendMessageW(history_, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

void WinLookupFields::HistoryText(int index, char* out, size_t size) {
    if (size == 0) {
        return;
    }
    out[0] = '\0';
    LRESULT length = SendMessageW(history_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(history_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    WideToStored(wide.c_str(), out, size);
}

void WinLookupFields::InsertHistory(int index, const char* word) {
    SendMessageW(history_, CB_INSERTSTRING, index,
                 reinterpret_cast<LPARAM>(StoredToWide(word).c_str()));
}

void WinLookupFields::RemoveHistory(int index) {
    SendMessageW(history_, CB_DELETESTRING, index, 0);
}

void WinLookupFields::SelectHistory(int index) {
    SendMessageW(history_, CB_SETCURSEL, index, 0);
}

void WinLookupFields::SetCurrentWord(const char* word) {
    snprintf(currentWord_, currentWordSize_, "%s", word);
}

void WinLookupFields::CurrentWord(char* out, size_t size) {
    snprintf(out, size, "%s", currentWord_);
}

void WinLookupFields::ClearLastSearchedWord() {
    lastSearched_[0] = '\0';
}

bool WinLookupFields::SelectedDictionary(char* out, size_t size) {
    WinDictionaryList list(GetDlgItem(dialog_, IDC_DICTIONARY_LIST));
    int selection = list.Selection();
    if (selection < 0 || size == 0) {
        return false;
    }
    list.Text(selection, out, size);
    return true;
}

// ---- WinKeyboardDialog ----

void WinKeyboardDialog::SetRadioCaption(int radioId, const char* caption) {
    if (HWND radio = GetDlgItem(dialog_, radioId)) {
        SetStoredWindowText(radio, caption);
    }
}

void WinKeyboardDialog::ShowRadio(int radioId, bool visible) {
    if (HWND radio = GetDlgItem(dialog_, radioId)) {
        ShowWindow(radio, visible ? SW_SHOW : SW_HIDE);
    }
}

void WinKeyboardDialog::CheckRadio(int radioId, bool checked) {
    CheckDlgButton(dialog_, radioId, checked ? BST_CHECKED : BST_UNCHECKED);
}

void WinKeyboardDialog::PostRefreshLetters() {
    PostMessageW(dialog_, kMessageRefreshLetters, 0, 0);
}

void WinKeyboardDialog::ActivateUsEnglishLayout() {
    ::ActivateUsEnglishLayout();
}

// ---- WinDictionaryList ----

namespace {

void ComboText(HWND combo, int index, char* buffer, size_t size) {
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    WideToStored(wide.c_str(), buffer, size);
}

}  // namespace

int WinDictionaryList::Add(const char* text, uint32_t data) {
    LRESULT index =
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(StoredToWide(text).c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) {
        return -1;
    }
    SendMessageW(list_, CB_SETITEMDATA, index, static_cast<LPARAM>(data));
    return static_cast<int>(index);
}

int WinDictionaryList::Count() const {
    LRESULT count = SendMessageW(list_, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

void WinDictionaryList::Text(int index, char* buffer, size_t size) const {
    if (index < 0 || index >= Count()) {
        if (size) {
            buffer[0] = '\0';
        }
        return;
    }
    ComboText(list_, index, buffer, size);
}

uint32_t WinDictionaryList::ItemData(int index) const {
    if (index < 0 || index >= Count()) {
        return kNoItemData;
    }
    return static_cast<uint32_t>(SendMessageW(list_, CB_GETITEMDATA, index, 0));
}

int WinDictionaryList::FindExact(const char* text) const {
    LRESULT index = SendMessageW(list_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(StoredToWide(text).c_str()));
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void WinDictionaryList::Select(int index) {
    SendMessageW(list_, CB_SETCURSEL, index, 0);
}

int WinDictionaryList::Selection() const {
    LRESULT selection = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

// ---- WinCatalogueDialog ----

WinCatalogueDialog::WinCatalogueDialog(HWND dialog)
    : dialog_(dialog), list_(GetDlgItem(dialog, IDC_DICTIONARY_LIST)) {}

void WinCatalogueDialog::SetTitle(const char* title) {
    SetStoredWindowText(dialog_, title);
}

void WinCatalogueDialog::ApplyKeyboardDescription(const char* descriptor) {
    WinKeyboardDialog keyboardDialog(dialog_);
    ::ApplyKeyboardDescription(CurrentKeyboard, keyboardDialog, descriptor);
}

void WinCatalogueDialog::ShowInformation(unsigned stringId) {
    ::ShowInformation(dialog_, stringId);
}

void WinCatalogueDialog::RememberedDictionary(char* buffer, size_t size) {
    if (size == 0 || ReadDictionaryChoice(*ProcessSettingsStorage().history, buffer, size)) {
        return;
    }
    // Nothing chosen yet (the first run): the Greek-English dictionary, not whichever entry
    // happens to sort first once language pairs are installed.
    ProgramTexts().Load(kTextGreekEnglishTitle, Program().settings.UseGreek != 0, buffer, size);
}

void WinCatalogueDialog::ShowDiskError() {
    ShowDiskErrorBox(dialog_);
}

// ---- ProgramInterfaceTexts ----

void ProgramInterfaceTexts::Load(unsigned id, bool greek, char* buffer, size_t size) const {
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (greek && GetGreekText(id, buffer, size, Program().textsFile) > 0) {
        return;
    }
    wchar_t wide[kItemChars];
    if (LoadStringW(Program().instance, id, wide, kItemChars) > 0) {
        WideToStored(wide, buffer, size);
    } else {
        snprintf(buffer, size, "%s", EnglishInterfaceText(id));
    }
}

const ProgramInterfaceTexts& ProgramTexts() {
    static const ProgramInterfaceTexts texts;
    return texts;
}
