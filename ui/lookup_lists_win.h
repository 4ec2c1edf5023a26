// The engine's and the settings' views of the lookup dialog over its real controls: the match
// and translation lists, the status line and count, the word box's history, the keyboard radio
// buttons, the interface texts and the disk error box. Every text crosses this edge as UTF-16:
// stored bytes are decoded by their script on the way in and encoded per character on the way
// out, so Greek and accented Latin show right whatever the system code page is.
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/settings.h"
#include "engine/catalogue.h"
#include "engine/interface_texts.h"
#include "engine/lookup_view.h"
#include "keyboard/keyboard_selection.h"

// Stored bytes to a control's text, decoded by the script of the whole text.
void SetStoredWindowText(HWND window, const char* stored);
// A window's text as stored bytes, at most maxChars characters (out holds maxChars + 1), made
// character by character as the shell tools make typed text (TypedToStored): a character
// neither code page holds takes its stand-in, or becomes '?' when it has none.
void GetStoredWindowText(HWND window, char* out, size_t maxChars);
// UTF-16 to stored bytes the same way, cut to size - 1 bytes.
void WideToStored(const wchar_t* wide, char* out, size_t size);

// The message box of a failed dictionary read, owned by the lookup dialog (or no window).
void ShowDiskErrorBox(HWND owner);

// A real list box: the match list (unsorted) or the translation list (LBS_SORT).
class WinListBox : public ListBox {
public:
    explicit WinListBox(HWND list = nullptr) : list_(list) {}
    void Attach(HWND list) { list_ = list; }
    HWND Handle() const { return list_; }

    void Clear() override;
    int Add(const char* text) override;
    void SetItemData(int index, uint32_t data) override;
    uint32_t ItemData(int index) const override;
    int Count() const override;
    int Selection() const override;
    void Select(int index) override;
    void Text(int index, char* buffer, size_t size) const override;
    int FindExact(const char* text) const override;

private:
    HWND list_;
};

// Lists 12000 and 12001, status line 12007 and count 12008 of a lookup dialog (the small forms
// have no status line and count; writing to them is then skipped). While a search runs the
// lists do not redraw, so thousands of added items cost one paint.
class WinLookupView : public LookupView {
public:
    explicit WinLookupView(HWND dialog);

    ListBox& Words() override { return words_; }
    ListBox& Translations() override { return translations_; }
    void SetStatusText(const char* text) override;
    void SetCountText(const char* text) override;
    void ShowWaitCursor() override;
    void RestoreCursor() override;
    void ShowDiskError() override;

private:
    HWND dialog_;
    WinListBox words_;
    WinListBox translations_;
    HCURSOR savedCursor_ = nullptr;
    int waitDepth_ = 0;
};

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

// The "Dictionary to use" combo box 12011 (CBS_SORT).
class WinDictionaryList : public DictionaryList {
public:
    explicit WinDictionaryList(HWND list) : list_(list) {}
    int Add(const char* text, uint32_t data) override;
    int Count() const override;
    void Text(int index, char* buffer, size_t size) const override;
    uint32_t ItemData(int index) const override;
    int FindExact(const char* text) const override;
    void Select(int index) override;
    int Selection() const override;

private:
    HWND list_;
};

// What the catalogue touches in the lookup dialog: list 12011, the title, the keyboards, the
// notice and the disk error box, and the remembered choice of the settings INI file.
class WinCatalogueDialog : public CatalogueDialog {
public:
    explicit WinCatalogueDialog(HWND dialog);
    DictionaryList& Dictionaries() override { return list_; }
    void SetTitle(const char* title) override;
    void ApplyKeyboardDescription(const char* descriptor) override;
    void ShowInformation(unsigned stringId) override;
    void RememberedDictionary(char* buffer, size_t size) override;
    void ShowDiskError() override;

private:
    HWND dialog_;
    WinDictionaryList list_;
};

// Interface texts by string id: the string table for the English interface, the texts file's
// "DialogGreekTokens" for the Greek one; a Greek text that is missing keeps the English one.
class ProgramInterfaceTexts : public InterfaceTexts {
public:
    void Load(unsigned id, bool greek, char* buffer, size_t size) const override;
};

// The texts of the running program (string table of its module, its texts file).
const ProgramInterfaceTexts& ProgramTexts();
