// End-to-end: the three forms of the lookup window, the small form's rectangle and layout, and
// the screenshots of every form in both interface languages.
#include "program_fixture.h"

namespace {

using FormsTest = ProgramTest;

bool HasIndex(HWND dialog) {
    return GetDlgItem(dialog, 100) && GetDlgItem(dialog, 125);
}

TEST_F(FormsTest, FormSwitchGoesToTheSmallFormAndBack) {
    struct {
        const char* formType;
        bool index;  // the form chosen by FormType has the alphabetical index
    } cases[] = {{"1", true}, {"0", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "FormType " << c.formType);
        ResetProgramSettings();
        SeedSettings({{"FormType", c.formType}});
        Start();
        EXPECT_FALSE(IsSmallForm());
        EXPECT_EQ(HasIndex(program.dialog), c.index);
        EXPECT_NE(Control(138), nullptr);
        UseDictionary(L"Greek-English dictionary");
        TypeAndEnter(L"house");
        ASSERT_TRUE(WaitForFirstMatch(L"house"));

        std::string state;
        for (const char* expected : {"1", "0"}) {
            Command(program.dialog, 769);
            ASSERT_TRUE(WaitForReopenedDialog(program)) << "the form switch reopened nothing";
            EXPECT_EQ(IsSmallForm(), expected[0] == '1');
            EXPECT_EQ(HasIndex(program.dialog), expected[0] == '0' && c.index);
            EXPECT_TRUE(ReadProgramSetting("State", "DialogState", state));
            EXPECT_EQ(state, expected);
            // The word and its results come along to the other form.
            EXPECT_EQ(WindowText(Control(12003)), L"house");
            EXPECT_TRUE(WaitForFirstMatch(L"house"));
            EXPECT_EQ(WindowText(program.dialog), L"Greek-English dictionary");
        }
        EXPECT_EQ(StopProgram(program), 0);
    }
}

// Damaged form settings still open a window the user can see and use.
TEST_F(FormsTest, DamagedFormSettingsStillOpenAUsableWindow) {
    struct Case {
        std::map<std::string, std::string> state;
        bool small;
    } cases[] = {
        {{{"FormType", "-7"}}, false},
        {{{"FormType", "2"}}, false},
        {{{"DialogState", "1"},
          {"SRL", "99999"},
          {"SRT", "99999"},
          {"SRR", "199999"},
          {"SRB", "199999"}},
         true},
        {{{"DialogState", "1"},
          {"SRL", "-9000"},
          {"SRT", "-9000"},
          {"SRR", "-8000"},
          {"SRB", "-8800"}},
         true},
        {{{"DialogState", "1"}, {"SRL", "900"}, {"SRT", "700"}, {"SRR", "10"}, {"SRB", "10"}},
         true},
    };
    // Asked of the X server: under CTest the test program's own desktop is empty, and its work
    // area reads as garbage. The virtual screen has no task bar, so the work area is the screen.
    const SIZE screen = ScreenSize();
    const RECT work = {0, 0, screen.cx, screen.cy};
    for (const Case& c : cases) {
        std::string what;
        for (const auto& value : c.state) {
            what += value.first + "=" + value.second + " ";
        }
        SCOPED_TRACE(what);
        ResetProgramSettings();
        SeedSettings(c.state);
        Start();
        EXPECT_EQ(IsSmallForm(), c.small);
        EXPECT_TRUE(IsWindowVisible(program.dialog));
        RECT r;
        GetWindowRect(program.dialog, &r);
        EXPECT_GE(r.left, work.left);
        EXPECT_GE(r.top, work.top);
        EXPECT_LE(r.right, work.right);
        EXPECT_LE(r.bottom, work.bottom);
        EXPECT_GE(r.right - r.left, 240);
        EXPECT_GE(r.bottom - r.top, 80);
        EXPECT_EQ(StopProgram(program), 0);
    }
}

TEST_F(FormsTest, SmallFormKeepsItsRectangleAndLaysOutItsControls) {
    SeedSettings({{"DialogState", "1"}});
    Start();
    ASSERT_TRUE(IsSmallForm());
    const RECT wanted = {100, 120, 700, 300};
    // Dragged out step by step, as a user drags its frame. Asynchronous: a program that does not
    // answer cannot hold these calls.
    for (int step = 0; step <= 10; ++step) {
        int width = 300 + step * (wanted.right - wanted.left - 300) / 10;
        int height = 100 + step * (wanted.bottom - wanted.top - 100) / 10;
        SetWindowPos(program.dialog, nullptr, wanted.left, wanted.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
    RECT window;
    ASSERT_TRUE(WaitUntil([&] {
        GetWindowRect(program.dialog, &window);
        return EqualRect(&window, &wanted) != FALSE;
    })) << "the small form did not take the new size";
    WaitIdle(program.dialog);
    // The lists paint all of their new area: no block of the dialog's grey is left in them.
    Sleep(300);
    for (int id : {12000, 12001}) {
        EXPECT_EQ(CountClientPixels(Control(id), GetSysColor(COLOR_BTNFACE)), 0)
            << "grey left in list " << id;
    }
    SaveWindowPng(program.dialog,
                  ScreenshotPath(L"small-form-resized-" + CodePageName() + L".png"));

    // Both lists share the width; the word box and the dictionary list share what the three
    // buttons leave.
    const int width = wanted.right - wanted.left;
    RECT search = ControlRect(program.dialog, Control(137));
    RECT words = ControlRect(program.dialog, Control(12000));
    RECT translations = ControlRect(program.dialog, Control(12001));
    RECT wordBox = ControlRect(program.dialog, Control(12003));
    RECT dictionaries = ControlRect(program.dialog, Control(12011));
    const int listWidth = (width - 16) / 2;
    const int boxWidth = (width - 3 * (search.right - search.left) - 15) / 2;
    EXPECT_EQ(words.right - words.left, listWidth);
    EXPECT_EQ(translations.right - translations.left, listWidth);
    EXPECT_EQ(translations.left, words.right + 3);
    EXPECT_EQ(wordBox.right - wordBox.left, boxWidth);
    EXPECT_EQ(dictionaries.right - dictionaries.left, boxWidth);
    EXPECT_EQ(search.left, boxWidth + 3);

    Restart();
    ASSERT_TRUE(IsSmallForm());
    GetWindowRect(program.dialog, &window);
    EXPECT_TRUE(EqualRect(&window, &wanted)) << "the small form did not come back in place";
    const char* names[] = {"SRL", "SRT", "SRR", "SRB"};
    const LONG edges[] = {wanted.left, wanted.top, wanted.right, wanted.bottom};
    for (int i = 0; i < 4; ++i) {
        std::string value;
        EXPECT_TRUE(ReadProgramSetting("State", names[i], value)) << names[i];
        EXPECT_EQ(value, std::to_string(edges[i])) << names[i];
    }

    // Another form forgets the rectangle: the small form then opens centred at its own size.
    Command(program.dialog, 769);
    ASSERT_TRUE(WaitForReopenedDialog(program));
    Command(program.dialog, 769);
    ASSERT_TRUE(WaitForReopenedDialog(program));
    ASSERT_TRUE(IsSmallForm());
    GetWindowRect(program.dialog, &window);
    EXPECT_FALSE(EqualRect(&window, &wanted));
    int w = window.right - window.left, h = window.bottom - window.top;
    EXPECT_EQ(window.left, (ScreenSize().cx - w) / 2);
    EXPECT_EQ(window.top, (ScreenSize().cy - h) / 2);
}

TEST_F(FormsTest, ScreenshotsOfEveryFormInBothLanguages) {
    struct {
        const wchar_t* name;
        const char* formType;
        const char* dialogState;
        bool index;
    } forms[] = {
        {L"full", "1", "0", true}, {L"compact", "0", "0", false}, {L"small", "1", "1", false}};
    struct {
        const wchar_t* name;
        const char* useGreek;
        const wchar_t* dictionary;
        const wchar_t* french;
    } languages[] = {{L"en", "0", L"Greek-English dictionary", L"Greek-French dictionary"},
                     {L"el", "1", L"Ελληνοαγγλικό λεξικό", L"Ελληνογαλλικό λεξικό"}};
    for (const auto& language : languages) {
        for (const auto& form : forms) {
            std::wstring name =
                std::wstring(L"lookup_") + form.name + L"_" + language.name + L"_" + CodePageName();
            SCOPED_TRACE(testing::Message() << name);
            ResetProgramSettings();
            SeedSettings({{"FormType", form.formType},
                          {"DialogState", form.dialogState},
                          {"UseGreek", language.useGreek}});
            Start();
            UseDictionary(language.dictionary);
            TypeAndEnter(L"λόγος");
            EXPECT_TRUE(WaitForFirstMatch(L"λόγος"));
            SelectListItem(program.dialog, 12001, 3);
            EXPECT_TRUE(SaveWindowPng(program.dialog, ScreenshotPath(name + L".png")));
            if (form.index) {
                // French accents beside Greek: the code page must garble neither.
                UseDictionary(language.french);
                TypeAndEnter(L"σπίτι");
                EXPECT_TRUE(WaitForFirstMatch(L"σπίτι"));
                EXPECT_TRUE(SaveWindowPng(program.dialog, ScreenshotPath(name + L"_french.png")));
            }
            EXPECT_EQ(StopProgram(program), 0);
        }
    }
}

}  // namespace
