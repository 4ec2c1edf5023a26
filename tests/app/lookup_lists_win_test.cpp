// The engine's and the settings' views over real controls, under Wine: texts cross the control
// edge as UTF-16 whatever the system code page, the lists keep their order and item data, and
// the history follows the settings' rules.
#include "ui/list_controls_win.h"
#include "app/lookup_adapters_win.h"
#include "ui/stored_text_win.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/settings.h"
#include "tests/ui/lookup_window_fixture.h"

namespace {

class LookupListsWinTest : public testing::Test {
protected:
    void SetUp() override { dialog = CreateLookupStandIn(); }
    void TearDown() override { DestroyWindow(dialog); }
    HWND Control(int id) { return GetDlgItem(dialog, id); }

    HWND dialog = nullptr;
};

std::wstring WideText(HWND window) {
    wchar_t text[200] = {};
    GetWindowTextW(window, text, 200);
    return text;
}

TEST_F(LookupListsWinTest, StoredTextReachesTheControlInItsOwnScript) {
    struct Case {
        const char* stored;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"\xEB\xFC\xE3\xEF\xF2", L"λόγος"},   // Windows-1253
        {"caf\xE9 na\xEFve", L"café naïve"},  // Windows-1252
        {"\xC1\xE3\xE3\xEB\xE9\xEA\xDC-->\xC3\xE1\xEB\xEB\xE9\xEA\xDC", L"Αγγλικά-->Γαλλικά"},
        {"", L""},
    };
    HWND status = Control(IDC_STATUS_LINE);
    for (const Case& c : cases) {
        SetStoredWindowText(status, c.stored);
        EXPECT_EQ(WideText(status), c.shown) << c.stored;
        char back[80];
        GetStoredWindowText(status, back, 79);
        EXPECT_STREQ(back, c.stored);
    }
    // Read back per character: Greek and Latin accents in one text keep their own bytes, a
    // character neither code page has becomes '?', and the length limit holds.
    SetWindowTextW(status, L"λέξη é \x4E2D");
    char mixed[80];
    GetStoredWindowText(status, mixed, 79);
    EXPECT_STREQ(mixed, "\xEB\xDD\xEE\xE7 \xE9 ?");
    GetStoredWindowText(status, mixed, 3);
    EXPECT_STREQ(mixed, "\xEB\xDD\xEE");
    // Letters outside both code pages take the stand-ins the shell tools use.
    SetWindowTextW(status,
                   L"\x0142\x00F3"
                   L"d\x017A");
    GetStoredWindowText(status, mixed, 79);
    EXPECT_STREQ(mixed,
                 "l\xF3"
                 "dz");
}

TEST_F(LookupListsWinTest, WordListKeepsOrderAndItemData) {
    WinListBox words(Control(IDC_WORD_LIST));
    EXPECT_EQ(words.Add("zeta"), 0);
    EXPECT_EQ(words.Add("\xE1\xEB\xF6\xE1"), 1);  // άλφα without accent
    EXPECT_EQ(words.Add("alpha"), 2);
    words.SetItemData(1, 0x80000005u);
    words.SetItemData(2, 1234u);
    EXPECT_EQ(words.ItemData(1), 0x80000005u);
    EXPECT_EQ(words.ItemData(2), 1234u);
    EXPECT_EQ(words.ItemData(3), kNoItemData);
    EXPECT_EQ(words.ItemData(-1), kNoItemData);

    char text[150];
    words.Text(1, text, sizeof text);
    EXPECT_STREQ(text, "\xE1\xEB\xF6\xE1");
    words.Text(7, text, sizeof text);
    EXPECT_STREQ(text, "");

    words.Select(2);
    EXPECT_EQ(words.Selection(), 2);
    words.Select(9);
    EXPECT_EQ(words.Selection(), -1);
    words.Clear();
    EXPECT_EQ(words.Count(), 0);
}

TEST_F(LookupListsWinTest, TranslationListSortsAndFindsWithoutRegardToCase) {
    WinListBox translations(Control(IDC_TRANSLATION_LIST));
    for (const char* item : {"word", "Account", "ratio", "\xEB\xFC\xE3\xEF\xF2"}) {
        translations.Add(item);
    }
    char first[150];
    translations.Text(0, first, sizeof first);
    EXPECT_STREQ(first, "Account");
    EXPECT_EQ(translations.FindExact("ACCOUNT"), 0);
    EXPECT_EQ(translations.FindExact("acc"), -1);
    EXPECT_GE(translations.FindExact("\xCB\xFC\xC3\xCF\xD3"), 0);  // ΛόΓΟΣ
}

TEST_F(LookupListsWinTest, HistoryFollowsTheSettingsRules) {
    char currentWord[80] = {};
    char lastSearched[40] = "previous";
    WinLookupFields fields(dialog, currentWord, sizeof currentWord, lastSearched);
    AddHistoryWord(fields, "house");
    AddHistoryWord(fields, "\xEB\xFC\xE3\xEF\xF2");
    AddHistoryWord(fields, "House");
    AddHistoryWord(fields, "x");  // too short
    ASSERT_EQ(fields.HistoryCount(), 2);
    char entry[80];
    fields.HistoryText(0, entry, sizeof entry);
    EXPECT_STREQ(entry, "House");
    fields.HistoryText(1, entry, sizeof entry);
    EXPECT_STREQ(entry, "\xEB\xFC\xE3\xEF\xF2");
    EXPECT_EQ(SendMessageW(Control(IDC_WORD_BOX), CB_GETCURSEL, 0, 0), 0);

    fields.SetCurrentWord("\xF3\xF0\xDF\xF4\xE9");
    EXPECT_STREQ(currentWord, "\xF3\xF0\xDF\xF4\xE9");
    fields.ClearLastSearchedWord();
    EXPECT_STREQ(lastSearched, "");
}

TEST_F(LookupListsWinTest, DictionaryListSortsKeepsDataAndReportsTheChoice) {
    WinDictionaryList list(Control(IDC_DICTIONARY_LIST));
    list.Add("Thesaurus of Greek language", 1);
    list.Add("Greek-English dictionary", 0);
    list.Add("English-->French Dictionary", PairItemData(5, 0, 1));
    EXPECT_EQ(list.Count(), 3);
    char text[64];
    list.Text(0, text, sizeof text);
    EXPECT_STREQ(text, "English-->French Dictionary");
    EXPECT_TRUE(IsPairItemData(list.ItemData(0)));
    EXPECT_EQ(list.ItemData(1), 0u);
    EXPECT_EQ(list.ItemData(3), kNoItemData);
    EXPECT_EQ(list.FindExact("greek-english DICTIONARY"), 1);

    char currentWord[80] = {};
    char lastSearched[40] = {};
    WinLookupFields fields(dialog, currentWord, sizeof currentWord, lastSearched);
    EXPECT_FALSE(fields.SelectedDictionary(text, sizeof text));
    list.Select(2);
    EXPECT_EQ(list.Selection(), 2);
    ASSERT_TRUE(fields.SelectedDictionary(text, sizeof text));
    EXPECT_STREQ(text, "Thesaurus of Greek language");
}

TEST_F(LookupListsWinTest, SearchViewWritesStatusAndCount) {
    WinLookupView view(dialog);
    view.SetStatusText("\xC1\xED\xE1\xE6\xDE\xF4\xE7\xF3\xE7");
    EXPECT_EQ(WideText(Control(IDC_STATUS_LINE)), L"Αναζήτηση");
    view.SetCountText("12");
    EXPECT_EQ(WideText(Control(IDC_MATCH_COUNT)), L"12");
}

}  // namespace
