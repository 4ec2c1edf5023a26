// End-to-end: what a screen reader reads of the lookup window. An accessibility client in this
// process asks oleacc for each control's object, as screen readers do, in both interface
// languages and with the Greek keyboard's letters on the index.
#include <oleacc.h>

#include "program_fixture.h"

namespace {

using ScreenReaderTest = ProgramTest;

// The name oleacc gives the control's client object; "<none>" when there is none.
std::wstring AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return L"<no object>";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = accessible->get_accName(self, &name);
    accessible->Release();
    std::wstring text = result == S_OK && name ? std::wstring(name) : L"<none>";
    SysFreeString(name);
    return text;
}

struct Names {
    const char* useGreek;
    const char* keyboard;  // GrEng: 1 Latin letters, 2 Greek
    const wchar_t* letterA;
    int lastLetterId;  // z, or omega on the button before it, the last one a Greek keyboard uses
    const wchar_t* lastLetter;
    const wchar_t* search;
    const wchar_t* wordList;
    const wchar_t* wordBox;
};

TEST_F(ScreenReaderTest, EveryPictureButtonAndListIsReadByItsName) {
    CoInitialize(nullptr);
    const Names cases[] = {
        {"0", "1", L"Letter A", 125, L"Letter Z", L"Search", L"Matching words",
         L"Word to translate"},
        // Γράμμα Α, Γράμμα Ω, Αναζήτηση, Λέξεις που ταιριάζουν, Λέξη προς μετάφραση
        {"1", "2", L"\x0393\x03c1\x03ac\x03bc\x03bc\x03b1 \x0391", 124,
         L"\x0393\x03c1\x03ac\x03bc\x03bc\x03b1 \x03a9",
         L"\x0391\x03bd\x03b1\x03b6\x03ae\x03c4\x03b7\x03c3\x03b7",
         L"\x039b\x03ad\x03be\x03b5\x03b9\x03c2 \x03c0\x03bf\x03c5 "
         L"\x03c4\x03b1\x03b9\x03c1\x03b9\x03ac\x03b6\x03bf\x03c5\x03bd",
         L"\x039b\x03ad\x03be\x03b7 \x03c0\x03c1\x03bf\x03c2 "
         L"\x03bc\x03b5\x03c4\x03ac\x03c6\x03c1\x03b1\x03c3\x03b7"},
    };
    for (const Names& c : cases) {
        SCOPED_TRACE(testing::Message() << "UseGreek " << c.useGreek << ", GrEng " << c.keyboard);
        ResetProgramSettings();
        SeedSettings({{"UseGreek", c.useGreek}, {"GrEng", c.keyboard}});
        Start();
        WaitIdle(program.dialog);
        EXPECT_EQ(AccessibleName(Control(100)), c.letterA);
        EXPECT_EQ(AccessibleName(Control(c.lastLetterId)), c.lastLetter);
        EXPECT_EQ(AccessibleName(Control(137)), c.search);
        EXPECT_EQ(AccessibleName(Control(12000)), c.wordList);
        EXPECT_EQ(AccessibleName(Control(12003)), c.wordBox);
        // Every other control a screen reader reaches has a name too.
        for (int id : {138, 139, 12001, 12011}) {
            const std::wstring name = AccessibleName(Control(id));
            EXPECT_FALSE(name.empty() || name[0] == L'<') << id;
        }
        // The names are not drawn: the buttons still show their pictures only.
        EXPECT_TRUE(SaveWindowPng(
            program.dialog, ScreenshotPath(L"names-greek" + std::wstring(1, *c.useGreek) + L"-" +
                                           CodePageName() + L".png")));
        EXPECT_EQ(StopProgram(program), 0);
    }
    CoUninitialize();
}

TEST_F(ScreenReaderTest, SmallFormButtonsAreNamed) {
    CoInitialize(nullptr);
    SeedSettings({{"DialogState", "1"}});
    Start();
    ASSERT_TRUE(IsSmallForm());
    EXPECT_EQ(AccessibleName(Control(143)), L"Copy the translation");
    EXPECT_EQ(AccessibleName(Control(144)), L"Look up the clipboard word");
    EXPECT_EQ(AccessibleName(Control(12001)), L"Translations");
    EXPECT_EQ(StopProgram(program), 0);
    CoUninitialize();
}

}  // namespace
