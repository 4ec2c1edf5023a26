#include "keyboard/keyboard_layout_win.h"

#include <windows.h>

namespace {

constexpr WORD kLanguageUsEnglish = 0x0409;
// Bit 3 of the code-page field of a font signature: code page 1253.
constexpr DWORD kCodePageBitGreek = 8;

}  // namespace

bool IsGreekKeyboardLayout() {
    HKL layout = GetKeyboardLayout(0);
    LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(layout));
    LOCALESIGNATURE signature = {};
    // The wide call hands back the structure as it is; the narrow one would run its bytes
    // through a code-page conversion on the way.
    int got =
        GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_FONTSIGNATURE,
                       reinterpret_cast<LPWSTR>(&signature), sizeof(signature) / sizeof(WCHAR));
    return got != 0 && signature.lsCsbDefault[0] == kCodePageBitGreek;
}

bool ActivateUsEnglishLayout() {
    // Windows accepts only a loaded layout's handle here, not the bare language id: take the US
    // English layout from the loaded list, preferring the plain US keyboard over variants such
    // as Dvorak, whose keys the driver's tables do not describe.
    HKL layouts[64];
    int count = GetKeyboardLayoutList(64, layouts);
    HKL found = nullptr;
    for (int i = 0; i < count; ++i) {
        UINT_PTR value = reinterpret_cast<UINT_PTR>(layouts[i]);
        if (LOWORD(value) != kLanguageUsEnglish) {
            continue;
        }
        if (HIWORD(value) == kLanguageUsEnglish) {
            found = layouts[i];
            break;
        }
        if (found == nullptr) {
            found = layouts[i];
        }
    }
    if (found != nullptr) {
        return ActivateKeyboardLayout(found, KLF_REORDER) != nullptr;
    }
    return LoadKeyboardLayoutA("00000409", KLF_ACTIVATE | KLF_REORDER) != nullptr;
}
