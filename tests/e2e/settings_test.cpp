// End-to-end: what the program keeps between runs in its registry keys and its history file (the
// tip counter among them), including stored values it must read safely.
#include "program_fixture.h"

namespace {

using StoredStateTest = ProgramTest;

std::wstring TextsFile() {
    return ProgramDirectory() + L"\\vbrtexts.res";
}

std::wstring ReadTip(const wchar_t* key) {
    wchar_t text[40] = L"";
    GetPrivateProfileStringW(L"Tips", key, L"", text, 40, TextsFile().c_str());
    return text;
}

// The tip counter is the user's: it advances in the history file, from the texts file's value
// the first time; the texts file beside the program is never written.
TEST_F(StoredStateTest, CloseAdvancesTheTipOfTheDayAndWrapsAfterTheLast) {
    const std::wstring shippedCount = ReadTip(L"MaxTips");
    const std::wstring shippedToday = ReadTip(L"ToDayTip");
    struct {
        const wchar_t* maxTips;  // in the texts file; nullptr: the key is missing
        const char* today;       // the user's; nullptr: none yet
        const char* afterClose;
    } cases[] = {{L"5", "3", "4"}, {L"5", "5", "1"}, {nullptr, "3", "3"}, {L"5", nullptr, "2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ToDayTip " << (c.today ? c.today : "none"));
        ResetProgramSettings();
        WritePrivateProfileStringW(L"Tips", L"MaxTips", c.maxTips, TextsFile().c_str());
        WritePrivateProfileStringW(L"Tips", L"ToDayTip", L"1", TextsFile().c_str());
        if (c.today != nullptr) {
            WritePrivateProfileStringA("Tips", "ToDayTip", c.today, "Vocabre.ini");
        }
        Start();
        EXPECT_EQ(StopProgram(program), 0);
        EXPECT_EQ(ReadHistoryFile("Tips", "ToDayTip"), c.afterClose);
        EXPECT_EQ(ReadTip(L"ToDayTip"), L"1") << "the texts file was written";
    }
    WritePrivateProfileStringW(L"Tips", L"MaxTips", shippedCount.c_str(), TextsFile().c_str());
    WritePrivateProfileStringW(L"Tips", L"ToDayTip", shippedToday.c_str(), TextsFile().c_str());
}

TEST_F(StoredStateTest, HistoryKeepsAHundredEntriesAcrossRuns) {
    for (int i = 0; i < 105; ++i) {
        std::string key = "History" + std::to_string(i);
        std::string word = "word" + std::to_string(i);
        WritePrivateProfileStringA("History", key.c_str(), word.c_str(), "Vocabre.ini");
    }
    Start();
    std::vector<std::wstring> history = ComboItems(Control(12003));
    ASSERT_EQ(history.size(), 100u) << "a start loads at most 100 history entries";
    EXPECT_EQ(history[0], L"word0");
    EXPECT_EQ(history[99], L"word99");

    UseDictionary(L"Greek-English dictionary");
    TypeAndEnter(L"house");
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    history = ComboItems(Control(12003));
    ASSERT_EQ(history.size(), 101u) << "within a run the list grows to 101";
    EXPECT_EQ(history[0], L"house");
    EXPECT_EQ(history[100], L"word99");

    Restart();
    EXPECT_EQ(ReadHistoryFile("History", "History100"), "word99");
    history = ComboItems(Control(12003));
    ASSERT_EQ(history.size(), 100u);
    EXPECT_EQ(history[0], L"house");
    EXPECT_EQ(history[99], L"word98");
}

// Stored text longer than the program's buffers, written by hand or by another version: the
// program starts, cuts it and goes on.
TEST_F(StoredStateTest, OverlongStoredTextsAreCutAtStart) {
    const std::string longWord(300, 'a');
    SeedSettings({{"SearchFor", longWord}});
    WritePrivateProfileStringA("History", "History0", std::string(200, 'b').c_str(), "Vocabre.ini");
    WritePrivateProfileStringA("History", "History1", "house", "Vocabre.ini");
    WritePrivateProfileStringA("Dictionary", "Diction", std::string(500, 'c').c_str(),
                               "Vocabre.ini");
    Start();
    // The stored word is searched (cut to the word buffer); the box shows the history entry
    // the start selects.
    std::vector<std::wstring> matches = Matches();
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(towlower(matches[0][0]), L'a');
    EXPECT_LE(WindowText(Control(12003)).size(), 78u);
    std::vector<std::wstring> history = ComboItems(Control(12003));
    ASSERT_EQ(history.size(), 2u);
    EXPECT_LE(history[0].size(), 78u);
    EXPECT_EQ(history[1], L"house");
    EXPECT_FALSE(ComboSelectionText(Control(12011)).empty())
        << "an unknown dictionary text selects the first entry";
    EXPECT_EQ(StopProgram(program), 0);
}

TEST_F(StoredStateTest, SmallFormTakesAStoredRectangleOnlyWhenItIsSet) {
    struct {
        const char* edges[4];  // SRL, SRT, SRR, SRB
        bool taken;
    } cases[] = {{{"0", "0", "500", "90"}, true},
                 {{"40", "50", "640", "250"}, true},
                 {{"0", "0", "0", "0"}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "right edge " << c.edges[2]);
        ResetProgramSettings();
        SeedSettings({{"DialogState", "1"},
                      {"SRL", c.edges[0]},
                      {"SRT", c.edges[1]},
                      {"SRR", c.edges[2]},
                      {"SRB", c.edges[3]}});
        Start();
        ASSERT_TRUE(IsSmallForm());
        RECT window;
        GetWindowRect(program.dialog, &window);
        RECT stored = {atoi(c.edges[0]), atoi(c.edges[1]), atoi(c.edges[2]), atoi(c.edges[3])};
        if (c.taken) {
            EXPECT_TRUE(EqualRect(&window, &stored));
        } else {
            int w = window.right - window.left, h = window.bottom - window.top;
            EXPECT_GT(w, 0);
            EXPECT_EQ(window.left, (ScreenSize().cx - w) / 2) << "centred";
            EXPECT_EQ(window.top, (ScreenSize().cy - h) / 2);
        }
        EXPECT_EQ(StopProgram(program), 0);
    }
}

// The keyboard the user chose is the one saved, through a form switch and a restart.
TEST_F(StoredStateTest, TheKeyboardInUseIsSaved) {
    Start();
    UseDictionary(L"Greek-English dictionary");
    auto checked = [&](int id) { return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    Command(program.dialog, 12014);
    ASSERT_TRUE(checked(12014)) << "Greek is not checked after the click";
    Command(program.dialog, 769);
    ASSERT_TRUE(WaitForReopenedDialog(program));
    EXPECT_TRUE(checked(12014)) << "after the form switch";
    Restart();
    EXPECT_TRUE(checked(12014)) << "after a restart";
    EXPECT_EQ(StopProgram(program), 0);
    std::string value;
    EXPECT_TRUE(ReadProgramSetting("State", "GrEng", value));
    EXPECT_EQ(value, "2");
}

}  // namespace
