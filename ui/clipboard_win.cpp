#include "ui/clipboard_win.h"

#include <cstring>
#include <string>

#include "engine/code_pages.h"
#include "engine/folding.h"
#include "resources/resource_ids.h"
#include "ui/list_controls_win.h"
#include "ui/stored_text_win.h"
#include "ui/lookup_rules.h"

namespace {

constexpr size_t kTranslationBufferSize = 151;
// Enough of a clipboard text for its leading blanks and a whole word.
constexpr size_t kClipboardPrefixChars = 400;

// Hands a global block to the clipboard, or frees it when the clipboard does not take it.
void SetClipboardBlock(UINT format, const void* data, size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (!block) {
        return;
    }
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return;
    }
    memcpy(target, data, bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) {
        GlobalFree(block);
    }
}

// The first part of the clipboard's text as stored bytes (the Unicode form preferred, so text
// from any program reads the same whatever the system code page) and the length of the whole
// text. False when there is no text.
bool ReadClipboardText(char* prefix, size_t prefixSize, size_t* totalLength) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const wchar_t* wide = static_cast<const wchar_t*>(GlobalLock(data));
        if (!wide) {
            return false;
        }
        size_t limit = GlobalSize(data) / sizeof(wchar_t);
        size_t length = 0;
        while (length < limit && wide[length]) {
            ++length;
        }
        std::wstring head(wide, length < prefixSize - 1 ? length : prefixSize - 1);
        GlobalUnlock(data);
        WideToStored(head.c_str(), prefix, prefixSize);
        *totalLength = length;
        return true;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const char* text = static_cast<const char*>(GlobalLock(data));
        if (!text) {
            return false;
        }
        size_t limit = GlobalSize(data);
        size_t length = 0;
        while (length < limit && text[length]) {
            ++length;
        }
        size_t n = length < prefixSize - 1 ? length : prefixSize - 1;
        memcpy(prefix, text, n);
        prefix[n] = '\0';
        GlobalUnlock(data);
        *totalLength = length;
        return true;
    }
    return false;
}

}  // namespace

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT);
}

void UpdateClipboardButtons(HWND dialog, bool smallForm) {
    HWND translations = GetDlgItem(dialog, IDC_TRANSLATION_LIST);
    bool canCopy = SendMessageW(translations, LB_GETCOUNT, 0, 0) != LB_ERR &&
                   SendMessageW(translations, LB_GETCURSEL, 0, 0) != LB_ERR;
    EnableWindow(GetDlgItem(dialog, smallForm ? IDC_SMALL_COPY : IDC_COPY), canCopy);
    EnableWindow(GetDlgItem(dialog, smallForm ? IDC_SMALL_CLIPBOARD : IDC_CLIPBOARD),
                 ClipboardHasText());
}

void CopyTranslation(HWND dialog, bool smallForm) {
    WinListBox translations(GetDlgItem(dialog, IDC_TRANSLATION_LIST));
    int selection = translations.Selection();
    if (selection < 0) {
        return;
    }
    char text[kTranslationBufferSize] = {};
    translations.Text(selection, text, sizeof text);
    if (!OpenClipboard(nullptr)) {
        return;
    }
    if (EmptyClipboard()) {
        size_t length = strlen(text);
        std::string stored(text);
        stored += ' ';
        SetClipboardBlock(CF_TEXT, stored.c_str(), length + 2);
        std::u16string wide = StoredToUtf16(text);
        wide += u' ';
        SetClipboardBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    }
    CloseClipboard();
    UpdateClipboardButtons(dialog, smallForm);
}

bool ReadClipboardWord(HWND owner, char* word) {
    if (!ClipboardHasText()) {
        return false;
    }
    if (!OpenClipboard(owner)) {
        return PrepareClipboardWord("", word);
    }
    char text[kClipboardPrefixChars];
    size_t length = 0;
    if (!ReadClipboardText(text, sizeof text, &length) || length < 2) {
        text[0] = '\0';
    }
    CloseClipboard();
    return PrepareClipboardWord(text, word);
}
