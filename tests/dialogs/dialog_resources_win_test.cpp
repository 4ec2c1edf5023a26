// The templates, strings and pictures of the About, Program adjustments and Tip of the Day
// dialogs, as the dialog manager creates them from the program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

enum class Kind { kCheckBox, kPushButton, kDefaultButton, kText, kCentredText, kList, kFrame };

struct Control {
    int id;
    Kind kind;
    int x, y, w, h;  // dialog units
    const wchar_t* text;
    bool visible;
};

struct Template {
    int id;
    const wchar_t* title;
    int w, h;
    std::vector<Control> controls;
};

std::vector<Template> Templates() {
    const Kind check = Kind::kCheckBox;
    return {
        {IDD_ABOUT,
         L"About",
         282,
         237,
         {
             {IDC_PICTURE, Kind::kFrame, 4, 7, 33, 45, L"", false},
             {IDC_ABOUT_DICTIONARY_TITLE, Kind::kCentredText, 42, 4, 238, 9, L"", true},
             {IDC_ABOUT_VERSION, Kind::kCentredText, 42, 14, 237, 9, L"Product version 2.2", true},
             {IDC_ABOUT_PUBLISHER_FIRST, Kind::kCentredText, 42, 24, 237, 9, L"Corvessa Publishing",
              true},
             {IDC_ABOUT_PUBLISHER_LAST, Kind::kCentredText, 42, 51, 237, 8, L"All rights reserved.",
              true},
             {IDC_ABOUT_INFORMATION_LIST, Kind::kList, 4, 64, 273, 107, L"", true},
             {IDOK, Kind::kDefaultButton, 112, 220, 57, 15, L"OK", true},
         }},
        {IDD_ADJUSTMENTS,
         L"Program adjustments",
         322,
         242,
         {
             {IDC_HOTKEY_TEXT, Kind::kText, 8, 13, 175, 25,
              L"Maximize and minimize the program dialogue using the following key combination:",
              true},
             {IDC_HOTKEY_SHIFT, check, 8, 38, 60, 12, L"Shift", true},
             {IDC_HOTKEY_CONTROL, check, 8, 50, 60, 12, L"Control", true},
             {IDC_HOTKEY_ALT, check, 8, 62, 60, 12, L"Alt", true},
             {IDC_HOTKEY_DISABLE, check, 8, 77, 152, 12, L"Disable Hotkey", true},
             {IDC_HOTKEY_KEY_TEXT, Kind::kText, 198, 11, 69, 8, L"and the key:", true},
             {IDC_HOTKEY_KEY_LIST, Kind::kList, 197, 22, 119, 70, L"", true},
             {IDC_OPTION_ACCENT, check, 6, 100, 153, 12, L"Similarity of accents and nonaccents",
              true},
             // (ά=α, έ=ε, ή=η, ί=ϊ=ΐ= ι, ό=ο, ύ=ϋ =ΰ=υ, ώ=ω)
             {IDC_ACCENT_EXAMPLES, Kind::kText, 18, 110, 141, 18,
              L"(\x03ac=\x03b1, \x03ad=\x03b5, \x03ae=\x03b7, \x03af=\x03ca=\x0390= \x03b9, "
              L"\x03cc=\x03bf, \x03cd=\x03cb =\x03b0=\x03c5, \x03ce=\x03c9)",
              true},
             {IDC_OPTION_ROOT, check, 6, 127, 153, 12, L"Closest possible word", true},
             {IDC_OPTION_CLIPBOARD, check, 6, 143, 153, 12, L"Automatic use of Clipboard", true},
             {IDC_OPTION_USE_GREEK, check, 6, 161, 153, 12, L"Translate all dialogs text to Greek",
              true},
             {IDC_OPTION_FORM_TYPE, check, 163, 100, 153, 12, L"Display alphabetical index", true},
             {IDC_OPTION_LARGE_FONT, check, 163, 115, 153, 12, L"Use large font size", true},
             {IDC_OPTION_USER_DICTIONARY, check, 163, 129, 153, 12, L"Use user's dictionary", true},
             {IDC_OPTION_TASK_BAR_ICON, check, 163, 143, 153, 12, L"Show program in task bar",
              true},
             {IDC_OPTION_SOUNDS, check, 163, 161, 153, 12, L"Use sound effects", true},
             {IDC_OPTION_GIVE_BACK_CLIPBOARD, check, 6, 177, 155, 18,
              L"Give back the clipboard after a hot-key lookup", true},
             {IDC_OPTION_SEARCH_AS_YOU_TYPE, check, 163, 177, 153, 12, L"Search as you type", true},
             {IDC_HINT_LINE, Kind::kText, 4, 209, 245, 27, L"", true},
             {IDC_ADJUSTMENTS_OK, Kind::kPushButton, 253, 206, 63, 13, L"OK", true},
             {IDCANCEL, Kind::kDefaultButton, 253, 224, 63, 13, L"Cancel", true},
         }},
        {IDD_TIP_OF_THE_DAY,
         L"Tip of the Day",
         287,
         155,
         {
             {IDC_TIP_PANEL, Kind::kText, 3, 6, 280, 124, L"", false},
             {IDC_TIP_PICTURE, Kind::kFrame, 3, 21, 35, 94, L"", false},
             {IDC_SHOW_TIPS, check, 3, 140, 149, 12, L"Show tips at start up", true},
             {IDOK, Kind::kDefaultButton, 182, 138, 50, 14, L"Next tip", true},
             {IDCANCEL, Kind::kPushButton, 234, 138, 50, 14, L"Close", true},
         }},
    };
}

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[200] = {};
    GetWindowTextW(window, text, 200);
    return text;
}

// The class of each kind of control, the style bits that tell the kind, and the fault named
// when the live control does not agree.
struct KindLook {
    Kind kind;
    const wchar_t* className;
    DWORD typeMask;
    DWORD type;
    const char* fault;
};
const KindLook kKindLooks[] = {
    // Plain check boxes: the dialog sets every mark itself.
    {Kind::kCheckBox, L"Button", BS_TYPEMASK, BS_CHECKBOX, "not a plain check box"},
    {Kind::kPushButton, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, "not a push button"},
    {Kind::kDefaultButton, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, "not the default"},
    {Kind::kText, L"Static", SS_TYPEMASK, SS_LEFT, "not a left-aligned text"},
    {Kind::kCentredText, L"Static", SS_TYPEMASK, SS_CENTER, "not a centred text"},
    {Kind::kFrame, L"Static", SS_TYPEMASK, SS_BLACKFRAME, "not a frame"},
};

// What the live control's class and style say against the kind; empty when they agree.
std::string KindFault(Kind kind, HWND control) {
    const std::wstring name = ClassOf(control);
    const DWORD style = GetWindowLongW(control, GWL_STYLE);
    if (kind == Kind::kList) {
        // The dialog manager turns a list's border into a sunken edge.
        return _wcsicmp(name.c_str(), L"ListBox") == 0 && (style & LBS_NOTIFY) &&
                       ((style & WS_BORDER) ||
                        (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
                   ? ""
                   : "not a notifying list with a border";
    }
    for (const KindLook& look : kKindLooks) {
        if (look.kind == kind) {
            return _wcsicmp(name.c_str(), look.className) == 0 &&
                           (style & look.typeMask) == look.type
                       ? ""
                       : look.fault;
        }
    }
    return "";
}

class DialogTemplate : public testing::TestWithParam<Template> {};

TEST_P(DialogTemplate, HasEveryControlWithItsKindPlaceAndText) {
    const Template& expected = GetParam();
    HWND dialog =
        CreateDialogParamW(Module(), MAKEINTRESOURCEW(expected.id), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), expected.title);
    RECT client;
    GetClientRect(dialog, &client);
    RECT size = {0, 0, expected.w, expected.h};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    for (const Control& c : expected.controls) {
        SCOPED_TRACE("template " + std::to_string(expected.id) + ", control " +
                     std::to_string(c.id));
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(KindFault(c.kind, control), "");
        EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
        if (c.kind != Kind::kList) {
            EXPECT_EQ(TextOf(control), c.text);
        }
        // The dialog manager converts the place and the size each on its own.
        RECT want = {c.x, c.y, c.w, c.h};
        MapDialogRect(dialog, &want);
        want.right += want.left;
        want.bottom += want.top;
        RECT got;
        GetWindowRect(control, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        if (c.kind != Kind::kList) {  // lists round their height to whole items
            EXPECT_EQ(got.bottom, want.bottom);
        }
    }
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTemplate, testing::ValuesIn(Templates()),
                         [](const testing::TestParamInfo<Template>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });

TEST(DialogTemplates, AboutListIsOwnerDrawnAndKeyListUnsorted) {
    HWND about =
        CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, QuietDialogProc, 0);
    ASSERT_NE(about, nullptr);
    const DWORD aboutList =
        GetWindowLongW(GetDlgItem(about, IDC_ABOUT_INFORMATION_LIST), GWL_STYLE);
    EXPECT_EQ(aboutList & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS),
              static_cast<DWORD>(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS));
    DestroyWindow(about);
    HWND adjustments = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_ADJUSTMENTS), nullptr,
                                          QuietDialogProc, 0);
    ASSERT_NE(adjustments, nullptr);
    const DWORD keyList = GetWindowLongW(GetDlgItem(adjustments, IDC_HOTKEY_KEY_LIST), GWL_STYLE);
    EXPECT_EQ(keyList & LBS_SORT, 0u);
    EXPECT_NE(keyList & LBS_NOINTEGRALHEIGHT, 0u);
    DestroyWindow(adjustments);
}

// The help line shows help texts, whose "&" is a plain ampersand ("maximize & minimize"), never
// a mnemonic.
TEST(DialogTemplates, HelpLinesShowAmpersands) {
    for (int id : {IDD_LOOKUP_FULL, IDD_LOOKUP_COMPACT, IDD_LOOKUP_SMALL, IDD_USER_DICTIONARY,
                   IDD_ADJUSTMENTS}) {
        HWND dialog =
            CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << id;
        HWND line = GetDlgItem(dialog, IDC_HINT_LINE);
        ASSERT_NE(line, nullptr) << id;
        EXPECT_NE(GetWindowLongW(line, GWL_STYLE) & SS_NOPREFIX, 0u) << id;
        DestroyWindow(dialog);
    }
}

std::wstring LoadText(UINT id) {
    wchar_t text[200] = {};
    const int length = LoadStringW(Module(), id, text, 200);
    return std::wstring(text, length);
}

// The key list: 86 names from Back space to Quote, in order of their virtual-key codes.
TEST(StringTable, NamesEightySixKeys) {
    std::vector<int> codes;
    for (int code = KEY_NAME_FIRST_CODE; code <= KEY_NAME_LAST_CODE; ++code) {
        if (!LoadText(IDS_KEY_NAME_BASE + code).empty()) {
            codes.push_back(code);
        }
    }
    EXPECT_EQ(codes.size(), 86u);
    const struct {
        int code;
        const wchar_t* name;
    } samples[] = {{VK_BACK, L"Back space"},
                   {VK_SPACE, L"Space bar"},
                   {VK_DELETE, L"Delete"},
                   {'0', L"0"},
                   {'Z', L"Z"},
                   {VK_NUMPAD9, L"Numeric Pad 9"},
                   {VK_ADD, L"Numeric Pad Pluss"},
                   {VK_DIVIDE, L"Numeric Divide"},
                   {VK_F12, L"F12"},
                   {VK_OEM_3, L"Tidle"},
                   {VK_OEM_7, L"Quote"}};
    for (const auto& s : samples) {
        EXPECT_EQ(LoadText(IDS_KEY_NAME_BASE + s.code), s.name) << s.code;
    }
    EXPECT_EQ(LoadText(IDS_KEY_NAME_BASE + VK_SEPARATOR), L"");
}

TEST(StringTable, HoldsTheAdjustmentsHelpLines) {
    EXPECT_EQ(LoadText(IDS_ADJUSTMENTS_HELP_BASE + 1), L"Choose Shift key, as Hotkey combination.");
    EXPECT_EQ(LoadText(IDS_ADJUSTMENTS_HELP_BASE + 12),
              L"Automatic use of clipboard (Copy && Paste).");
    EXPECT_EQ(LoadText(IDS_ADJUSTMENTS_HELP_BASE + 16), L"Enable small icon in taskbar");
    EXPECT_EQ(LoadText(IDS_ADJUSTMENTS_HELP_BASE + 17), L"Search while you type, without Enter");
    for (UINT id = IDS_ADJUSTMENTS_HELP_BASE; id <= IDS_ADJUSTMENTS_HELP_LAST; ++id) {
        EXPECT_FALSE(LoadText(id).empty()) << id;
    }
}

// Each animation frame is a 16-colour picture that fits its frame in the dialog at the smallest
// usual dialog font, and no two frames of one animation are alike.
TEST(Bitmaps, AnimationFramesFitAndDiffer) {
    const struct {
        int first, count, maxWidth, maxHeight;
    } animations[] = {{IDB_ABOUT_FIRST_FRAME, ABOUT_LAST_FRAME + 1, 45, 69},
                      {IDB_TIP_FIRST_FRAME, TIP_LAST_FRAME + 1, 48, 148}};
    for (const auto& a : animations) {
        std::set<std::vector<DWORD>> frames;
        for (int id = a.first; id < a.first + a.count; ++id) {
            SCOPED_TRACE("bitmap " + std::to_string(id));
            HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(
                Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr);
            DIBSECTION dib = {};
            GetObjectW(bitmap, sizeof dib, &dib);
            EXPECT_EQ(dib.dsBm.bmBitsPixel, 4);
            EXPECT_LE(dib.dsBm.bmWidth, a.maxWidth);
            EXPECT_LE(dib.dsBm.bmHeight, a.maxHeight);
            const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
            std::vector<DWORD> pixels(bits, bits + dib.dsBm.bmWidthBytes * dib.dsBm.bmHeight);
            EXPECT_TRUE(frames.insert(pixels).second) << "same as an earlier frame";
            DeleteObject(bitmap);
        }
    }
}

}  // namespace
