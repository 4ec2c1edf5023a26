#include "program_fixture.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "app/main_window_win.h"
#include "engine/word_forms.h"
#include "x_input.h"

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

// Copies the staged program directory into this run's own and turns the tip of the day off in
// the copy's texts file (the program reads it there until a user's own choice is saved), so no
// tip window comes between the tests and the lookup window.
class ProgramDirectoryEnvironment : public testing::Environment {
public:
    void SetUp() override {
        const char* locale = getenv("LC_ALL");
        if (locale && std::string(locale).rfind("el_GR", 0) == 0) {
            ASSERT_EQ(GetACP(), 1253u) << "LC_ALL=" << locale << " should give code page 1253";
        }

        const std::wstring& dir = ProgramDirectory();
        CreateDirectoryW(WinePath(WORDMERE_E2E_DIR).c_str(), nullptr);
        CreateDirectoryW(dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(WinePath(WORDMERE_EXE).c_str(), ProgramExe().c_str(), FALSE));
        ASSERT_GE(CopyProgramFiles(WinePath(WORDMERE_DIST), dir, L"wordmere.exe"), 3)
            << "build the dictionaries into " << WORDMERE_DIST;
        WritePrivateProfileStringW(L"Tips", L"ShowTips", L"0", Join(dir, L"vbrtexts.res").c_str());
        CreateDirectoryW(WinePath(WORDMERE_SHOTS).c_str(), nullptr);
    }
};

const testing::Environment* const kProgramDirectory =
    testing::AddGlobalTestEnvironment(new ProgramDirectoryEnvironment);

}  // namespace

int CopyProgramFiles(const std::wstring& from, const std::wstring& to, const wchar_t* leaveOut) {
    int dictionaries = 0;
    const std::string formsName = kWordFormsFileName;
    const std::wstring forms(formsName.begin(), formsName.end());
    for (const wchar_t* pattern : {L"*.dic", L"*.ind", L"vbrtexts.res", L"vbr_help.chm",
                                   L"vbr_help.html", L"wordmere.exe", forms.c_str()}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Join(from, pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            if (leaveOut && lstrcmpiW(found.cFileName, leaveOut) == 0) {
                continue;
            }
            if (!CopyFileW(Join(from, found.cFileName).c_str(), Join(to, found.cFileName).c_str(),
                           FALSE)) {
                ADD_FAILURE() << "cannot copy into the program directory";
                break;
            }
            dictionaries += lstrcmpW(pattern, L"*.dic") == 0;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return dictionaries;
}

std::wstring CodePageName() {
    return L"cp" + std::to_wstring(GetACP());
}

const std::wstring& ProgramDirectory() {
    static const std::wstring dir = WinePath(WORDMERE_E2E_DIR) + L"\\program-" + CodePageName();
    return dir;
}

std::wstring ProgramExe() {
    return Join(ProgramDirectory(), L"wordmere.exe");
}

SIZE ScreenSize() {
    static SIZE size = {};
    if (size.cx > 0) {
        return size;
    }
    wchar_t prefix[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return size;
    }
    std::wstring file = std::wstring(prefix) + L"/wordmere-e2e-screen";
    if (!RunUnixCommand(L"/usr/bin/xdotool getdisplaygeometry > " + ShellQuote(file))) {
        return size;
    }
    std::wstring dosFile = L"Z:" + file;
    for (wchar_t& c : dosFile) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    if (FILE* f = _wfopen(dosFile.c_str(), L"r")) {
        long width = 0, height = 0;
        if (fscanf(f, "%ld %ld", &width, &height) == 2) {
            size.cx = width;
            size.cy = height;
        }
        fclose(f);
    }
    return size;
}

std::wstring ScreenshotPath(const std::wstring& name) {
    return Join(WinePath(WORDMERE_SHOTS), name);
}

const std::map<std::string, std::string>& FirstRunState() {
    static const std::map<std::string, std::string> values = {
        {"SearchFor", "a "}, {"Key", "97"},         {"GrEng", "1"},    {"DialogState", "0"},
        {"Accent", "1"},     {"Root", "1"},         {"FormType", "1"}, {"StayOnTop", "0"},
        {"UseGreek", "0"},   {"UseClipboard", "0"}, {"UseSounds", "0"}};
    return values;
}

const std::map<std::string, std::string>& FirstRunHotKey() {
    static const std::map<std::string, std::string> values = {
        {"HotKeyState", "1"}, {"Alt", "0"}, {"Control", "0"}, {"Shift", "0"}, {"ScanCode", "0"}};
    return values;
}

void SeedSettings(const std::map<std::string, std::string>& state) {
    std::map<std::string, std::string> values = FirstRunState();
    for (const auto& value : state) {
        values[value.first] = value.second;
    }
    for (const auto& value : values) {
        ASSERT_TRUE(WriteProgramSetting("State", value.first.c_str(), value.second));
    }
    for (const auto& value : FirstRunHotKey()) {
        ASSERT_TRUE(WriteProgramSetting("HotKey", value.first.c_str(), value.second));
    }
}

namespace {

// The process whose main window stands, 0 when no instance runs.
DWORD RunningInstance() {
    DWORD processId = 0;
    if (HWND main = FindWindowA(kMainWindowClass, nullptr)) {
        GetWindowThreadProcessId(main, &processId);
    }
    return processId;
}

// What became of a start that showed no lookup window, so that a failure says which way it went.
std::string StartFailure(const RunningProgram& started) {
    DWORD exitCode = STILL_ACTIVE;
    if (started.process.hProcess) {
        GetExitCodeProcess(started.process.hProcess, &exitCode);
    }
    char text[160];
    DWORD running = RunningInstance();
    if (exitCode == STILL_ACTIVE) {
        snprintf(text, sizeof text, "still running without it");
    } else if (running != 0 && running != started.process.dwProcessId) {
        snprintf(text, sizeof text, "it ended (exit code 0x%lX), handing over to process %lu",
                 exitCode, running);
    } else {
        snprintf(text, sizeof text, "it ended (exit code 0x%lX)", exitCode);
    }
    return text;
}

}  // namespace

void ProgramTest::TearDown() {
    DWORD started = program.process.dwProcessId;
    int exitCode = StopProgram(program);
    // An instance left behind would take over every later start, and each test after would fail
    // for it: end it here, and say so under the test that left it.
    if (DWORD left = RunningInstance()) {
        std::cerr << "a program instance (process " << left << ") outlived the test; its own "
                  << "program (process " << started << ") ended with " << exitCode
                  << "; ending it\n";
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, left)) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

void ProgramTest::Start() {
    ASSERT_TRUE(StartProgram(ProgramExe(), ProgramDirectory(), program))
        << "wordmere.exe did not show its lookup window: " << StartFailure(program);
}

void ProgramTest::Restart() {
    ASSERT_EQ(StopProgram(program), 0) << "the program did not end cleanly";
    Start();
}

std::vector<std::wstring> ProgramTest::Matches() const {
    return ListBoxItems(Control(12000));
}

std::vector<std::wstring> ProgramTest::Translations() const {
    return ListBoxItems(Control(12001));
}

void ProgramTest::UseDictionary(const std::wstring& text) {
    HWND list = Control(12011);
    LRESULT index = Send(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_GE(index, 0) << "no dictionary list entry for this text";
    SelectComboItem(program.dialog, 12011, static_cast<int>(index));
    ASSERT_EQ(ComboSelectionText(list), text);
}

void ProgramTest::TypeAndEnter(const std::wstring& word) {
    ASSERT_EQ(TypeInWordBox(program.dialog, word), "");
    PressKey(VK_RETURN);
}

bool ProgramTest::WaitForFirstMatch(const std::wstring& word, DWORD timeoutMs) const {
    return WaitUntil(
        [&] {
            std::vector<std::wstring> matches = Matches();
            return !matches.empty() && matches[0] == word;
        },
        timeoutMs);
}

HWND VisibleWindowOfClass(DWORD processId, const wchar_t* className) {
    std::vector<HWND> windows = VisibleWindows(processId, className);
    return windows.empty() ? nullptr : windows.front();
}

void ForeignNotepad::ShowWithSelection(const std::wstring& text) {
    if (!window) {
        ASSERT_TRUE(LaunchProcess(L"C:\\windows\\notepad.exe", L"", process_));
        ASSERT_TRUE(WaitUntil(
            [&] {
                window = VisibleWindowOfClass(process_.dwProcessId, L"Notepad");
                return window != nullptr;
            },
            15000))
            << "Notepad did not show";
        // No window manager raises a window brought to the front: Notepad goes where it
        // covers neither the icon nor the lookup window, so the pictures show both.
        MoveWindow(window, 0, 620, 400, 300, TRUE);
    }
    ASSERT_TRUE(XFocus(window)) << "Notepad did not take the focus";
    // Letters beyond ASCII would need keys the X keyboard map does not have yet; Wine may
    // miss the map's change for the first of them. The text only has to be there.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        XKeys(L"ctrl+a BackSpace");
        XType(text);
    } else {
        SetControlText(FindWindowExW(window, nullptr, L"Edit", nullptr), text);
    }
    XKeys(L"ctrl+a");
}

void ForeignNotepad::Close() {
    if (process_.hProcess) {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    process_ = PROCESS_INFORMATION{};
    window = nullptr;
}
