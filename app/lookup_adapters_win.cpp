#include "app/lookup_adapters_win.h"

#include <cstdio>
#include <string>

#include "dialogs/information_win.h"
#include "keyboard/keyboard_hooks_win.h"
#include "keyboard/keyboard_layout_win.h"
#include "resources/resource_ids.h"
#include "ui/stored_text_win.h"

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
    GetStoredItemText(history_, true, index, out, size);
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
    PostMessageW(dialog_, MSG_REFRESH_LETTERS, 0, 0);
}

void WinKeyboardDialog::ActivateUsEnglishLayout() {
    ::ActivateUsEnglishLayout();
}

// ---- WinCatalogueDialog ----

WinCatalogueDialog::WinCatalogueDialog(HWND dialog, ProfileFile& history,
                                       const InterfaceTexts& texts,
                                       const InterfaceLanguage& language)
    : dialog_(dialog),
      list_(GetDlgItem(dialog, IDC_DICTIONARY_LIST)),
      history_(history),
      texts_(texts),
      language_(language) {}

void WinCatalogueDialog::SetTitle(const char* title) {
    SetStoredWindowText(dialog_, title);
}

void WinCatalogueDialog::ApplyKeyboardDescription(const char* descriptor) {
    WinKeyboardDialog keyboardDialog(dialog_);
    ::ApplyKeyboardDescription(CurrentKeyboard, keyboardDialog, descriptor);
}

void WinCatalogueDialog::ShowInformation(unsigned stringId) {
    ::ShowInformation(dialog_, stringId, language_);
}

void WinCatalogueDialog::ShowDamagedDictionary(const char* path) {
    ::ShowInformation(dialog_, IDS_DICTIONARY_DAMAGED, language_, path);
}

void WinCatalogueDialog::RememberedDictionary(char* buffer, size_t size) {
    if (size == 0 || ReadDictionaryChoice(history_, buffer, size)) {
        return;
    }
    // Nothing chosen yet (the first run): the Greek-English dictionary, not whichever entry
    // happens to sort first once language pairs are installed.
    texts_.Load(IDS_GREEK_ENGLISH_TITLE, language_.greek, buffer, size);
}

void WinCatalogueDialog::ShowDiskError() {
    ShowDiskErrorBox(dialog_);
}

// ---- WinUserDictionaryHost ----

void WinUserDictionaryHost::ShowNotice(HWND owner, UINT stringId) {
    ::ShowInformation(owner, stringId, language_);
}

void WinUserDictionaryHost::ShowDiskError(HWND owner) {
    ShowDiskErrorBox(owner);
}

void WinUserDictionaryHost::SetCommandTarget(HWND target) {
    SetKeyboardCommandTarget(target);
}

void WinUserDictionaryHost::InstallKeyboardHooks() {
    ::InstallKeyboardHooks(KeyboardCommandTarget());
}

void WinUserDictionaryHost::RemoveKeyboardHooks() {
    ::RemoveKeyboardHooks();
}
