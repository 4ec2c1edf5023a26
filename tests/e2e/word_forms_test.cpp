// End-to-end: an inflected Greek form typed into the real program's window leads to its
// headword through the word-form table of the program folder, in both interface languages.
#include <algorithm>

#include "program_fixture.h"

namespace {

class WordFormsWindowTest : public ProgramTest {};

TEST_F(WordFormsWindowTest, AnInflectedFormListsItsHeadwordFirstWithItsTranslations) {
    struct {
        const wchar_t* name;
        const char* useGreek;
        const wchar_t* dictionary;
        const wchar_t* formOf;  // what the status line says
    } languages[] = {{L"en", "0", L"Greek-English dictionary", L"A form of: σπίτι"},
                     {L"el", "1", L"Ελληνοαγγλικό λεξικό", L"Τύπος της λέξης: σπίτι"}};
    for (const auto& language : languages) {
        SCOPED_TRACE(testing::Message() << std::wstring(language.name));
        ResetProgramSettings();
        SeedSettings({{"UseGreek", language.useGreek}});
        Start();
        UseDictionary(language.dictionary);
        // A form the spelling guesses cannot reach: an aorist with its augment.
        TypeAndEnter(L"έγραψα");
        ASSERT_TRUE(WaitForFirstMatch(L"γράφω"));
        std::vector<std::wstring> translations = Translations();
        EXPECT_NE(std::find(translations.begin(), translations.end(), L"write"),
                  translations.end());

        TypeAndEnter(L"σπιτιού");
        ASSERT_TRUE(WaitForFirstMatch(L"σπίτι"));
        translations = Translations();
        for (const wchar_t* expected : {L"house", L"home"}) {
            EXPECT_NE(std::find(translations.begin(), translations.end(), expected),
                      translations.end())
                << std::wstring(expected);
        }
        EXPECT_EQ(WindowText(Control(12007)), language.formOf);
        EXPECT_TRUE(
            SaveWindowPng(program.dialog, ScreenshotPath(std::wstring(L"form_of_") + language.name +
                                                         L"_" + CodePageName() + L".png")));
        EXPECT_EQ(StopProgram(program), 0);
    }
}

}  // namespace
