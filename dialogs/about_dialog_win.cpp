#include "dialogs/about_dialog_win.h"

#include <string>

#include "settings/interface_texts_win.h"
#include "dialogs/about_lines.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"
#include "ui/list_controls_win.h"
#include "ui/stored_text_win.h"
#include "ui/result_list_win.h"

namespace {

// The module the dialog was made from: its pictures are there.
HINSTANCE DialogInstance(HWND dialog) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
}

constexpr UINT kFirstFrameMs = 200;
constexpr UINT kNextFrameMs = 250;

struct AboutDialog {
    const char* textsFile = "";
    bool useGreek = false;
    const DictionaryTrailer* dictionary = nullptr;
    const DictionaryTrailer* second = nullptr;  // of a language pair
    HFONT listFont = nullptr;
};

// The information list is drawn centred in the program's small Greek font.
ItemLook AboutListLook(HWND dialog, const AboutDialog& data) {
    ItemLook look;
    look.instance = DialogInstance(dialog);
    look.smallGreekFont = data.listFont;
    return look;
}

static_assert(sizeof DictionaryTrailer::infoEnglish[0] == kAboutLineSize, "About line size");

void FillInformationList(HWND dialog, const AboutDialog& data) {
    WinListBox list(GetDlgItem(dialog, IDC_ABOUT_INFORMATION_LIST));
    list.Clear();
    const auto& lines = data.useGreek ? data.dictionary->infoGreek : data.dictionary->infoEnglish;
    const size_t count = sizeof lines / sizeof lines[0];
    std::vector<std::string> items;
    if (data.second != nullptr) {
        items = AboutPairListItems(
            lines, data.useGreek ? data.second->infoGreek : data.second->infoEnglish, count);
    } else {
        items = AboutListItems(lines, count);
    }
    for (const std::string& item : items) {
        list.Add(item.c_str());
    }
}

void OnInitDialog(HWND dialog, const AboutDialog& data) {
    if (data.useGreek) {
        LoadGreekTitle(dialog, KEY_ABOUT_TITLE, data.textsFile);
        LoadGreekItem(dialog, IDOK, KEY_ABOUT_OK, data.textsFile);
        LoadGreekItems(dialog, IDC_ABOUT_VERSION, IDC_ABOUT_PUBLISHER_LAST, data.textsFile);
    }
    SetDlgWindowPos(dialog, nullptr, FALSE);
    // The trailer's fields are terminated within their sizes when it is read.
    SetStoredWindowText(
        GetDlgItem(dialog, IDC_ABOUT_DICTIONARY_TITLE),
        data.useGreek ? data.dictionary->titleGreek : data.dictionary->titleEnglish);
    FillInformationList(dialog, data);
    ShowBitmapFrame(DialogInstance(dialog), dialog, kFrameReset, IDC_PICTURE, IDB_ABOUT_FIRST_FRAME,
                    ABOUT_LAST_FRAME);
    SetTimer(dialog, TIMER_PICTURE, kFirstFrameMs, nullptr);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The data is there from WM_INITDIALOG on; only the list's drawing reads it later.
    const AboutDialog* data = DialogData<AboutDialog>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, *data);
            return TRUE;
        case WM_TIMER:
            if (wParam == TIMER_PICTURE) {
                KillTimer(dialog, TIMER_PICTURE);
                ShowBitmapFrame(DialogInstance(dialog), dialog, kFrameNext, IDC_PICTURE,
                                IDB_ABOUT_FIRST_FRAME, ABOUT_LAST_FRAME);
                SetTimer(dialog, TIMER_PICTURE, kNextFrameMs, nullptr);
            }
            return FALSE;
        case WM_DRAWITEM:
            if (data == nullptr) {
                return FALSE;
            }
            DrawLookupItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                           AboutListLook(dialog, *data));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner, HINSTANCE instance, const char* textsFile, bool useGreek,
                     const DictionaryTrailer& dictionary, const DictionaryTrailer* second,
                     HFONT listFont) {
    AboutDialog data;
    data.textsFile = textsFile;
    data.useGreek = useGreek;
    data.dictionary = &dictionary;
    data.second = second;
    data.listFont = listFont;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&data));
}
