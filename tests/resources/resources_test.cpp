// The program's resources as the Windows loader sees them: every dialog template creates its
// controls with the right ids, kinds and rectangles, every text loads as the right UTF-16, every
// button bitmap exists in its looks and is a distinct 16-colour picture, and the icon and the
// click sound are what their users expect.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/ui/canvas_win.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

// RT_BITMAP and RT_RCDATA in their wide forms (the headers give them as narrow strings here).
const LPCWSTR kBitmapType = MAKEINTRESOURCEW(2);
const LPCWSTR kRawDataType = MAKEINTRESOURCEW(10);

// ---- Dialog templates ----

enum class Kind {
    OwnerButton,
    Radio,
    PushButton,
    GroupBox,
    WordBoxFixed,     // drop-down combo, owner-drawn fixed-height items with strings
    WordBoxVariable,  // the same with variable-height items
    DictionaryList,   // drop-down list, sorted
    MatchList,        // owner-drawn variable-height list, not sorted
    TranslationList,  // the same, sorted
    LeftText,
    RightText,
    Frame,
    Edit,
};

struct ExpectedControl {
    int id;
    Kind kind;
    int x, y, w, h;  // dialog units
    bool visible;
};

struct ExpectedTemplate {
    int id;
    const wchar_t* title;
    int w, h;  // client size in dialog units
    bool sizable;
    std::vector<ExpectedControl> controls;
};

std::vector<ExpectedControl> LetterButtons() {
    std::vector<ExpectedControl> buttons;
    for (int k = 0; k <= 12; k++) {
        buttons.push_back({IDC_LETTER_FIRST + k, Kind::OwnerButton, 3 + 13 * k, 11, 13, 20, true});
        buttons.push_back({113 + k, Kind::OwnerButton, 3 + 13 * k, 31, 13, 20, true});
    }
    return buttons;
}

std::vector<ExpectedTemplate> Templates() {
    std::vector<ExpectedControl> full = LetterButtons();
    full.insert(full.end(),
                {
                    {IDC_KEYBOARDS_GROUP, Kind::GroupBox, 176, 5, 57, 49, true},
                    {IDC_KEYBOARD_SYSTEM, Kind::Radio, 178, 15, 51, 12, true},
                    {IDC_KEYBOARD_LANG1, Kind::Radio, 178, 26, 51, 12, true},
                    {IDC_KEYBOARD_LANG2, Kind::Radio, 178, 38, 52, 12, true},
                    {IDC_COPY, Kind::OwnerButton, 238, 9, 60, 16, true},
                    {IDC_CLIPBOARD, Kind::OwnerButton, 238, 31, 60, 16, true},
                    {IDC_CAPTION_WORD, Kind::LeftText, 4, 53, 111, 8, true},
                    {IDC_CAPTION_DICTIONARY, Kind::RightText, 176, 54, 120, 8, true},
                    {IDC_WORD_BOX, Kind::WordBoxFixed, 3, 64, 134, 177, true},
                    {IDC_SEARCH, Kind::OwnerButton, 142, 64, 15, 13, true},
                    {IDC_DICTIONARY_LIST, Kind::DictionaryList, 166, 64, 132, 128, true},
                    {IDC_WORD_LIST, Kind::MatchList, 4, 84, 153, 141, true},
                    {IDC_TRANSLATION_LIST, Kind::TranslationList, 166, 84, 132, 140, true},
                    {IDC_STATUS_LINE, Kind::LeftText, 5, 226, 290, 8, true},
                    {IDC_HINT_LINE, Kind::LeftText, 5, 236, 294, 8, true},
                    {IDC_MATCH_COUNT, Kind::LeftText, 54, -52, 47, 8, true},
                    {IDC_UNUSED_EDIT, Kind::Edit, 40, -39, 129, 12, true},
                });
    return {
        {IDD_LOOKUP_FULL, L"Wordmere", 303, 247, false, full},
        {IDD_LOOKUP_COMPACT,
         L"Wordmere",
         304,
         235,
         false,
         {
             {IDC_COPY, Kind::OwnerButton, 5, 3, 60, 16, true},
             {IDC_CLIPBOARD, Kind::OwnerButton, 70, 3, 60, 16, true},
             {IDC_CAPTION_DICTIONARY, Kind::RightText, 168, 11, 127, 8, true},
             {IDC_WORD_BOX, Kind::WordBoxVariable, 5, 24, 130, 195, true},
             {IDC_SEARCH, Kind::OwnerButton, 141, 24, 15, 13, true},
             {IDC_DICTIONARY_LIST, Kind::DictionaryList, 166, 24, 132, 128, true},
             {IDC_WORD_LIST, Kind::MatchList, 5, 45, 156, 177, true},
             {IDC_TRANSLATION_LIST, Kind::TranslationList, 166, 45, 133, 177, true},
             {IDC_HINT_LINE, Kind::LeftText, 4, 224, 296, 8, true},
             {IDC_KEYBOARD_SYSTEM, Kind::Radio, 239, -69, 63, 12, true},
             {IDC_KEYBOARD_LANG1, Kind::Radio, 239, -53, 63, 12, true},
             {IDC_KEYBOARD_LANG2, Kind::Radio, 239, -36, 63, 12, true},
             {IDC_KEYBOARD_HINT, Kind::PushButton, 192, -83, 36, 20, false},
             {IDC_UNUSED_EDIT, Kind::Edit, 81, -52, 132, 17, false},
         }},
        {IDD_LOOKUP_SMALL,
         L"Wordmere",
         342,
         64,
         true,
         {
             {IDC_WORD_BOX, Kind::WordBoxVariable, 3, 3, 131, 63, true},
             {IDC_SEARCH, Kind::OwnerButton, 138, 2, 15, 13, true},
             {IDC_SMALL_COPY, Kind::OwnerButton, 155, 2, 15, 13, true},
             {IDC_SMALL_CLIPBOARD, Kind::OwnerButton, 172, 2, 15, 13, true},
             {IDC_DICTIONARY_LIST, Kind::DictionaryList, 192, 3, 145, 62, true},
             {IDC_WORD_LIST, Kind::MatchList, 3, 19, 163, 45, true},
             {IDC_TRANSLATION_LIST, Kind::TranslationList, 170, 19, 169, 45, true},
             {IDC_HINT_LINE, Kind::LeftText, 247, -50, 49, 8, true},
             {IDC_KEYBOARD_SYSTEM, Kind::Radio, 116, -95, 63, 12, true},
             {IDC_KEYBOARD_LANG1, Kind::Radio, 116, -79, 63, 12, true},
             {IDC_KEYBOARD_LANG2, Kind::Radio, 116, -62, 63, 12, true},
             {IDC_UNUSED_EDIT, Kind::Edit, 79, -58, 132, 17, false},
         }},
        {IDD_INFORMATION,
         L"Information",
         283,
         84,
         false,
         {
             {IDC_INFORMATION_FRAME, Kind::Frame, 2, 4, 279, 54, false},
             {IDC_PICTURE, Kind::Frame, 7, 10, 31, 36, false},
             {IDC_INFORMATION_TEXT, Kind::LeftText, 42, 9, 233, 38, true},
             {IDOK, Kind::PushButton, 100, 60, 82, 20, true},
         }},
    };
}

const wchar_t* ClassOf(Kind kind) {
    switch (kind) {
        case Kind::WordBoxFixed:
        case Kind::WordBoxVariable:
        case Kind::DictionaryList:
            return L"ComboBox";
        case Kind::MatchList:
        case Kind::TranslationList:
            return L"ListBox";
        case Kind::LeftText:
        case Kind::RightText:
        case Kind::Frame:
            return L"Static";
        case Kind::Edit:
            return L"Edit";
        default:
            return L"Button";
    }
}

// What the style must say for the kind; empty when it does.
std::string StyleFault(Kind kind, DWORD style) {
    auto need = [&](DWORD bits, const char* what) -> std::string {
        return (style & bits) == bits ? "" : std::string("missing ") + what;
    };
    auto lacks = [&](DWORD bits, const char* what) -> std::string {
        return (style & bits) == 0 ? "" : std::string("unexpected ") + what;
    };
    auto combine = [](std::initializer_list<std::string> parts) {
        std::string all;
        for (const std::string& p : parts) {
            all += p.empty() ? "" : p + "; ";
        }
        return all;
    };
    const DWORD buttonType = style & BS_TYPEMASK;
    const DWORD comboType = style & 3;
    switch (kind) {
        case Kind::OwnerButton:
            return buttonType == BS_OWNERDRAW ? "" : "not owner-drawn";
        case Kind::Radio:
            return buttonType == BS_RADIOBUTTON ? "" : "not a plain radio button";
        case Kind::PushButton:
            return buttonType == BS_PUSHBUTTON || buttonType == BS_DEFPUSHBUTTON
                       ? ""
                       : "not a push button";
        case Kind::GroupBox:
            return buttonType == BS_GROUPBOX ? "" : "not a group box";
        case Kind::WordBoxFixed:
        case Kind::WordBoxVariable:
            return combine(
                {comboType == CBS_DROPDOWN ? "" : "not a drop-down",
                 need(kind == Kind::WordBoxFixed ? CBS_OWNERDRAWFIXED : CBS_OWNERDRAWVARIABLE,
                      "owner-draw kind"),
                 lacks(kind == Kind::WordBoxFixed ? CBS_OWNERDRAWVARIABLE : CBS_OWNERDRAWFIXED,
                       "owner-draw kind"),
                 need(CBS_HASSTRINGS, "CBS_HASSTRINGS"), need(WS_VSCROLL, "WS_VSCROLL")});
        case Kind::DictionaryList:
            return combine({comboType == CBS_DROPDOWNLIST ? "" : "not a drop-down list",
                            need(CBS_SORT, "CBS_SORT"),
                            lacks(CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE, "owner draw")});
        case Kind::MatchList:
        case Kind::TranslationList:
            return combine({need(LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                     LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_HSCROLL,
                                 "list styles"),
                            lacks(LBS_OWNERDRAWVARIABLE, "owner-draw kind"),
                            kind == Kind::TranslationList ? need(LBS_SORT, "LBS_SORT")
                                                          : lacks(LBS_SORT, "LBS_SORT")});
        case Kind::LeftText:
            return (style & SS_TYPEMASK) == SS_LEFT ? "" : "not left aligned";
        case Kind::RightText:
            return (style & SS_TYPEMASK) == SS_RIGHT ? "" : "not right aligned";
        case Kind::Frame:
            return (style & SS_TYPEMASK) == SS_BLACKFRAME ? "" : "not a frame";
        case Kind::Edit:
            return "";
    }
    return "";
}

// One dialog template as stored: the header and each control's style, rectangle, id, class and
// text. Styles are read here rather than from live windows, whose scroll-bar bits come and go.
struct TemplateItem {
    DWORD style = 0;
    int x = 0, y = 0, w = 0, h = 0;
    int id = 0;
    std::wstring className;
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    int w = 0, h = 0;
    std::wstring title;
    int pointSize = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const unsigned char* at) : at_(at) {}
    WORD Word() {
        WORD value;
        std::memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    DWORD Dword() { return Word() | static_cast<DWORD>(Word()) << 16; }
    int Short() { return static_cast<short>(Word()); }
    std::wstring Text() {
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    // A name or an ordinal; the predefined control classes come as ordinals.
    std::wstring NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, at_, 2);
        if (first != 0xFFFF) {
            return Text();
        }
        Word();
        switch (Word()) {
            case 0x80:
                return L"Button";
            case 0x81:
                return L"Edit";
            case 0x82:
                return L"Static";
            case 0x83:
                return L"ListBox";
            case 0x85:
                return L"ComboBox";
        }
        return L"#ordinal";
    }
    void AlignToDword(const unsigned char* base) {
        while ((at_ - base) % 4) {
            at_++;
        }
    }
    const unsigned char* at_;
};

bool LoadTemplate(int id, DialogTemplate& out) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (!found) {
        return false;
    }
    const auto* base =
        static_cast<const unsigned char*>(LockResource(LoadResource(Module(), found)));
    TemplateReader r(base);
    out.style = r.Dword();
    if (LOWORD(out.style) == 1 && HIWORD(out.style) == 0xFFFF) {
        return false;  // extended form
    }
    r.Dword();  // extended style
    const int count = r.Word();
    r.Short();
    r.Short();
    out.w = r.Short();
    out.h = r.Short();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    out.title = r.Text();
    if (out.style & DS_SETFONT) {
        out.pointSize = r.Word();
        out.face = r.Text();
    }
    for (int i = 0; i < count; i++) {
        r.AlignToDword(base);
        TemplateItem item;
        item.style = r.Dword();
        r.Dword();
        item.x = r.Short();
        item.y = r.Short();
        item.w = r.Short();
        item.h = r.Short();
        item.id = r.Word();
        item.className = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.at_ += r.Word();  // creation data
        out.items.push_back(item);
    }
    return true;
}

class TemplateTest : public testing::TestWithParam<ExpectedTemplate> {};

TEST_P(TemplateTest, HoldsEveryControlWithItsKindAndRectangle) {
    const ExpectedTemplate& expected = GetParam();
    DialogTemplate dialog;
    ASSERT_TRUE(LoadTemplate(expected.id, dialog)) << "template " << expected.id;
    EXPECT_EQ(dialog.title, expected.title);
    EXPECT_EQ(dialog.w, expected.w);
    EXPECT_EQ(dialog.h, expected.h);
    EXPECT_EQ(dialog.face, L"Helv");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ((dialog.style & WS_THICKFRAME) != 0, expected.sizable);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.style & frame, frame);
    if (expected.id != IDD_INFORMATION) {
        EXPECT_EQ(dialog.style & (WS_VISIBLE | WS_MINIMIZEBOX), WS_VISIBLE | WS_MINIMIZEBOX);
    }
    ASSERT_EQ(dialog.items.size(), expected.controls.size()) << "controls in " << expected.id;

    for (const ExpectedControl& c : expected.controls) {
        SCOPED_TRACE("template " + std::to_string(expected.id) + ", control " +
                     std::to_string(c.id));
        const TemplateItem* item = nullptr;
        for (const TemplateItem& i : dialog.items) {
            if (i.id == (c.id & 0xFFFF)) {
                item = &i;
            }
        }
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(_wcsicmp(item->className.c_str(), ClassOf(c.kind)), 0) << item->className;
        EXPECT_EQ(StyleFault(c.kind, item->style), "");
        EXPECT_EQ((item->style & WS_VISIBLE) != 0, c.visible);
        EXPECT_EQ(item->x, c.x);
        EXPECT_EQ(item->y, c.y);
        EXPECT_EQ(item->w, c.w);
        EXPECT_EQ(item->h, c.h);
    }
}

// The focus must start in the word box and Tab must never move it to a control that cannot be
// seen, such as the keyboard buttons that the compact and small forms keep outside the window.
TEST_P(TemplateTest, TabStopsAreInSightAndTheWordBoxComesFirst) {
    const ExpectedTemplate& expected = GetParam();
    DialogTemplate dialog;
    ASSERT_TRUE(LoadTemplate(expected.id, dialog));
    const TemplateItem* first = nullptr;
    for (const TemplateItem& item : dialog.items) {
        if (!(item.style & WS_TABSTOP)) {
            continue;
        }
        if (!first) {
            first = &item;
        }
        EXPECT_TRUE((item.style & WS_VISIBLE) && item.y >= 0 && item.y < dialog.h)
            << "control " << item.id << " is a tab stop out of sight";
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->id, expected.id == IDD_INFORMATION ? IDOK : IDC_WORD_BOX);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialog manager accepts the template: every control is created, with its caption.
TEST_P(TemplateTest, OpensWithEveryControl) {
    const ExpectedTemplate& expected = GetParam();
    HWND dialog =
        CreateDialogParamW(Module(), MAKEINTRESOURCEW(expected.id), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << "template " << expected.id;
    DialogTemplate stored;
    ASSERT_TRUE(LoadTemplate(expected.id, stored));
    for (const TemplateItem& item : stored.items) {
        HWND control = GetDlgItem(dialog, item.id);
        ASSERT_NE(control, nullptr) << "control " << item.id;
        wchar_t text[64] = {};
        GetWindowTextW(control, text, 64);
        if (_wcsicmp(item.className.c_str(), L"ComboBox") != 0) {
            EXPECT_EQ(std::wstring(text), item.text) << "control " << item.id;
        }
    }
    DestroyWindow(dialog);
}

// The captions the user reads in the templates.
TEST(Templates, ShowTheirCaptions) {
    const struct {
        int dialog, id;
        const wchar_t* text;
    } captions[] = {
        {IDD_LOOKUP_FULL, IDC_CAPTION_WORD, L"Word to translate"},
        {IDD_LOOKUP_FULL, IDC_CAPTION_DICTIONARY, L"Dictionary to use"},
        {IDD_LOOKUP_FULL, IDC_KEYBOARDS_GROUP, L"Keyboards"},
        {IDD_LOOKUP_FULL, IDC_KEYBOARD_SYSTEM, L"`Windows"},
        {IDD_LOOKUP_FULL, IDC_KEYBOARD_LANG1, L"Lang 1"},
        {IDD_LOOKUP_FULL, IDC_KEYBOARD_LANG2, L"Lang 2"},
        {IDD_LOOKUP_FULL, IDC_STATUS_LINE, L"Status line"},
        {IDD_LOOKUP_FULL, IDC_HINT_LINE, L""},
        {IDD_LOOKUP_FULL, IDC_MATCH_COUNT, L"ListBox1Items"},
        {IDD_LOOKUP_COMPACT, IDC_CAPTION_DICTIONARY, L"Dictionary to use"},
        {IDD_LOOKUP_COMPACT, IDC_KEYBOARD_SYSTEM, L"`Windows"},
        {IDD_LOOKUP_SMALL, IDC_KEYBOARD_LANG2, L"Lang 2"},
        {IDD_INFORMATION, IDC_INFORMATION_TEXT, L"Text"},
        {IDD_INFORMATION, IDOK, L"OK"},
    };
    for (const auto& c : captions) {
        DialogTemplate dialog;
        ASSERT_TRUE(LoadTemplate(c.dialog, dialog));
        bool found = false;
        for (const TemplateItem& item : dialog.items) {
            if (item.id == c.id) {
                found = true;
                EXPECT_EQ(item.text, c.text) << c.dialog << "/" << c.id;
            }
        }
        EXPECT_TRUE(found) << c.dialog << "/" << c.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TemplateTest, testing::ValuesIn(Templates()),
                         [](const testing::TestParamInfo<ExpectedTemplate>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });

// ---- String table ----

std::wstring LoadText(UINT id) {
    wchar_t text[400] = {};
    const int length = LoadStringW(Module(), id, text, 400);
    return std::wstring(text, length);
}

TEST(StringTable, HoldsEveryTextAsUnicode) {
    const struct {
        UINT id;
        const wchar_t* text;
    } texts[] = {
        {IDS_APP_TITLE, L"Wordmere"},
        {IDS_APP_TITLE_GREEK, L"\x0392\x03bf\x03c1\x03b4\x03bc\x03ad\x03c1"},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_ALWAYS_ON_TOP, L"Always on top"},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_BALLOONS, L"Show Help Balloons"},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_USER_DICTIONARY, L"Update user dictionary"},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_ADJUSTMENTS, L"Parameters ..."},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_TIP_OF_THE_DAY, L"Tip of the Day..."},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_ABOUT, L"About ..."},
        {IDS_SYSMENU_ENGLISH + IDM_SYS_EXIT, L"Exit..."},
        // Πάντοτε πρώτο (ON TOP)
        {IDS_SYSMENU_GREEK + IDM_SYS_ALWAYS_ON_TOP,
         L"\x03a0\x03ac\x03bd\x03c4\x03bf\x03c4\x03b5 \x03c0\x03c1\x03ce\x03c4\x03bf (ON TOP)"},
        // Εμφάνιση Balloons βοήθειας
        {IDS_SYSMENU_GREEK + IDM_SYS_BALLOONS,
         L"\x0395\x03bc\x03c6\x03ac\x03bd\x03b9\x03c3\x03b7 Balloons "
         L"\x03b2\x03bf\x03ae\x03b8\x03b5\x03b9\x03b1\x03c2"},
        // Ενημέρωση λεξικού
        {IDS_SYSMENU_GREEK + IDM_SYS_USER_DICTIONARY,
         L"\x0395\x03bd\x03b7\x03bc\x03ad\x03c1\x03c9\x03c3\x03b7 "
         L"\x03bb\x03b5\x03be\x03b9\x03ba\x03bf\x03cd"},
        // Ρυθμίσεις...
        {IDS_SYSMENU_GREEK + IDM_SYS_ADJUSTMENTS,
         L"\x03a1\x03c5\x03b8\x03bc\x03af\x03c3\x03b5\x03b9\x03c2..."},
        // Χρήσιμες συμβουλές...
        {IDS_SYSMENU_GREEK + IDM_SYS_TIP_OF_THE_DAY,
         L"\x03a7\x03c1\x03ae\x03c3\x03b9\x03bc\x03b5\x03c2 "
         L"\x03c3\x03c5\x03bc\x03b2\x03bf\x03c5\x03bb\x03ad\x03c2..."},
        // Σχετικά με το πρόγραμμα...
        {IDS_SYSMENU_GREEK + IDM_SYS_ABOUT,
         L"\x03a3\x03c7\x03b5\x03c4\x03b9\x03ba\x03ac \x03bc\x03b5 \x03c4\x03bf "
         L"\x03c0\x03c1\x03cc\x03b3\x03c1\x03b1\x03bc\x03bc\x03b1..."},
        // Έξοδος...
        {IDS_SYSMENU_GREEK + IDM_SYS_EXIT, L"\x0388\x03be\x03bf\x03b4\x03bf\x03c2..."},
        {IDS_HELP_BASE, L"Wordmere 2.2 - Press F1 for help."},
        {IDS_HELP_LETTER, L"Click mouse to see words starting with the letter selected."},
        {IDS_HELP_KEYBOARD_SWITCH, L"Change keyboard from Greek to English and vice-versa."},
        {IDS_HELP_DICTIONARY_SWITCH, L"Change from dictionary to thesaurus and vice-versa."},
        {IDS_HELP_COPY, L"Copy the selected word to clipboard."},
        {IDS_HELP_CLIPBOARD, L"Search and translate the word in clipboard memory."},
        {IDS_HELP_ENTER_WORD, L"Enter the word to be translated."},
        {IDS_HELP_SEARCH, L"Click mouse or press enter to start the search."},
        {IDS_HELP_HISTORY, L"Choose word from history."},
        {IDS_HELP_WORD_LIST, L"Words matching the word entered."},
        {IDS_HELP_TRANSLATION_LIST,
         L"In this list you can see the translation of the entered word."},
        {IDS_HELP_SMALL_WINDOW, L"Click here to get a smaller window."},
        {IDS_HELP_DICTIONARY_LIST, L"Select one dictionary from available"},
        {IDS_HELP_SYSTEM_KEYBOARD, L"Click here to disable internal keyboard driver"},
        {IDS_HELP_DRIVER_KEYBOARD, L"Click here to Enable internal keyboard driver"},
        {IDS_SEARCHING_FOR, L"Searching for :"},
        {IDS_CANT_FIND_WORD, L"Can't find the requested word"},
        {IDS_TOO_MANY_WORDS, L"Too many words. Please enter more letters."},
        {IDS_THESAURUS_TITLE, L"Thesaurus of Greek language"},
        {IDS_GREEK_ENGLISH_TITLE, L"Greek-English dictionary"},
        {IDS_HOTKEY_IN_USE,
         L"The hotkey you have select can't be used. Maybe is in use by another program. Also "
         L"you must remember to do not use combinations such Ctrl-C, Ctrl-X, Ctrl-V."},
        {IDS_OUT_OF_MEMORY,
         L"Error while allocating memory, Please close open applications and try again"},
        {IDS_CANT_OPEN_FILES, L"Can't open application files, Terminating"},
        {IDS_CANT_OPEN_USER_DICTIONARY, L"Can't open user dictionary due to an I/O error"},
        {IDS_DID_YOU_KNOW, L"Did you know..."},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(LoadText(t.id), t.text) << "string " << t.id;
    }
}

// These ids must load as nothing: the status line is cleared with 14504, and the notice shows
// "Error code" for an id without a text; the Greek-only keys have no English string.
TEST(StringTable, LeavesTheEmptyAndGreekOnlyIdsOut) {
    for (UINT id : {IDS_STATUS_CLEAR, KEY_INFORMATION_TITLE, KEY_INFORMATION_OK}) {
        EXPECT_EQ(LoadText(id), L"") << "string " << id;
    }
}

// ---- Bitmaps ----

struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<COLORREF> pixels;  // top-down, RGB()
    bool Has(COLORREF colour) const {
        for (COLORREF p : pixels) {
            if (p == colour) {
                return true;
            }
        }
        return false;
    }
};

bool LoadPicture(int id, Picture& out) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) {
        return false;
    }
    DIBSECTION dib = {};
    GetObjectW(bitmap, sizeof dib, &dib);
    out.width = dib.dsBm.bmWidth;
    out.height = dib.dsBm.bmHeight;
    out.bitsPerPixel = dib.dsBm.bmBitsPixel;
    out.pixels = ReadBitmapPixels(bitmap, out.width, out.height);
    DeleteObject(bitmap);
    return true;
}

bool BitmapExists(int id) {
    return FindResourceW(Module(), MAKEINTRESOURCEW(id), kBitmapType) != nullptr;
}

std::vector<int> LetterBases() {
    std::vector<int> bases;
    for (int id = IDC_LETTER_FIRST; id <= BMP_BASE_GREEK_OMEGA; id++) {
        bases.push_back(id);
    }
    return bases;
}

const int kCommandBases[] = {BMP_BASE_SEARCH,          BMP_BASE_COPY_GREEK,
                             BMP_BASE_CLIPBOARD_GREEK, BMP_BASE_SMALL_COPY,
                             BMP_BASE_SMALL_CLIPBOARD, BMP_BASE_CLIPBOARD_ENGLISH,
                             BMP_BASE_COPY_ENGLISH};
const int kLooks[] = {BMP_LOOK_NORMAL, BMP_LOOK_PRESSED, BMP_LOOK_FOCUSED, BMP_LOOK_DISABLED};

// Letters: a blue capital on a grey face, normal and pressed, and no two letters alike (a font
// without Greek glyphs would draw the same empty box for all ten Greek capitals).
TEST(Bitmaps, EveryLetterIsADistinctBlueCapitalInTwoLooks) {
    std::set<std::vector<COLORREF>> normals;
    for (int base : LetterBases()) {
        SCOPED_TRACE("letter base " + std::to_string(base));
        Picture normal, pressed;
        ASSERT_TRUE(LoadPicture(base + BMP_LOOK_NORMAL, normal));
        ASSERT_TRUE(LoadPicture(base + BMP_LOOK_PRESSED, pressed));
        for (const Picture* p : {&normal, &pressed}) {
            EXPECT_EQ(p->width, 20);
            EXPECT_EQ(p->height, 30);
            EXPECT_EQ(p->bitsPerPixel, 4);
            EXPECT_TRUE(p->Has(RGB(0, 0, 255)));
            EXPECT_TRUE(p->Has(RGB(192, 192, 192)));
        }
        EXPECT_NE(normal.pixels, pressed.pixels);
        EXPECT_TRUE(normals.insert(normal.pixels).second) << "looks like another letter";
        // Letters have no focus or disabled look, and a letter's bare base is no bitmap, so
        // the drawing routine's fallback to the base draws nothing.
        EXPECT_FALSE(BitmapExists(base + BMP_LOOK_FOCUSED));
        EXPECT_FALSE(BitmapExists(base + BMP_LOOK_DISABLED));
        EXPECT_FALSE(BitmapExists(base));
    }
    EXPECT_FALSE(BitmapExists(BMP_LOOK_NORMAL));  // base 0 of the hidden Greek buttons
    EXPECT_FALSE(BitmapExists(BMP_LOOK_PRESSED));
}

TEST(Bitmaps, CommandButtonsHaveFourDistinctLooks) {
    for (int base : kCommandBases) {
        SCOPED_TRACE("button base " + std::to_string(base));
        const bool captioned = base == BMP_BASE_COPY_GREEK || base == BMP_BASE_CLIPBOARD_GREEK ||
                               base == BMP_BASE_COPY_ENGLISH || base == BMP_BASE_CLIPBOARD_ENGLISH;
        Picture looks[4];
        for (int i = 0; i < 4; i++) {
            ASSERT_TRUE(LoadPicture(base + kLooks[i], looks[i]));
            EXPECT_EQ(looks[i].width, captioned ? 90 : 22);
            EXPECT_EQ(looks[i].height, captioned ? 25 : 21);
            EXPECT_EQ(looks[i].bitsPerPixel, 4);
        }
        for (int i = 0; i < 4; i++) {
            for (int j = i + 1; j < 4; j++) {
                EXPECT_NE(looks[i].pixels, looks[j].pixels) << "looks " << i << " and " << j;
            }
        }
        EXPECT_FALSE(looks[0].Has(RGB(255, 0, 0)));
        EXPECT_TRUE(looks[2].Has(RGB(255, 0, 0))) << "the focus look has a red mark";
        for (COLORREF p : looks[3].pixels) {
            const bool grey = GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p);
            EXPECT_TRUE(grey) << "the disabled look is greyed out";
            if (!grey) {
                break;
            }
        }
        EXPECT_FALSE(BitmapExists(base));
    }
}

TEST(Bitmaps, CaptionButtonsDifferByInterfaceLanguage) {
    const int pairs[][2] = {{BMP_BASE_COPY_GREEK, BMP_BASE_COPY_ENGLISH},
                            {BMP_BASE_CLIPBOARD_GREEK, BMP_BASE_CLIPBOARD_ENGLISH}};
    for (const auto& pair : pairs) {
        for (int look : kLooks) {
            Picture greek, english;
            ASSERT_TRUE(LoadPicture(pair[0] + look, greek));
            ASSERT_TRUE(LoadPicture(pair[1] + look, english));
            EXPECT_NE(greek.pixels, english.pixels) << pair[0] + look;
        }
    }
}

// The notice draws its picture at its own size inside a frame of 31 x 36 dialog units less two
// pixels a side; with the smallest dialog font that is about 42 x 54 pixels.
TEST(Bitmaps, NoticePictureFitsItsFrame) {
    Picture picture;
    ASSERT_TRUE(LoadPicture(IDB_INFORMATION_PICTURE, picture));
    EXPECT_EQ(picture.bitsPerPixel, 4);
    EXPECT_LE(picture.width, 42);
    EXPECT_LE(picture.height, 54);
    EXPECT_TRUE(picture.Has(RGB(0, 0, 255)));
    EXPECT_TRUE(picture.Has(RGB(255, 255, 255)));
}

// ---- Icon and sound ----

TEST(Icon, LoadsInTheSizesTheShellAsksFor) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDI_WORDMERE), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask = {};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadIconW(Module(), MAKEINTRESOURCEW(IDI_WORDMERE)), nullptr);
}

template <typename T>
T Read(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

TEST(ClickSound, IsACompleteShortMonoWaveImage) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDR_CLICK_SOUND), kRawDataType);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(Module(), found), 292u);
    const auto* wav =
        static_cast<const unsigned char*>(LockResource(LoadResource(Module(), found)));
    ASSERT_NE(wav, nullptr);

    EXPECT_EQ(std::memcmp(wav, "RIFF", 4), 0);
    EXPECT_EQ(Read<uint32_t>(wav + 4), 292u - 8);
    EXPECT_EQ(std::memcmp(wav + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Read<uint32_t>(wav + 16), 18u);
    EXPECT_EQ(Read<uint16_t>(wav + 20), WAVE_FORMAT_PCM);
    EXPECT_EQ(Read<uint16_t>(wav + 22), 1);       // channels
    EXPECT_EQ(Read<uint32_t>(wav + 24), 22050u);  // samples per second
    EXPECT_EQ(Read<uint32_t>(wav + 28), 22050u);  // bytes per second
    EXPECT_EQ(Read<uint16_t>(wav + 32), 1);       // block alignment
    EXPECT_EQ(Read<uint16_t>(wav + 34), 8);       // bits per sample
    EXPECT_EQ(std::memcmp(wav + 38, "fact", 4), 0);
    EXPECT_EQ(Read<uint32_t>(wav + 42), 4u);
    EXPECT_EQ(Read<uint32_t>(wav + 46), 234u);
    EXPECT_EQ(std::memcmp(wav + 50, "data", 4), 0);
    ASSERT_EQ(Read<uint32_t>(wav + 54), 234u);

    // Audible at the start, back to silence (128) at the end.
    const unsigned char* samples = wav + 58;
    int loudest = 0;
    for (int i = 0; i < 40; i++) {
        loudest = std::max(loudest, std::abs(samples[i] - 128));
    }
    EXPECT_GE(loudest, 64);
    for (int i = 224; i < 234; i++) {
        EXPECT_LE(std::abs(samples[i] - 128), 2) << i;
    }
}

}  // namespace
