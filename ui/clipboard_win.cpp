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
// A program that holds the clipboard open lets go within milliseconds; one that hangs must not
// hang the lookup window with it.
constexpr int kOpenAttempts = 40;
constexpr DWORD kOpenRetryMs = 5;

// The copy of one clipboard format's data that SetClipboardData can take, or null for formats
// that cannot be put back:
// - CF_OWNERDISPLAY: its owner draws it, and the owner is gone once the clipboard changes;
// - private handle formats (CF_PRIVATEFIRST..CF_PRIVATELAST): a handle of a kind only their
//   owner knows, freed by nobody;
// - GDI object formats (CF_GDIOBJFIRST..CF_GDIOBJLAST): a GDI object of unknown kind.
// Bitmaps, palettes and both kinds of metafile are GDI handles of known kinds and are copied as
// such; every other format is global memory, copied byte for byte.
HANDLE CopyClipboardHandle(UINT format, HANDLE data) {
    switch (format) {
        case CF_OWNERDISPLAY:
            return nullptr;
        case CF_BITMAP:
        case CF_DSPBITMAP:
            return CopyImage(data, IMAGE_BITMAP, 0, 0, 0);
        case CF_PALETTE: {
            HPALETTE palette = static_cast<HPALETTE>(data);
            UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
            if (count == 0) {
                return nullptr;
            }
            std::vector<BYTE> bytes(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
            LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(bytes.data());
            logical->palVersion = 0x300;
            logical->palNumEntries = static_cast<WORD>(count);
            GetPaletteEntries(palette, 0, count, logical->palPalEntry);
            return CreatePalette(logical);
        }
        case CF_ENHMETAFILE:
        case CF_DSPENHMETAFILE:
            return CopyEnhMetaFile(static_cast<HENHMETAFILE>(data), nullptr);
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT: {
            const METAFILEPICT* picture = static_cast<const METAFILEPICT*>(GlobalLock(data));
            if (!picture) {
                return nullptr;
            }
            METAFILEPICT copy = *picture;
            GlobalUnlock(data);
            copy.hMF = CopyMetaFileW(copy.hMF, nullptr);
            HGLOBAL block = copy.hMF ? GlobalAlloc(GMEM_MOVEABLE, sizeof copy) : nullptr;
            void* target = block ? GlobalLock(block) : nullptr;
            if (!target) {
                DeleteMetaFile(copy.hMF);
                GlobalFree(block);
                return nullptr;
            }
            memcpy(target, &copy, sizeof copy);
            GlobalUnlock(block);
            return block;
        }
    }
    if ((format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
        (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST)) {
        return nullptr;
    }
    SIZE_T size = GlobalSize(data);
    const void* source = GlobalLock(data);
    if (!source) {
        return nullptr;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* target = block ? GlobalLock(block) : nullptr;
    if (target) {
        memcpy(target, source, size);
        GlobalUnlock(block);
    } else if (block) {
        GlobalFree(block);
        block = nullptr;
    }
    GlobalUnlock(data);
    return block;
}

void FreeClipboardHandle(UINT format, HANDLE handle) {
    switch (format) {
        case CF_BITMAP:
        case CF_DSPBITMAP:
        case CF_PALETTE:
            DeleteObject(handle);
            return;
        case CF_ENHMETAFILE:
        case CF_DSPENHMETAFILE:
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle));
            return;
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT:
            if (const METAFILEPICT* picture =
                    static_cast<const METAFILEPICT*>(GlobalLock(handle))) {
                DeleteMetaFile(picture->hMF);
                GlobalUnlock(handle);
            }
            break;
    }
    GlobalFree(handle);
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
    if (!OpenClipboardPatiently(owner)) {
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

bool OfferTextLate(HWND owner) {
    if (!OpenClipboardPatiently(owner)) {
        return false;
    }
    bool offered = EmptyClipboard();
    if (offered) {
        SetClipboardData(CF_UNICODETEXT, nullptr);
        SetClipboardData(CF_TEXT, nullptr);
    }
    CloseClipboard();
    return offered;
}

void RenderStoredText(UINT format, const char* stored) {
    if (format == CF_TEXT) {
        SetClipboardBlock(CF_TEXT, stored, strlen(stored) + 1);
    } else if (format == CF_UNICODETEXT) {
        std::u16string wide = StoredToUtf16(stored);
        SetClipboardBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    }
}

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(kOpenRetryMs);
    }
    return false;
}

bool ClipboardSnapshot::Take(HWND owner) {
    Discard();
    if (!OpenClipboardPatiently(owner)) {
        return false;
    }
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        HANDLE data = GetClipboardData(format);
        HANDLE copy = data ? CopyClipboardHandle(format, data) : nullptr;
        if (copy) {
            items_.push_back(Item{format, copy});
        }
    }
    sequence_ = GetClipboardSequenceNumber();
    CloseClipboard();
    held_ = true;
    return true;
}

bool ClipboardSnapshot::GiveBack(HWND owner) {
    if (!held_) {
        return false;
    }
    if (GetClipboardSequenceNumber() == sequence_) {
        // Untouched: what is there is the user's own, delayed formats included.
        Discard();
        return true;
    }
    if (!OpenClipboardPatiently(owner)) {
        Discard();
        return false;
    }
    EmptyClipboard();
    for (Item& item : items_) {
        if (SetClipboardData(item.format, item.handle)) {
            item.handle = nullptr;  // the clipboard owns it now
        }
    }
    CloseClipboard();
    Discard();
    return true;
}

void ClipboardSnapshot::Discard() {
    for (const Item& item : items_) {
        if (item.handle) {
            FreeClipboardHandle(item.format, item.handle);
        }
    }
    items_.clear();
    held_ = false;
}
