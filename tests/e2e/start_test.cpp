// End-to-end: where the program finds its files. They live beside wordmere.exe whatever the
// current directory it was started in; a remembered dictionary choice that can no longer be
// opened never stops a start; the main window is a minimized task-bar button behind the lookup
// window. Also the names the executable exports.
#include <algorithm>

#include "program_fixture.h"

namespace {

using StartTest = ProgramTest;

// A copy of the program directory at a path of its own, removed at the end of the test.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& dir, const wchar_t* leaveOut = nullptr) : dir_(dir) {
        CreateDirectoryW(Base().c_str(), nullptr);
        CreateDirectoryW(dir.c_str(), nullptr);
        dictionaries_ = CopyProgramFiles(ProgramDirectory(), dir, leaveOut);
    }
    ~ProgramCopy() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((dir_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW((dir_ + L"\\" + found.cFileName).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(dir_.c_str());
        RemoveDirectoryW(Base().c_str());
    }
    static std::wstring Base() { return ProgramDirectory() + L"-copies"; }
    std::wstring Exe() const { return dir_ + L"\\wordmere.exe"; }
    int Dictionaries() const { return dictionaries_; }

private:
    std::wstring dir_;
    int dictionaries_ = 0;
};

TEST_F(StartTest, FindsItsFilesFromAnyCurrentDirectory) {
    wchar_t windowsDir[MAX_PATH];
    GetWindowsDirectoryW(windowsDir, MAX_PATH);
    for (const std::wstring& current : {std::wstring(windowsDir), std::wstring(L"C:\\")}) {
        ASSERT_TRUE(StartProgram(ProgramExe(), current, program))
            << "no lookup window when started in another directory";
        EXPECT_GE(ComboItems(Control(12011)).size(), 3u);
        EXPECT_FALSE(Matches().empty());
        EXPECT_EQ(StopProgram(program), 0);
    }
}

// GRENG.dic without its index: the saved choice of it falls on another entry at start.
// The task-bar button is shown after the lookup window's first results: it is there all the same,
// minimized, and the lookup window keeps the focus.
TEST_F(StartTest, TheMainWindowIsAMinimizedTaskBarButtonBehindTheLookupWindow) {
    ASSERT_TRUE(StartProgram(ProgramExe(), ProgramDirectory(), program));
    HWND mainWindow = FindWindowW(L"Vocabre:Main", nullptr);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(mainWindow) != FALSE; }))
        << "the main window has no task-bar button";
    EXPECT_TRUE(IsIconic(mainWindow));
    EXPECT_EQ(GetForegroundWindow(), program.dialog);
    EXPECT_EQ(StopProgram(program), 0);
}

TEST_F(StartTest, ASavedChoiceWhoseIndexIsMissingNeverStopsTheStart) {
    ProgramCopy copy(ProgramCopy::Base() + L"\\no-greng-index", L"GRENG.ind");
    ASSERT_TRUE(WritePrivateProfileStringW(L"Dictionary", L"Diction", L"Greek-English dictionary",
                                           L"Vocabre.ini"));
    ASSERT_TRUE(StartProgram(copy.Exe(), L"C:\\", program)) << "the saved choice stopped the start";
    std::vector<std::wstring> entries = ComboItems(Control(12011));
    EXPECT_EQ(std::count(entries.begin(), entries.end(), L"Greek-English dictionary"), 0);
    EXPECT_FALSE(ComboSelectionText(Control(12011)).empty());
    EXPECT_TRUE(OtherDialogs(program.process.dwProcessId, program.dialog).empty())
        << "a dictionary that is not offered is no error";
    EXPECT_EQ(StopProgram(program), 0);
}

// A damaged dictionary is named when it is opened; the window then opens another one.
TEST_F(StartTest, ADamagedIndexIsNamedAtTheStart) {
    ProgramCopy copy(ProgramCopy::Base() + L"\\cut-greng-index");
    std::wstring index = copy.Exe().substr(0, copy.Exe().rfind(L'\\')) + L"\\GRENG.ind";
    HANDLE file = CreateFileW(index.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFilePointer(file, 20, nullptr, FILE_BEGIN);  // a letter record and a half
    SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(WritePrivateProfileStringW(L"Dictionary", L"Diction", L"Greek-English dictionary",
                                           L"Vocabre.ini"));
    ASSERT_TRUE(LaunchProcess(copy.Exe(), L"C:\\", program.process));
    HWND notice = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::vector<HWND> dialogs = OtherDialogs(program.process.dwProcessId, nullptr);
            notice = dialogs.empty() ? nullptr : dialogs[0];
            return notice != nullptr;
        },
        20000))
        << "no notice about the damaged index";
    std::wstring text = WindowText(GetDlgItem(notice, 12010));
    EXPECT_NE(text.find(L"GRENG.ind"), std::wstring::npos) << std::string(text.begin(), text.end());
    SaveWindowPng(notice, ScreenshotPath(L"damaged-index-notice.png"));
    PostMessageW(notice, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            program.dialog = FindLookupDialog(program.process.dwProcessId);
            return program.dialog != nullptr;
        },
        20000))
        << "the window did not open another dictionary";
    EXPECT_NE(WindowText(program.dialog), L"Greek-English dictionary");
    EXPECT_EQ(StopProgram(program), 0);
}

TEST(Executable, ExportsItsWindowProcedureAndFontCallbacks) {
    HMODULE module = LoadLibraryExW(ProgramExe().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    for (const char* name : {"StartProc", "EnumFontsFam", "EnumFontsFamAttr"}) {
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    }
    FreeLibrary(module);
}

}  // namespace
