#include "ui/clipboard_win.h"

#include <cstring>
#include <string>

#include "app/program_state_win.h"
#include "engine/code_pages.h"
#include "engine/folding.h"
#include "keyboard/keyboard_layout_win.h"
#include "keyboard/keyboard_selection.h"
#include "resources/resource_ids.h"
#include "ui/lookup_dialog_win.h"
#include "ui/lookup_lists_win.h"
#include "ui/lookup_rules.h"

namespace {

constexpr size_t kTranslationBufferSize = 151;
// Enough of a clipboard text for its leading blanks and a whole word.
constexpr size_t kClipboardPrefixChars = 400;

bool IsSmallForm() {
    return Program().settings.DialogState == 1;
}

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

void UpdateClipboardButtons(HWND dialog) {
    HWND translations = GetDlgItem(dialog, IDC_TRANSLATION_LIST);
    bool canCopy = SendMessageW(translations, LB_GETCOUNT, 0, 0) != LB_ERR &&
                   SendMessageW(translations, LB_GETCURSEL, 0, 0) != LB_ERR;
    bool small = IsSmallForm();
    EnableWindow(GetDlgItem(dialog, small ? IDC_SMALL_COPY : IDC_COPY), canCopy);
    EnableWindow(GetDlgItem(dialog, small ? IDC_SMALL_CLIPBOARD : IDC_CLIPBOARD),
                 ClipboardHasText());
}

void SetWordBoxFont(HWND dialog, bool greek, bool redraw) {
    LookupDialog().wordFontIsGreek = greek;
    HFONT font = greek ? Program().greekFont : Program().latinFont;
    SendDlgItemMessageW(dialog, IDC_WORD_BOX, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void FollowWordFont(HWND dialog) {
    LookupDialogState& state = LookupDialog();
    bool greek = IsGreekText(state.currentWord);
    if (greek != state.wordFontIsGreek) {
        state.ignoreNextEdit = 1;
        SetWordBoxFont(dialog, greek, false);
    }
}

void CopyTranslation(HWND dialog) {
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
    UpdateClipboardButtons(dialog);
}

void LookUpClipboardWord(HWND dialog) {
    if (!ClipboardHasText()) {
        return;
    }
    LookupDialogState& state = LookupDialog();
    if (OpenClipboard(dialog)) {
        char text[kClipboardPrefixChars];
        size_t length = 0;
        if (!ReadClipboardText(text, sizeof text, &length) || length < 2) {
            text[0] = '\0';
        }
        CloseClipboard();
        if (!PrepareClipboardWord(text, state.currentWord)) {
            return;
        }
    } else if (!PrepareClipboardWord("", state.currentWord)) {
        return;
    }
    state.currentScript = QueryScript::kFromBytes;
    if (strcmp(state.currentWord, Program().engine.lastSearched) != 0) {
        AddLookupHistory(dialog, state.currentWord);
        SearchLookupWord(dialog);
        UpdateClipboardButtons(dialog);
        FollowWordFont(dialog);
    }
}

void ApplyWordFontRule(HWND dialog) {
    LookupDialogState& state = LookupDialog();
    if (state.ignoreNextEdit != 0) {
        if (++state.ignoreNextEdit >= 2) {
            state.ignoreNextEdit = 0;
        }
        return;
    }
    // The box keeps the user's own characters: its text is read and put back as UTF-16, never
    // through the 8-bit form, which would show "é" as Greek or "λόγοςx" as Latin accents.
    HWND box = GetDlgItem(dialog, IDC_WORD_BOX);
    wchar_t text[kMaxWordBoxChars + 1] = {};
    GetWindowTextW(box, text, kMaxWordBoxChars + 1);
    std::u16string typed(text, text + wcslen(text));
    size_t first = typed.find_first_not_of(u' ');
    size_t last = typed.find_last_not_of(u' ');
    std::u16string trimmed =
        first == std::u16string::npos ? std::u16string() : typed.substr(first, last - first + 1);
    size_t length = typed.size();
    WordFontChoice choice = ChooseWordFont(IsGreekTypedText(trimmed), IsGreekKeyboardLayout(),
                                           CurrentKeyboard.mode, state.wordFontIsGreek, length);
    if (choice.stop) {
        return;
    }
    if (choice.change) {
        SetWordBoxFont(dialog, choice.greek, false);
    }
    SetWindowTextW(box, text);
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(length, 0xFFFF));
}
