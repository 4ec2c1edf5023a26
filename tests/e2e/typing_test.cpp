// End-to-end: search as you type. With the option on, the lists follow the word box after a
// pause in typing, in each form, without losing what is typed meanwhile; Enter still keeps the
// word in the history. With the option off (the first run) only Enter searches.
#include <algorithm>

#include "program_fixture.h"

namespace {

using TypingTest = ProgramTest;

// Without regard to case: the list holds "Houbara bustard" among the words of hou.
bool AllBeginWith(const std::vector<std::wstring>& words, const std::wstring& start) {
    return !words.empty() && std::all_of(words.begin(), words.end(), [&](const std::wstring& w) {
        return w.size() >= start.size() &&
               CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, w.c_str(),
                              static_cast<int>(start.size()), start.c_str(),
                              static_cast<int>(start.size())) == CSTR_EQUAL;
    });
}

bool Contains(const std::vector<std::wstring>& items, const std::wstring& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

TEST_F(TypingTest, ListsFollowTheWordBoxInEveryForm) {
    const struct {
        const char* formType;
        const char* dialogState;
        const wchar_t* name;
    } forms[] = {{"1", "0", L"full"}, {"0", "0", L"compact"}, {"1", "1", L"small"}};
    for (const auto& form : forms) {
        SCOPED_TRACE(testing::Message() << "form " << form.formType << form.dialogState);
        ResetProgramSettings();
        SeedSettings({{"SearchAsYouType", "1"},
                      {"FormType", form.formType},
                      {"DialogState", form.dialogState}});
        Start();
        HWND box = Control(12003);

        // "hou" without Enter: the matches of hou, and the history is left alone.
        ASSERT_EQ(TypeInWordBox(program.dialog, L"hou"), "");
        ASSERT_TRUE(WaitUntil([&] { return AllBeginWith(Matches(), L"hou"); }))
            << "no matches of hou without Enter";
        EXPECT_TRUE(Contains(Matches(), L"house"));
        EXPECT_FALSE(Translations().empty());
        EXPECT_EQ(WindowText(box), L"hou");
        EXPECT_FALSE(Contains(ComboItems(box), L"hou"));
        SaveWindowPng(program.dialog, ScreenshotPath(L"typing-hou-" + std::wstring(form.name) +
                                                     L"-" + CodePageName() + L".png"));

        // Typing on carries on from the caret; Enter then records the word the lists show.
        TypeText(L"se");
        ASSERT_TRUE(WaitForFirstMatch(L"house"));
        EXPECT_EQ(WindowText(box), L"house");
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<std::wstring> history = ComboItems(box);
            return !history.empty() && history[0] == L"house";
        })) << "Enter did not put the word in the history";
        EXPECT_EQ(WindowText(box), L"house");
        EXPECT_TRUE(WaitForFirstMatch(L"house"));
        EXPECT_EQ(StopProgram(program), 0);
    }
}

// A pause after the first letter fills the list with that letter's whole block; what is typed
// while it fills still reaches the box, and the lists end on the whole word.
TEST_F(TypingTest, KeysTypedWhileTheListsFillAreKept) {
    SeedSettings({{"SearchAsYouType", "1"}});
    Start();
    HWND box = Control(12003);
    ASSERT_EQ(TypeInWordBox(program.dialog, L"h"), "");
    Sleep(160);
    TypeText(L"ousehol");
    Sleep(20);
    TypeText(L"d");
    ASSERT_TRUE(WaitForFirstMatch(L"household"));
    EXPECT_EQ(WindowText(box), L"household");
    EXPECT_TRUE(AllBeginWith(Matches(), L"household"));
    EXPECT_EQ(StopProgram(program), 0);
}

TEST_F(TypingTest, WithTheOptionOffOnlyEnterSearches) {
    Start();
    const std::vector<std::wstring> before = Matches();
    ASSERT_EQ(TypeInWordBox(program.dialog, L"hou"), "");
    Sleep(600);
    WaitIdle(program.dialog);
    EXPECT_EQ(Matches(), before);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return AllBeginWith(Matches(), L"hou"); }));
    EXPECT_EQ(StopProgram(program), 0);
}

}  // namespace
