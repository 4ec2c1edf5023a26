// End-to-end: a portable copy (a file "portable" beside wordmere.exe) keeps its settings,
// history and user dictionary in its own folder and leaves the registry as it was: a registry
// export of this test's prefix before the runs equals one after them.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "program_fixture.h"
#include "resources/resource_ids.h"

namespace {

std::wstring PortableFolder() {
    return WinePath(WORDMERE_E2E_DIR) + L"\\portable-" + CodePageName();
}

// Runs a program to its end; false when it could not start or did not end in time.
bool RunToEnd(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ended;
}

// Wine keeps state of its own in the registry whichever program runs: the display driver
// registers its adapters whenever a process first draws on the display, and user32 keeps the
// system parameters set for the session (the test's own mouse among them).
const wchar_t* const kWineOwnKeys[] = {
    L"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\",
    L"\\Software\\Wine\\Temporary System Parameters\\",
};

bool IsWineOwnKey(const std::wstring& key) {
    for (const wchar_t* part : kWineOwnKeys) {
        if (key.find(part) != std::wstring::npos) {
            return true;
        }
    }
    return false;
}

// The whole registry as regedit exports it: each value line with the key above it, "[key]" for
// the key itself; Wine's own keys left out.
std::vector<std::wstring> RegistryExport(const std::wstring& file) {
    DeleteFileW(file.c_str());
    EXPECT_TRUE(RunToEnd(L"regedit.exe /E \"" + file + L"\"")) << "regedit did not export";
    std::vector<std::wstring> lines;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "no registry export";
        return lines;
    }
    std::string bytes(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(handle);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), read / sizeof(wchar_t));
    std::wstringstream stream(text);
    std::wstring line;
    std::wstring key;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line[0] == L'[') {
            key = line;
            line.clear();
        }
        if (!IsWineOwnKey(key)) {
            lines.push_back(key + line);
        }
    }
    EXPECT_GT(lines.size(), 100u);
    return lines;
}

// The lines of one export that the other lacks.
std::vector<std::wstring> Missing(std::vector<std::wstring> from, std::vector<std::wstring> in) {
    std::sort(from.begin(), from.end());
    std::sort(in.begin(), in.end());
    std::vector<std::wstring> missing;
    std::set_difference(from.begin(), from.end(), in.begin(), in.end(),
                        std::back_inserter(missing));
    return missing;
}

std::string Joined(const std::vector<std::wstring>& lines) {
    std::string text;
    for (const std::wstring& line : lines) {
        text += StoredBytes(line) + "\n";
    }
    return text;
}

std::wstring IniText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t text[100] = {};
    GetPrivateProfileStringW(section, key, L"", text, 100, file.c_str());
    return text;
}

class PortableTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder_ = PortableFolder();
        CreateDirectoryW(folder_.c_str(), nullptr);
        RemoveDirectoryW(File(L"Wordmere.ini").c_str());
        for (const wchar_t* name : {L"Wordmere.ini", L"Vocabre.ini", L"portable"}) {
            DeleteFileW(File(name).c_str());
        }
        ASSERT_GE(CopyProgramFiles(ProgramDirectory(), folder_), 3);
        HANDLE marker = CreateFileW((folder_ + L"\\portable").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(marker, INVALID_HANDLE_VALUE);
        CloseHandle(marker);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        RemoveDirectoryW(File(L"Wordmere.ini").c_str());
    }

    void StartPortable() {
        ASSERT_TRUE(StartProgram(folder_ + L"\\wordmere.exe", folder_, program))
            << "the portable copy did not show its lookup window";
    }
    std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }

    std::wstring folder_;
};

TEST_F(PortableTest, RunsFromItsFolderWithoutWritingTheRegistry) {
    const std::wstring exportFile = WinePath(WORDMERE_E2E_DIR) + L"\\registry-" + CodePageName();
    const std::vector<std::wstring> before = RegistryExport(exportFile + L"-before.reg");

    StartPortable();
    TypeAndEnter(L"house");
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    // Always on top, from the window menu: a setting that the close saves.
    Send(program.dialog, WM_SYSCOMMAND, 103, 0);
    EXPECT_EQ(StopProgram(program), 0);

    EXPECT_EQ(IniText(File(L"Vocabre.ini"), L"History", L"History0"), L"house");
    EXPECT_EQ(IniText(File(L"Wordmere.ini"), L"SOFTWARE\\Corvessa\\Wordmere\\State", L"SearchFor"),
              L"house");
    EXPECT_EQ(IniText(File(L"Wordmere.ini"), L"SOFTWARE\\Corvessa\\Wordmere\\State", L"StayOnTop"),
              L"1");
    char windowsDir[MAX_PATH] = "";
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    EXPECT_EQ(GetFileAttributesA((std::string(windowsDir) + "\\Vocabre.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);

    // The next start comes back as it was left.
    StartPortable();
    EXPECT_EQ(WindowText(Control(12003)), L"house");
    EXPECT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_NE(GetWindowLongW(program.dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(StopProgram(program), 0);

    const std::vector<std::wstring> after = RegistryExport(exportFile + L"-after.reg");
    EXPECT_EQ(Joined(Missing(after, before)), "") << "entries the runs added or changed";
    EXPECT_EQ(Joined(Missing(before, after)), "") << "entries the runs removed or changed";
}

// A folder the program may not write: this run keeps its settings in the user's own places,
// and says so.
TEST_F(PortableTest, AFolderThatCannotBeWrittenFallsBackToTheUsersPlacesWithANotice) {
    // The tests' user may write every folder (root, under Wine): a folder in the place of the
    // settings file cannot be written as a file, and stands for a folder that cannot be.
    ASSERT_TRUE(CreateDirectoryW(File(L"Wordmere.ini").c_str(), nullptr));

    ASSERT_TRUE(LaunchProcess(folder_ + L"\\wordmere.exe", folder_, program.process));
    HWND notice = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<HWND> dialogs = OtherDialogs(program.process.dwProcessId, nullptr);
        notice = dialogs.empty() ? nullptr : dialogs.front();
        return notice != nullptr;
    })) << "no notice";
    const std::wstring text = WindowText(GetDlgItem(notice, IDC_INFORMATION_TEXT));
    EXPECT_NE(text.find(L"cannot write to its own folder"), std::wstring::npos)
        << StoredBytes(text);
    PostMessageW(notice, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] {
        program.dialog = FindLookupDialog(program.process.dwProcessId);
        return program.dialog != nullptr;
    }));
    TypeAndEnter(L"house");
    ASSERT_TRUE(WaitForFirstMatch(L"house"));
    EXPECT_EQ(StopProgram(program), 0);

    std::string word;
    EXPECT_FALSE(ReadProgramSetting("State", "SearchFor", word)) << "the machine's hive";
    HKEY user;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Corvessa\\Wordmere\\State", 0, KEY_READ, &user),
        ERROR_SUCCESS);
    RegCloseKey(user);
    EXPECT_EQ(GetFileAttributesW(File(L"Vocabre.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
