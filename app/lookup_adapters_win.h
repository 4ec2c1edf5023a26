// The lookup dialog as the portable code sees it: the settings store's fields (the word box's
// history, the current word, the dictionary chosen), the keyboard selection's radio buttons,
// and the catalogue's dialog (list 12011, title, keyboards, notices, remembered choice); and as
// the user dictionary dialog sees its opener. Each takes the window and what else it needs as
// arguments.
#pragma once

#include <windows.h>

#include <cstddef>

#include "settings/interface_texts_win.h"
#include "settings/settings.h"
#include "engine/catalogue.h"
#include "keyboard/keyboard_selection.h"
#include "ui/list_controls_win.h"
#include "dialogs/user_dictionary_dialog_win.h"

// What the settings store touches: the history list of word box 12003, the dialog's
// current-word buffer, the engine's last searched word and the selection of list 12011.
class WinLookupFields : public LookupFields {
public:
    WinLookupFields(HWND dialog, char* currentWord, size_t currentWordSize, char* lastSearched);

    int HistoryCount() override;
    void HistoryText(int index, char* out, size_t size) override;
    void InsertHistory(int index, const char* word) override;
    void RemoveHistory(int index) override;
    void SelectHistory(int index) override;
    void SetCurrentWord(const char* word) override;
    void CurrentWord(char* out, size_t size) override;
    void ClearLastSearchedWord() override;
    bool SelectedDictionary(char* out, size_t size) override;

private:
    HWND dialog_;
    HWND history_;
    char* currentWord_;
    size_t currentWordSize_;
    char* lastSearched_;
};

// The keyboard radio buttons 12012 to 12014 of the lookup dialog.
class WinKeyboardDialog : public KeyboardDialog {
public:
    explicit WinKeyboardDialog(HWND dialog) : dialog_(dialog) {}
    bool IsLookupDialog() const override { return true; }
    void SetRadioCaption(int radioId, const char* caption) override;
    void ShowRadio(int radioId, bool visible) override;
    void CheckRadio(int radioId, bool checked) override;
    void PostRefreshLetters() override;
    void ActivateUsEnglishLayout() override;

private:
    HWND dialog_;
};

// What the catalogue touches in the lookup dialog: list 12011, the title, the keyboards, the
// notice and the disk error box, and the remembered choice of the settings INI file.
class WinCatalogueDialog : public CatalogueDialog {
public:
    // history: the settings INI file of the remembered choice; texts and language: the title of
    // the first run's choice and the notice.
    WinCatalogueDialog(HWND dialog, ProfileFile& history, const InterfaceTexts& texts,
                       const InterfaceLanguage& language);
    DictionaryList& Dictionaries() override { return list_; }
    void SetTitle(const char* title) override;
    void ApplyKeyboardDescription(const char* descriptor) override;
    void ShowInformation(unsigned stringId) override;
    void ShowDamagedDictionary(const char* path) override;
    void RememberedDictionary(char* buffer, size_t size) override;
    void ShowDiskError() override;

private:
    HWND dialog_;
    WinDictionaryList list_;
    ProfileFile& history_;
    const InterfaceTexts& texts_;
    InterfaceLanguage language_;
};

// What the user dictionary dialog asks of its opener: the notice in the interface language, the
// disk error box, and the keyboard hooks, whose commands go to the dialog while it is open.
class WinUserDictionaryHost : public UserDictionaryDialogHost {
public:
    explicit WinUserDictionaryHost(const InterfaceLanguage& language) : language_(language) {}
    void ShowNotice(HWND owner, UINT stringId) override;
    void ShowDiskError(HWND owner) override;
    void SetCommandTarget(HWND target) override;
    void InstallKeyboardHooks() override;
    void RemoveKeyboardHooks() override;

private:
    InterfaceLanguage language_;
};
