#include "ui/word_box_font_win.h"

#include <cstring>
#include <string>

#include "engine/code_pages.h"
#include "engine/folding.h"
#include "keyboard/keyboard_layout_win.h"
#include "resources/resource_ids.h"
#include "ui/lookup_rules.h"

namespace {

// The word box holds at most 39 characters.
constexpr int kMaxWordBoxChars = 39;

}  // namespace

void SetWordBoxFont(HWND dialog, WordBoxFont& font, bool greek, bool redraw) {
    font.isGreek = greek;
    HFONT handle = greek ? font.greek : font.latin;
    SendDlgItemMessageW(dialog, IDC_WORD_BOX, WM_SETFONT, reinterpret_cast<WPARAM>(handle), redraw);
}

void FollowWordFont(HWND dialog, WordBoxFont& font, const char* word) {
    bool greek = IsGreekText(word);
    if (greek != font.isGreek) {
        font.ignoreNextEdit = 1;
        SetWordBoxFont(dialog, font, greek, false);
    }
}

void ApplyWordFontRule(HWND dialog, WordBoxFont& font, unsigned char keyboardMode) {
    if (font.ignoreNextEdit != 0) {
        if (++font.ignoreNextEdit >= 2) {
            font.ignoreNextEdit = 0;
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
                                           keyboardMode, font.isGreek, length);
    if (choice.stop) {
        return;
    }
    if (choice.change) {
        SetWordBoxFont(dialog, font, choice.greek, false);
    }
    SetWindowTextW(box, text);
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(length, 0xFFFF));
}
