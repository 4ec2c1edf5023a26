#include "ui/stored_text_win.h"

#include <cstring>
#include <string>

#include "engine/code_pages.h"
#include "engine/folding.h"
#include "engine/interface_texts.h"

void StoredToWide(const char* stored, std::wstring* out) {
    out->clear();
    CodePage page = IsGreekText(stored) ? CodePage::kWindows1253 : CodePage::kWindows1252;
    // Both code pages decode every byte to one character of the Basic Multilingual Plane, so
    // each byte is one UTF-16 unit.
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(stored); *p; ++p) {
        out->push_back(static_cast<wchar_t>(DecodeCodePageByte(page, *p)));
    }
}

std::wstring StoredToWide(const char* stored) {
    std::wstring wide;
    StoredToWide(stored, &wide);
    return wide;
}

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
    // A list item or history entry is at most 149 stored bytes; room for every UTF-16 unit.
    constexpr size_t kItemChars = 160;
    wchar_t wide[kItemChars];
    size_t chars = maxChars < kItemChars - 1 ? maxChars : kItemChars - 1;
    wide[0] = L'\0';
    if (window) {
        GetWindowTextW(window, wide, static_cast<int>(chars + 1));
    }
    WideToStored(wide, out, maxChars + 1);
}

void GetStoredItemText(HWND control, bool combo, int index, char* out, size_t size) {
    if (size == 0) {
        return;
    }
    out[0] = '\0';
    // LB_ERR and CB_ERR are both -1.
    LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                 reinterpret_cast<LPARAM>(&wide[0]));
    WideToStored(wide.c_str(), out, size);
}

void ShowDiskErrorBox(HWND owner) {
    MessageBoxA(owner, kDiskErrorText, kDiskErrorCaption, MB_OK);
}
