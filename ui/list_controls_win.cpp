#include "ui/list_controls_win.h"

#include <string>

#include "resources/resource_ids.h"
#include "ui/stored_text_win.h"

// ---- WinListBox ----

void WinListBox::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

int WinListBox::Add(const char* text) {
    StoredToWide(text, &wide_);
    LRESULT index = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide_.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        return kListRefused;
    }
    return static_cast<int>(index);
}

void WinListBox::Reserve(int items, size_t textBytes) {
    // The list keeps its texts in UTF-16, one unit for each stored byte.
    SendMessageW(list_, LB_INITSTORAGE, static_cast<WPARAM>(items),
                 static_cast<LPARAM>(textBytes * sizeof(wchar_t)));
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
    GetStoredItemText(list_, false, index < Count() ? index : -1, buffer, size);
}

int WinListBox::FindExact(const char* text) const {
    LRESULT index = SendMessageW(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(StoredToWide(text).c_str()));
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

// ---- WinLookupView ----

WinLookupView::WinLookupView(HWND dialog, bool keepCursor)
    : dialog_(dialog),
      words_(GetDlgItem(dialog, IDC_WORD_LIST)),
      translations_(GetDlgItem(dialog, IDC_TRANSLATION_LIST)),
      keepCursor_(keepCursor) {}

void WinLookupView::SetStatusText(const char* text) {
    if (HWND status = GetDlgItem(dialog_, IDC_STATUS_LINE)) {
        SetStoredWindowText(status, text);
        // The message shows while the search is still running, before the dialog repaints.
        UpdateWindow(status);
    }
}

void WinLookupView::ShowGuessReason(const char* text) {
    if (GetDlgItem(dialog_, IDC_STATUS_LINE)) {
        SetStatusText(text);
    } else if (HWND hint = GetDlgItem(dialog_, IDC_HINT_LINE)) {
        SetStoredWindowText(hint, text);
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
    if (!keepCursor_) {
        savedCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    }
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
    if (!keepCursor_) {
        SetCursor(savedCursor_);
    }
}

void WinLookupView::ShowDiskError() {
    ShowDiskErrorBox(dialog_);
}

// ---- WinDictionaryList ----

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
    GetStoredItemText(list_, true, index < Count() ? index : -1, buffer, size);
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
