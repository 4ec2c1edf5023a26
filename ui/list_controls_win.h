// The lookup window's lists over their real controls, as the engine and the catalogue see them:
// the match and translation lists with the status line and count (WinLookupView) and the
// "Dictionary to use" list. Every text crosses as UTF-16 (stored_text_win.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "engine/catalogue.h"
#include "engine/lookup_view.h"

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
    void Reserve(int items, size_t textBytes) override;

private:
    HWND list_;
    // The text of the item being added, its storage kept from one item to the next.
    std::wstring wide_;
};

// Lists 12000 and 12001, status line 12007 and count 12008 of a lookup dialog (the small forms
// have no status line and count; writing to them is then skipped). While a search runs the
// lists do not redraw, so thousands of added items cost one paint.
class WinLookupView : public LookupView {
public:
    // keepCursor: the search runs while the user types, and the pointer keeps its shape.
    explicit WinLookupView(HWND dialog, bool keepCursor = false);

    ListBox& Words() override { return words_; }
    ListBox& Translations() override { return translations_; }
    void SetStatusText(const char* text) override;
    // In the forms without the status line, in the hint line at the bottom, until the mouse
    // names another control there.
    void ShowGuessReason(const char* text) override;
    void SetCountText(const char* text) override;
    void ShowWaitCursor() override;
    void RestoreCursor() override;
    void ShowDiskError() override;

private:
    HWND dialog_;
    WinListBox words_;
    WinListBox translations_;
    bool keepCursor_;
    HCURSOR savedCursor_ = nullptr;
    int waitDepth_ = 0;
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
