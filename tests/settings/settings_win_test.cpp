// The settings and the interface texts against the real registry and profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/interface_texts.h"
#include "settings/interface_texts_win.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "tests/settings/fake_lookup_fields.h"
#include "tests/settings/greek_key_map.h"

namespace {

// These tests delete and rewrite the program's keys: they must never do it in the prefix the
// user runs the program in.
TEST(SettingsWinTest, RunsInAThrowAwayWinePrefix) {
    char prefix[1024] = "";
    ASSERT_GT(GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix), 0u);
    EXPECT_STRNE(prefix, WORDMERE_USER_PREFIX);
}

std::string RawValue(HKEY root, const char* subKey, const char* name, DWORD* type) {
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return "<no key>";
    }
    char data[400];
    DWORD size = sizeof(data);
    LONG result = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
}

DWORD ValueCount(HKEY root, const char* subKey, std::string* keyClass) {
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    char className[64] = "";
    DWORD classSize = sizeof(className);
    DWORD values = 0;
    RegQueryInfoKeyA(key, className, &classSize, nullptr, nullptr, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    *keyClass = className;
    return values;
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
}

// A hive that refuses every write, as HKEY_LOCAL_MACHINE does for a standard user.
class ReadOnlyStore : public WinRegistryStore {
public:
    using WinRegistryStore::WinRegistryStore;
    RegistryKey OpenKey(const char* subKey, KeyAccess access) override {
        return access == KeyAccess::Write ? 0 : WinRegistryStore::OpenKey(subKey, access);
    }
    bool CreateKey(const char*, const char*) override { return false; }
};

TEST(WinSettings, FirstRunLoadAndSaveThroughTheRealRegistryAndIniFile) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRootKey);
    WinRegistryStore machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(EnsureSettingsKeys(machine));

    std::string keyClass;
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, kStateKey, &keyClass), 11u);
    EXPECT_EQ(keyClass, "Wordmere");
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, kHotKeyKey, &keyClass), 5u);
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kStateKey, "SearchFor", &type), std::string("a \0", 3));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kHotKeyKey, "HotKeyState", &type),
              std::string("1\0", 2));

    // Names the program did not write in its own case, and a number cut to its width.
    HKEY state;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStateKey, 0, KEY_WRITE, &state), ERROR_SUCCESS);
    RegDeleteValueA(state, "UseGreek");
    RegSetValueExA(state, "uSeGrEeK", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegSetValueExA(state, "GrEng", 0, REG_SZ, reinterpret_cast<const BYTE*>("257"), 4);
    RegCloseKey(state);

    std::string iniPath = TempPath("wordmere-history-test.ini");
    DeleteFileA(iniPath.c_str());
    WinProfileFile history(iniPath.c_str());
    SettingsStorage storage{&machine, &history};
    Settings settings;
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(settings.UseGreek, 1);
    EXPECT_EQ(settings.GrEng, 1);
    EXPECT_EQ(settings.Key, 97);
    EXPECT_EQ(settings.HotKeyState, 1);
    EXPECT_EQ(settings.UseLargeFont, 0);
    EXPECT_EQ(fields.currentWord, "a ");

    for (int i = 0; i < 101; ++i) {
        fields.history.push_back("word" + std::to_string(i));
    }
    fields.history[3] = "\xEA\xE1\xEB\xE7\xEC\xDD\xF1\xE1";  // καλημέρα in Windows-1253
    fields.currentWord = "word0";
    fields.dictionary = "Greek-English dictionary";
    settings.SRL = -40;
    SaveSettings(settings, storage, fields);

    char text[100];
    GetPrivateProfileStringA("History", "History100", "", text, sizeof(text), iniPath.c_str());
    EXPECT_STREQ(text, "word100");
    GetPrivateProfileStringA("Dictionary", "Diction", "", text, sizeof(text), iniPath.c_str());
    EXPECT_STREQ(text, "Greek-English dictionary");
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kStateKey, "SRL", &type), std::string("-40\0", 4));
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, kStateKey, &keyClass), 23u);

    Settings reloaded;
    FakeLookupFields reopened;
    LoadSettings(reloaded, storage, &reopened);
    ASSERT_EQ(reopened.history.size(), 100u);
    EXPECT_EQ(reopened.history[3], "\xEA\xE1\xEB\xE7\xEC\xDD\xF1\xE1");
    EXPECT_EQ(reopened.currentWord, "word0");
    EXPECT_EQ(reloaded.SRL, -40);
    DeleteFileA(iniPath.c_str());
}

TEST(WinSettings, AUserWhoCannotWriteTheMachineHiveKeepsSettingsInTheirOwn) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kRootKey);
    ReadOnlyStore machine(HKEY_LOCAL_MACHINE);
    WinRegistryStore user(HKEY_CURRENT_USER);
    RegistryStore& chosen = ChooseSettingsRegistry(machine, user);
    ASSERT_EQ(&chosen, &user);

    EXPECT_TRUE(EnsureSettingsKeys(chosen));
    EXPECT_TRUE(WriteSettingString(chosen, kStateKey, "DialogState", "1"));
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kStateKey, "DialogState", &type), std::string("1\0", 2));
    // Reads go to the same hive.
    char text[kSettingBufferSize];
    EXPECT_TRUE(ReadSettingString(chosen, kStateKey, "DialogState", text));
    EXPECT_STREQ(text, "1");
    RegDeleteTreeA(HKEY_CURRENT_USER, kRootKey);
}

TEST(WinSettings, ProcessStorageUsesTheMachineHiveAndWindowsDirectoryWhenWritable) {
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof(windowsDir));
    ASSERT_TRUE(CanWriteHistoryFile(windowsDir));  // Wine's user may write there
    std::string probe = std::string(windowsDir) + "\\Wordmere.probe";
    EXPECT_EQ(GetFileAttributesA(probe.c_str()), INVALID_FILE_ATTRIBUTES);

    const SettingsStorage& storage = ProcessSettingsStorage();
    EXPECT_TRUE(EnsureSettingsKeys(*storage.registry) ||
                SettingsKeyExists(*storage.registry, kRootKey));
    EXPECT_TRUE(WriteSettingString(*storage.registry, kStateKey, "ScreenX", "5"));
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kStateKey, "ScreenX", &type), std::string("5\0", 2));

    ASSERT_TRUE(storage.history->PutString("History", "History0", "probe"));
    std::string ini = std::string(windowsDir) + "\\Vocabre.ini";
    char text[32];
    GetPrivateProfileStringA("History", "History0", "", text, sizeof(text), ini.c_str());
    EXPECT_STREQ(text, "probe");
    DeleteFileA(ini.c_str());
}

TEST(WinSettings, FolderThatCannotBeWrittenIsRefused) {
    EXPECT_FALSE(CanWriteHistoryFile("Q:\\no\\such\\folder"));
}

TEST(WinTextsFile, EveryKeyReadsThroughTheProfileFunctions) {
    WinProfileFile texts(WORDMERE_TEXTS_FILE);
    for (unsigned key : GreekTextKeys()) {
        char text[kGreekItemSize];
        EXPECT_GT(GetGreekText(key, text, sizeof(text), texts), 0u) << key;
    }
    char text[kGreekItemSize];
    GetGreekText(18003, text, sizeof(text), WORDMERE_TEXTS_FILE);
    EXPECT_STREQ(text, "\xCA\xEB\xE5\xDF\xF3\xE9\xEC\xEF");  // Κλείσιμο
    TipCounters counters = ReadTipCounters(texts, nullptr);
    EXPECT_GE(counters.TipCount, 12);
    EXPECT_EQ(counters.TodayTip, 1);
}

TEST(WinTextsFile, GreekTextsReachTheWindowsAsUnicode) {
    HWND window = CreateWindowW(L"STATIC", L"Tip of the Day", WS_POPUP, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HWND child = CreateWindowW(L"STATIC", L"Close", WS_CHILD, 0, 0, 50, 20, window,
                               reinterpret_cast<HMENU>(2), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(LoadGreekTitle(window, 18000, WORDMERE_TEXTS_FILE));
    EXPECT_TRUE(LoadGreekItem(window, 2, 18003, WORDMERE_TEXTS_FILE));
    EXPECT_FALSE(LoadGreekItem(window, 2, 14504, WORDMERE_TEXTS_FILE));  // no text: kept
    wchar_t text[100];
    GetWindowTextW(window, text, 100);
    EXPECT_STREQ(text,
                 L"\u03A3\u03C5\u03BC\u03B2\u03BF\u03C5\u03BB\u03AE \u03C4\u03B7\u03C2 "
                 L"\u03B7\u03BC\u03AD\u03C1\u03B1\u03C2");  // Συμβουλή της ημέρας
    GetWindowTextW(child, text, 100);
    EXPECT_STREQ(text, L"\u039A\u03BB\u03B5\u03AF\u03C3\u03B9\u03BC\u03BF");  // Κλείσιμο
    DestroyWindow(window);
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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

// A run's tip counter goes to the user's settings INI; the texts file stays as it was built.
TEST(WinTextsFile, AdvancingTheTipWritesTheUsersIniNotTheTextsFile) {
    std::string copy = TempPath("wordmere-texts-test.res");
    std::string ini = TempPath("wordmere-tips-test.ini");
    ASSERT_TRUE(CopyFileA(WORDMERE_TEXTS_FILE, copy.c_str(), FALSE));
    DeleteFileA(ini.c_str());
    const std::string before = FileBytes(copy);
    WinProfileFile texts(copy.c_str());
    WinProfileFile user(ini.c_str());
    TipCounters counters = ReadTipCounters(texts, &user);
    EXPECT_EQ(counters.TodayTip, 1);
    AdvanceTodayTip(&user, counters);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());  // flush the cache
    EXPECT_EQ(ReadTipCounters(texts, &user).TodayTip, 2);
    EXPECT_EQ(FileBytes(copy), before);
    DeleteFileA(copy.c_str());
    DeleteFileA(ini.c_str());
}

}  // namespace
