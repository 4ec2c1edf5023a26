// The setup program end to end, in a Wine prefix made for this run alone: the installer's
// pages (with screenshots), a silent install, the program started from its Start menu
// shortcut, a silent uninstall that is refused while the program runs and that leaves the
// user's words, and nothing else, behind.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"
#include "engine/word_forms.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wordmere";
const wchar_t kSettingsKey[] = L"SOFTWARE\\Corvessa\\Wordmere";
const wchar_t kMainClass[] = L"Vocabre:Main";

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        result = path;
    }
    CoTaskMemFree(path);
    return result;
}

std::wstring InstallDir() {
    return KnownFolder(FOLDERID_ProgramFiles) + L"\\Wordmere";
}

std::wstring Shortcut() {
    return KnownFolder(FOLDERID_CommonPrograms) + L"\\Wordmere.lnk";
}

std::wstring UserWordsDir() {
    return KnownFolder(FOLDERID_RoamingAppData) + L"\\Wordmere";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// What the setup program ships: the program's own files in the staged program directory.
std::vector<std::wstring> ShippedNames() {
    std::vector<std::wstring> names = {L"wordmere.exe", L"vbrtexts.res", L"vbr_help.chm",
                                       L"vbr_help.html"};
    std::wstring dist = WinePath(WORDMERE_DIST);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dist + L"\\*.dic").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring dictionary = found.cFileName;
            std::wstring index = dictionary.substr(0, dictionary.size() - 4) + L".ind";
            if (Exists(dist + L"\\" + index)) {
                names.push_back(dictionary);
                names.push_back(index);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::string forms = kWordFormsFileName;
    std::wstring formsName(forms.begin(), forms.end());
    if (Exists(dist + L"\\" + formsName)) {
        names.push_back(formsName);
    }
    return names;
}

// Runs a command line and waits for it; its exit code, or -1 when it did not start or end.
int RunAndWait(const std::wstring& commandLine, DWORD timeoutMs = 120000) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

bool KeyExists(HKEY root, const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::wstring RegistryText(const wchar_t* name) {
    wchar_t data[1024] = L"";
    DWORD size = sizeof(data);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return L"";
    }
    return data;
}

DWORD RegistryNumber(const wchar_t* name) {
    DWORD data = 0;
    DWORD size = sizeof(data);
    RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &data, &size);
    return data;
}

struct ShortcutTarget {
    std::wstring path;
    std::wstring workingDirectory;
};

bool ReadShortcut(const std::wstring& file, ShortcutTarget& target) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    bool ok = false;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t path[MAX_PATH] = L"";
        wchar_t directory[MAX_PATH] = L"";
        ok = SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) &&
             SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
             SUCCEEDED(link->GetWorkingDirectory(directory, MAX_PATH));
        target.path = path;
        target.workingDirectory = directory;
        persist->Release();
    }
    link->Release();
    return ok;
}

std::wstring VersionText(const std::wstring& file, const wchar_t* name) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return L"";
    }
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) {
        return L"";
    }
    wchar_t* text = nullptr;
    UINT length = 0;
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) ||
        length == 0) {
        return L"";
    }
    return text;
}

std::string Manifest(const std::wstring& file) {
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        return "";
    }
    std::string text;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (resource) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes) {
            text.assign(bytes, SizeofResource(module, resource));
        }
    }
    FreeLibrary(module);
    return text;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

std::wstring ScreenshotFile(const wchar_t* name) {
    return WinePath(WORDMERE_SHOTS) + L"\\" + name + L".png";
}

// The top-level window of the setup program or uninstaller (an NSIS dialog), or none.
HWND FindWizard(const wchar_t* title) {
    HWND window = FindWindowW(L"#32770", title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
    struct Search {
        std::wstring text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (WindowText(child) == s->text) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Clicks a wizard button (Next, Install, Finish) by its id, once it is enabled.
void PressWizardButton(HWND wizard, int id) {
    HWND button = GetDlgItem(wizard, id);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(button) != FALSE; }, 60000));
    PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Waits until the wizard's page shows a control with this text, then saves a screenshot.
void ShootPage(HWND wizard, const std::wstring& text, const wchar_t* name) {
    ASSERT_TRUE(WaitUntil([&] { return FindChildByText(wizard, text) != nullptr; }, 60000))
        << "no page with \"" << std::string(text.begin(), text.end()) << "\"";
    Sleep(300);
    EXPECT_TRUE(SaveWindowPng(wizard, ScreenshotFile(name)));
}

class InstallerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CreateDirectoryW(WinePath(WORDMERE_SHOTS).c_str(), nullptr);
    }
    static void TearDownTestSuite() { CoUninitialize(); }
    void TearDown() override { StopProgram(program); }

    void InstallSilently() {
        ASSERT_EQ(RunAndWait(Quoted(WinePath(WORDMERE_SETUP)) + L" /S"), 0);
        ASSERT_TRUE(Exists(InstallDir() + L"\\Uninstall.exe"));
    }

    // Runs the uninstaller in place (it then waits for itself and reports its exit code).
    int UninstallInPlace() {
        return RunAndWait(Quoted(InstallDir() + L"\\Uninstall.exe") + L" /S _?=" + InstallDir());
    }

    // Runs the uninstaller as Add/Remove Programs does: it copies itself away and removes the
    // folder; done when its registration and the folder's uninstaller are gone.
    bool UninstallAsWindowsDoes() {
        if (RunAndWait(RegistryText(L"QuietUninstallString")) != 0) {
            return false;
        }
        return WaitUntil(
            [] {
                return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) &&
                       !Exists(InstallDir() + L"\\Uninstall.exe");
            },
            60000);
    }

    // Types the word into the lookup window and presses Enter; by default waits until the first
    // match is the word itself.
    void LookUp(const std::wstring& word, bool firstMatch = true) {
        for (HWND other : OtherDialogs(program.process.dwProcessId, program.dialog)) {
            PostMessageW(other, WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(WaitUntil(
            [&] { return OtherDialogs(program.process.dwProcessId, program.dialog).empty(); }));
        ASSERT_EQ(TypeInWordBox(program.dialog, word), "");
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<std::wstring> matches = ListBoxItems(GetDlgItem(program.dialog, 12000));
            return !matches.empty() && (!firstMatch || matches[0] == word);
        }));
    }

    RunningProgram program;
};

TEST_F(InstallerTest, PagesOfTheSetupProgram) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION setup{};
    std::wstring line = Quoted(WinePath(WORDMERE_SETUP));
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &setup));
    HWND wizard = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (wizard = FindWizard(L"Wordmere Setup")) != nullptr; }, 30000));
    // The setup ends with the test whatever happens, so no later test meets it.
    struct Ender {
        HANDLE process;
        ~Ender() {
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
    } ender{setup.hProcess};
    CloseHandle(setup.hThread);
    ASSERT_NO_FATAL_FAILURE(ShootPage(wizard, L"Welcome to Wordmere Setup", L"installer_welcome"));
    ASSERT_NO_FATAL_FAILURE(PressWizardButton(wizard, IDOK));
    ASSERT_NO_FATAL_FAILURE(ShootPage(wizard, L"Destination Folder", L"installer_folder"));
    ASSERT_NO_FATAL_FAILURE(PressWizardButton(wizard, IDOK));
    ASSERT_NO_FATAL_FAILURE(ShootPage(wizard, L"Completed", L"installer_progress"));
    ASSERT_NO_FATAL_FAILURE(PressWizardButton(wizard, IDOK));
    ASSERT_NO_FATAL_FAILURE(ShootPage(wizard, L"Completing Wordmere Setup", L"installer_finish"));
    // Leave the program unstarted: the test starts it from the shortcut as a user does.
    HWND run = FindChildByText(wizard, L"Start Wordmere now");
    ASSERT_NE(run, nullptr);
    SendMessageW(run, BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_NO_FATAL_FAILURE(PressWizardButton(wizard, IDOK));
    EXPECT_EQ(WaitForSingleObject(setup.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(setup.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(Exists(InstallDir() + L"\\wordmere.exe"));
    EXPECT_FALSE(FindWindowW(kMainClass, nullptr)) << "the unticked program started anyway";

    ASSERT_TRUE(UninstallAsWindowsDoes());
    // The uninstaller removes its folder last, after its own file and registry key.
    EXPECT_TRUE(WaitUntil([] { return !Exists(InstallDir()); }, 30000));
}

TEST_F(InstallerTest, SilentRoundTripLeavesOnlyTheUsersWords) {
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    std::wstring dir = InstallDir();
    std::wstring dist = WinePath(WORDMERE_DIST);
    std::vector<std::wstring> shipped = ShippedNames();
    ASSERT_GE(shipped.size(), 7u);
    for (const std::wstring& name : shipped) {
        EXPECT_EQ(FileSize(dir + L"\\" + name), FileSize(dist + L"\\" + name))
            << std::string(name.begin(), name.end());
    }
    // The texts file as the build generated it, not as a program run may have left the staged
    // copy.
    const std::string texts = ReadFileBytes(dir + L"\\vbrtexts.res");
    EXPECT_FALSE(texts.empty());
    EXPECT_TRUE(texts == ReadFileBytes(WinePath(WORDMERE_TEXTS_FILE)))
        << "the installed vbrtexts.res differs from the generated one";

    // Add/Remove Programs: name, publisher, version, icon, size, how to remove it.
    EXPECT_EQ(RegistryText(L"DisplayName"), L"Wordmere");
    EXPECT_EQ(RegistryText(L"Publisher"), L"Corvessa");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), L"2.2");
    EXPECT_EQ(RegistryText(L"DisplayIcon"), dir + L"\\wordmere.exe,0");
    EXPECT_EQ(RegistryText(L"UninstallString"), Quoted(dir + L"\\Uninstall.exe"));
    EXPECT_EQ(RegistryText(L"QuietUninstallString"), Quoted(dir + L"\\Uninstall.exe") + L" /S");
    EXPECT_GT(RegistryNumber(L"EstimatedSize"), 1000u);

    // The program's version resource and manifest.
    std::wstring exe = dir + L"\\wordmere.exe";
    EXPECT_EQ(VersionText(exe, L"ProductName"), L"Wordmere");
    EXPECT_EQ(VersionText(exe, L"ProductVersion"), L"2.2");
    EXPECT_FALSE(VersionText(exe, L"FileDescription").empty());
    std::string manifest = Manifest(exe);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("supportedOS"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);

    // The tip of the day would take the focus from the word box at the first start.
    WritePrivateProfileStringW(L"Tips", L"ShowTips", L"0", (dir + L"\\vbrtexts.res").c_str());
    // Started as the Start menu starts it: the shortcut's target in its working directory.
    ShortcutTarget shortcut;
    ASSERT_TRUE(ReadShortcut(Shortcut(), shortcut));
    EXPECT_EQ(shortcut.path, exe);
    EXPECT_EQ(shortcut.workingDirectory, dir);
    ASSERT_TRUE(StartProgram(shortcut.path, shortcut.workingDirectory, program));
    EXPECT_NO_FATAL_FAILURE(LookUp(L"house"));
    std::vector<std::wstring> translations = ListBoxItems(GetDlgItem(program.dialog, 12001));
    EXPECT_TRUE(std::any_of(translations.begin(), translations.end(),
                            [](const std::wstring& t) { return t.rfind(L"σπίτι", 0) == 0; }));
    EXPECT_TRUE(SaveWindowPng(program.dialog, ScreenshotFile(L"installed_program")));

    // The user's own words, where the program keeps them: beside the dictionaries, or in the
    // application data when the program folder is not writable.
    CreateDirectoryW(UserWordsDir().c_str(), nullptr);
    // The uninstaller keeps any *.usr file whatever it holds.
    const std::string words = "the user's words";
    ASSERT_TRUE(WriteFileBytes(dir + L"\\GRENG.usr", words));
    ASSERT_TRUE(WriteFileBytes(UserWordsDir() + L"\\FRENCH.usr", words));

    // Refused while the program runs, and nothing is removed.
    EXPECT_EQ(UninstallInPlace(), 2);
    for (const std::wstring& name : shipped) {
        EXPECT_TRUE(Exists(dir + L"\\" + name)) << std::string(name.begin(), name.end());
    }
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(StopProgram(program), 0);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey) ||
                KeyExists(HKEY_CURRENT_USER, kSettingsKey))
        << "the program saved no settings to remove";

    ASSERT_TRUE(UninstallAsWindowsDoes());
    // The uninstaller's copy goes on after the program's own entry is gone: the settings keys
    // follow it.
    WaitUntil(
        [] {
            return !KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey) &&
                   !KeyExists(HKEY_CURRENT_USER, kSettingsKey);
        },
        30000);
    for (const std::wstring& name : shipped) {
        EXPECT_FALSE(Exists(dir + L"\\" + name)) << std::string(name.begin(), name.end());
    }
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_EQ(FileSize(dir + L"\\GRENG.usr"), static_cast<long long>(words.size()));
    EXPECT_EQ(FileSize(UserWordsDir() + L"\\FRENCH.usr"), static_cast<long long>(words.size()));
}

// Run by standard_user.sh as a Unix user who may not write in the install folder (Wine runs as
// root here, and root may write anywhere): the user's words go to the application data, the
// lookup window finds them there. Skipped in the ordinary run.
TEST_F(InstallerTest, StandardUsersWordsGoToTheApplicationData) {
    if (!getenv("WORDMERE_STANDARD_USER")) {
        GTEST_SKIP() << "run by standard_user.sh as a user who cannot write the install folder";
    }
    const std::wstring dir = InstallDir();
    ASSERT_TRUE(Exists(dir + L"\\wordmere.exe")) << "standard_user.sh installs first";
    HANDLE probe = CreateFileW((dir + L"\\probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "this user may write in the install folder";
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    // A first run writes the defaults; then searches take the user's words too.
    ShortcutTarget shortcut;
    ASSERT_TRUE(ReadShortcut(Shortcut(), shortcut));
    ASSERT_TRUE(StartProgram(shortcut.path, shortcut.workingDirectory, program));
    ASSERT_EQ(StopProgram(program), 0);
    ASSERT_TRUE(WriteProgramSetting("State", "UseUserDict", "1"));
    ASSERT_TRUE(StartProgram(shortcut.path, shortcut.workingDirectory, program));
    const std::wstring word = L"ψαροβαρκα";
    ASSERT_NO_FATAL_FAILURE(LookUp(word, false));

    // The user dictionary dialog, as F5 opens it; it takes the lookup window's word.
    PostMessageW(program.dialog, WM_COMMAND, CMD_USER_DICTIONARY, 0);
    HWND maintenance = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<HWND> others = OtherDialogs(program.process.dwProcessId, program.dialog);
        maintenance = others.empty() ? nullptr : others.back();
        return maintenance && GetDlgItem(maintenance, IDC_USERDICT_WORD);
    })) << "the user dictionary dialog did not open";
    EXPECT_EQ(WindowText(GetDlgItem(maintenance, IDC_USERDICT_WORD)), word);
    SetControlText(GetDlgItem(maintenance, IDC_USERDICT_TRANSLATION), L"fishing boat");
    ASSERT_TRUE(WaitUntil(
        [&] { return IsWindowEnabled(GetDlgItem(maintenance, IDC_USERDICT_ADD)) != FALSE; }));
    Command(maintenance, IDC_USERDICT_ADD);
    EXPECT_TRUE(
        WaitUntil([&] { return WindowText(GetDlgItem(maintenance, IDC_USERDICT_WORD)).empty(); }));
    Command(maintenance, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(maintenance); }));

    EXPECT_EQ(FileSize(UserWordsDir() + L"\\GRENG.usr"), 130);
    EXPECT_FALSE(Exists(dir + L"\\GRENG.usr"));

    // The lookup window, searched again at the dialog's close, lists the word as the user's.
    HWND matches = GetDlgItem(program.dialog, IDC_WORD_LIST);
    int found = -1;
    EXPECT_TRUE(WaitUntil([&] {
        std::vector<std::wstring> items = ListBoxItems(matches);
        auto at = std::find(items.begin(), items.end(), word);
        found = at == items.end() ? -1 : static_cast<int>(at - items.begin());
        return found >= 0;
    })) << "the lookup window does not list the user's word";
    if (found >= 0) {
        DWORD data = static_cast<DWORD>(Send(matches, LB_GETITEMDATA, found, 0));
        EXPECT_NE(data & 0x80000000u, 0u) << "not marked as the user's";
    }
    EXPECT_EQ(StopProgram(program), 0);
}

}  // namespace
