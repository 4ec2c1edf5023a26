// End-to-end: the copy and clipboard buttons of the lookup window against the real clipboard.
#include <algorithm>

#include "program_fixture.h"

namespace {

using ClipboardTest = ProgramTest;

struct FormButtons {
    const char* dialogState;
    int copy;
    int clipboard;
};

const FormButtons kForms[] = {{"0", 138, 139}, {"1", 143, 144}};

struct CopyCase {
    const wchar_t* dictionary;
    const wchar_t* word;
    const wchar_t* translation;
};

TEST_F(ClipboardTest, CopyButtonPutsTheSelectedTranslationAndOneBlank) {
    const CopyCase cases[] = {
        {L"Greek-English dictionary", L"house", L"σπίτι (το χτίριο)"},
        {L"Greek-English dictionary", L"λόγος", L"speech"},
        {L"Greek-French dictionary", L"σπίτι", L"on est bien à la maison"},
    };
    for (const FormButtons& form : kForms) {
        SCOPED_TRACE(testing::Message() << "DialogState " << form.dialogState);
        ResetProgramSettings();
        SeedSettings({{"DialogState", form.dialogState}});
        Start();
        for (const CopyCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "translation " << std::wstring(c.translation));
            UseDictionary(c.dictionary);
            TypeAndEnter(c.word);
            ASSERT_TRUE(WaitForFirstMatch(c.word));
            EXPECT_TRUE(IsWindowEnabled(Control(form.copy)))
                << "a search selects the first translation, so copying is possible";
            std::vector<std::wstring> translations = Translations();
            auto found = std::find(translations.begin(), translations.end(), c.translation);
            ASSERT_NE(found, translations.end());
            SelectListItem(program.dialog, 12001, static_cast<int>(found - translations.begin()));
            ASSERT_TRUE(SetClipboardUnicode(L"before"));
            // Watch the sequence number, not the content: opening the clipboard to look would
            // make the program's own open fail, and it then skips the copy.
            DWORD before = GetClipboardSequenceNumber();
            ASSERT_TRUE(BringToFront(program.dialog));
            Click(Control(form.copy));
            EXPECT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != before; }))
                << "the copy button changed nothing on the clipboard";
            WaitIdle(program.dialog);
            std::wstring text;
            EXPECT_TRUE(ReadClipboardUnicode(text));
            EXPECT_EQ(text, std::wstring(c.translation) + L" ");
            std::string bytes;
            EXPECT_TRUE(ReadClipboardBytes(bytes));
            EXPECT_EQ(bytes, StoredBytes(c.translation) + " ")
                << "the 8-bit text is the program's own code page text";
        }
        EXPECT_EQ(StopProgram(program), 0);
    }
}

struct ClipboardLookup {
    std::wstring unicode;  // put as CF_UNICODETEXT, or
    std::string bytes;     // as CF_TEXT when unicode is empty
    const wchar_t* word;   // the word looked up
};

TEST_F(ClipboardTest, ClipboardButtonLooksUpTheFirstWord) {
    const ClipboardLookup cases[] = {
        {L"  House-hold words", "", L"household"},
        {L"Λόγος και πράξη", "", L"λόγος"},
        {L"", "\xEB\xFC\xE3\xEF\xF2", L"λόγος"},  // a Greek word from an 8-bit program
    };
    for (const FormButtons& form : kForms) {
        SCOPED_TRACE(testing::Message() << "DialogState " << form.dialogState);
        ResetProgramSettings();
        SeedSettings({{"DialogState", form.dialogState}});
        ASSERT_TRUE(SetClipboardUnicode(L"text"));
        Start();
        UseDictionary(L"Greek-English dictionary");
        TypeAndEnter(L"house");
        ASSERT_TRUE(WaitForFirstMatch(L"house"));
        ASSERT_TRUE(IsWindowEnabled(Control(form.clipboard)));
        for (const ClipboardLookup& c : cases) {
            SCOPED_TRACE(testing::Message() << "word " << std::wstring(c.word));
            ASSERT_TRUE(c.unicode.empty() ? SetClipboardBytes(c.bytes)
                                          : SetClipboardUnicode(c.unicode));
            ASSERT_TRUE(BringToFront(program.dialog));
            Click(Control(form.clipboard));
            EXPECT_TRUE(WaitForFirstMatch(c.word)) << "the clipboard word was not looked up";
            EXPECT_FALSE(Translations().empty());
            EXPECT_EQ(WindowText(Control(12003)), c.word);
            std::vector<std::wstring> history = ComboItems(Control(12003));
            ASSERT_FALSE(history.empty());
            EXPECT_EQ(history[0], c.word);
        }

        // One character is no word: nothing changes.
        std::vector<std::wstring> matchesBefore = Matches();
        std::vector<std::wstring> historyBefore = ComboItems(Control(12003));
        ASSERT_TRUE(SetClipboardUnicode(L"x"));
        Click(Control(form.clipboard));
        WaitIdle(program.dialog);
        EXPECT_EQ(Matches(), matchesBefore);
        EXPECT_EQ(ComboItems(Control(12003)), historyBefore);
        // A word longer than the word buffer is cut to 40 characters.
        const std::wstring longWord = L"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
        ASSERT_TRUE(SetClipboardUnicode(longWord + L" next"));
        Click(Control(form.clipboard));
        EXPECT_TRUE(WaitUntil([&] {
            std::vector<std::wstring> history = ComboItems(Control(12003));
            return !history.empty() && history[0] == longWord.substr(0, 40);
        })) << "the long clipboard word was not cut to 40 characters";

        EXPECT_EQ(StopProgram(program), 0);
    }
}

// With automatic clipboard use, every translation the user selects goes to the clipboard, also
// when the selection moves with the arrow keys.
TEST_F(ClipboardTest, AutomaticUseCopiesEachSelectedTranslation) {
    SeedSettings({{"UseClipboard", "1"}});
    Start();
    UseDictionary(L"Greek-English dictionary");
    TypeAndEnter(L"λόγος");
    ASSERT_TRUE(WaitForFirstMatch(L"λόγος"));
    std::vector<std::wstring> translations = Translations();
    ASSERT_GE(translations.size(), 3u);
    ASSERT_TRUE(BringToFront(program.dialog));
    Click(Control(12001));
    for (size_t i = 1; i < 3; ++i) {
        DWORD before = GetClipboardSequenceNumber();
        PressKey(VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] {
            return ListBoxSelection(Control(12001)) == static_cast<int>(i) &&
                   GetClipboardSequenceNumber() != before;
        })) << "moving to translation "
            << i << " copied nothing";
        WaitIdle(program.dialog);
        std::wstring text;
        EXPECT_TRUE(ReadClipboardUnicode(text));
        EXPECT_EQ(text, translations[i] + L" ");
    }
}

TEST_F(ClipboardTest, ClipboardButtonIsEnabledExactlyWhenTheClipboardHoldsText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    Start();
    UseDictionary(L"Greek-English dictionary");
    EXPECT_FALSE(IsWindowEnabled(Control(139))) << "empty clipboard at start";
    ASSERT_TRUE(SetClipboardUnicode(L"house"));
    TypeAndEnter(L"λόγος");
    ASSERT_TRUE(WaitForFirstMatch(L"λόγος"));
    // The buttons follow the lists within the same handler; the lists may be read in between.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(139)) != FALSE; }))
        << "text on the clipboard at the last search";
}

// Text copied in another program enables the clipboard button at once, with no search between.
TEST_F(ClipboardTest, ClipboardButtonFollowsTextCopiedElsewhere) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    Start();
    ASSERT_FALSE(IsWindowEnabled(Control(139)));
    ASSERT_TRUE(SetClipboardUnicode(L"house"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(139)) != FALSE; }))
        << "the clipboard button stayed disabled";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(139)) == FALSE; }))
        << "the clipboard button stayed enabled on an empty clipboard";
}

}  // namespace
