// The tray icon, the help launch and the click sound against Wine's real shell and sound system.
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ui/help_win.h"
#include "ui/sound_win.h"
#include "ui/tray_win.h"
#include "resources/resource_ids.h"

namespace {

HWND MakeOwner() {
    return CreateWindowExW(0, L"STATIC", L"tray owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(TrayIcon, IsAddedAndRemovedOnceEach) {
    HWND owner = MakeOwner();
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    // A tip beyond what the shell keeps is cut, not refused.
    std::wstring longTip(200, L'W');
    ASSERT_TRUE(AddTrayIcon(owner, IDI_WORDMERE, MSG_TRAY_CALLBACK, icon, longTip.c_str()));
    EXPECT_TRUE(RemoveTrayIcon(owner, IDI_WORDMERE));
    EXPECT_FALSE(RemoveTrayIcon(owner, IDI_WORDMERE)) << "already gone";
    // After the shell restarted it is simply added again.
    ASSERT_TRUE(AddTrayIcon(owner, IDI_WORDMERE, MSG_TRAY_CALLBACK, icon, L"Wordmere"));
    EXPECT_TRUE(RemoveTrayIcon(owner, IDI_WORDMERE));
    DestroyWindow(owner);
}

TEST(TrayIcon, ShellRestartMessageIsTheRegisteredOne) {
    EXPECT_NE(TaskbarCreatedMessage(), 0u);
    EXPECT_EQ(TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
}

// A program directory of the test's own, outside the current directory.
class HelpTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        wchar_t name[64];
        swprintf(name, 64, L"wordmere_help_%lu", GetCurrentProcessId());
        directory = std::wstring(temp) + name;
        CreateDirectoryW(directory.c_str(), nullptr);
        WideCharToMultiByte(CP_ACP, 0, directory.c_str(), -1, programDir, sizeof programDir,
                            nullptr, nullptr);
    }
    void TearDown() override {
        DeleteFileW((directory + L"\\" + kHelpFileName).c_str());
        DeleteFileW((directory + L"\\" + kHelpPageName).c_str());
        RemoveDirectoryW(directory.c_str());
    }
    void Make(const wchar_t* name) {
        HANDLE file = CreateFileW((directory + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    std::wstring directory;
    char programDir[MAX_PATH] = {};
};

TEST_F(HelpTest, AMissingHelpFileStartsNothing) {
    EXPECT_FALSE(OpenProgramHelp(nullptr, programDir));
    EXPECT_FALSE(OpenProgramHelp(nullptr, ""));
}

TEST_F(HelpTest, TheViewerStartsOnTheProgramDirectorysFileWhateverTheCurrentDirectory) {
    Make(kHelpFileName);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    SetCurrentDirectoryW(system);
    EXPECT_TRUE(OpenProgramHelp(nullptr, programDir));
}

// Windows keeps the compiled help; under Wine, whose viewer cannot render it here, the page
// goes to the host's browser, and the compiled help stays the fallback.
TEST_F(HelpTest, UnderWineThePageOpensInTheBrowser) {
    EXPECT_TRUE(RunningUnderWine());
    const std::wstring chm = L"\"" + directory + L"\\" + kHelpFileName + L"\"";
    const std::wstring page = L"\"" + directory + L"\\" + kHelpPageName + L"\"";
    HelpLaunch launch;
    EXPECT_FALSE(ChooseProgramHelp(programDir, true, &launch));
    Make(kHelpFileName);
    const struct {
        bool underWine;
        bool withPage;
        const wchar_t* program;
        const std::wstring& argument;
    } cases[] = {
        {false, false, L"hh.exe", chm},
        {true, false, L"hh.exe", chm},
        {true, true, L"winebrowser.exe", page},
        {false, true, L"hh.exe", chm},
    };
    for (const auto& c : cases) {
        if (c.withPage) {
            Make(kHelpPageName);
        }
        ASSERT_TRUE(ChooseProgramHelp(programDir, c.underWine, &launch));
        EXPECT_EQ(launch.program, c.program) << c.underWine << c.withPage;
        EXPECT_EQ(launch.argument, c.argument) << c.underWine << c.withPage;
    }
}

TEST(ClickSound, DeviceCheckAsksForOutputDevices) {
    EXPECT_EQ(SoundDeviceAvailable(), waveOutGetNumDevs() > 0);
}

TEST(ClickSound, PlaysTheResourceOnlyWhenAskedAndPresent) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    EXPECT_FALSE(PlayResourceSound(instance, IDR_CLICK_SOUND, false));
    EXPECT_FALSE(PlayResourceSound(nullptr, IDR_CLICK_SOUND, true)) << "no player made ready";
    EXPECT_FALSE(PlayResourceSound(instance, 24999, true)) << "no such resource";
    if (!SoundDeviceAvailable()) {
        GTEST_SKIP() << "no wave-output device here";
    }
    EXPECT_TRUE(PlayResourceSound(instance, IDR_CLICK_SOUND, true));
    EXPECT_TRUE(PlayResourceSound(instance, IDR_CLICK_SOUND, true))
        << "a second click replaces the first";
    EXPECT_FALSE(PlayResourceSound(instance, 0, true));
}

}  // namespace
