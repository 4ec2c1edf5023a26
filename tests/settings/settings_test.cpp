#include "settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "settings/memory_stores.h"
#include "tests/settings/fake_lookup_fields.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    MemoryProfile history;
    SettingsStorage storage{&registry, &history};
    Settings settings;

    void FirstRun() {
        EnsureSettingsKeys(registry);
        registry.writeLog.clear();
    }
    std::string Stored(const char* subKey, const char* name) {
        const MemoryRegistry::Value* value = registry.FindValue(subKey, name);
        return value ? value->data : "<missing>";
    }
};

TEST_F(SettingsTest, FirstRunCreatesTheKeysAndWritesExactlyTheDefaultsInOrder) {
    EXPECT_TRUE(EnsureSettingsKeys(registry));

    for (const char* key : {kRootKey, kStateKey, kHotKeyKey}) {
        ASSERT_NE(registry.FindKey(key), nullptr) << key;
        EXPECT_EQ(registry.FindKey(key)->keyClass, "Wordmere");
    }
    std::string state = "software\\corvessa\\wordmere\\state\\";
    std::string hotKey = "software\\corvessa\\wordmere\\hotkey\\";
    std::vector<std::string> expected = {
        state + "SearchFor=a ",   state + "Key=97",      state + "GrEng=1",
        state + "DialogState=0",  state + "Accent=1",    state + "Root=1",
        state + "FormType=1",     state + "StayOnTop=0", state + "UseGreek=0",
        state + "UseClipboard=0", state + "UseSounds=0", hotKey + "HotKeyState=1",
        hotKey + "Alt=0",         hotKey + "Control=0",  hotKey + "Shift=0",
        hotKey + "ScanCode=0",
    };
    EXPECT_EQ(registry.writeLog, expected);
    EXPECT_EQ(registry.FindKey(kStateKey)->values.size(), 11u);
    EXPECT_EQ(registry.FindKey(kHotKeyKey)->values.size(), 5u);
    EXPECT_EQ(Stored(kStateKey, "SearchFor"), std::string("a \0", 3));  // the NUL is counted
    EXPECT_EQ(registry.OpenHandles(), 0);

    LoadSettings(settings, storage, nullptr);
    EXPECT_EQ(settings.Key, 97);
    EXPECT_EQ(settings.GrEng, 1);
    EXPECT_EQ(settings.Accent, 1);
    EXPECT_EQ(settings.Root, 1);
    EXPECT_EQ(settings.FormType, 1);
    EXPECT_EQ(settings.HotKeyState, 1);
    EXPECT_EQ(settings.UseLargeFont, 0);
    EXPECT_EQ(settings.SearchAsYouType, 0);  // off until the user turns it on
    EXPECT_EQ(settings.UseUserDict, 0);
    EXPECT_EQ(settings.ScreenX, 0);
    EXPECT_EQ(settings.SRB, 0);
    EXPECT_EQ(settings.Balloons, 0);
    EXPECT_EQ(settings.TaskBarIcon, 0);
    EXPECT_EQ(settings.GiveBackClipboard, 1) << "on although the first run writes no value";

    // Only a missing root key means a first run.
    EXPECT_FALSE(EnsureSettingsKeys(registry));
}

TEST_F(SettingsTest, StoredTextBecomesTheSettingThroughWidthAndLoadRule) {
    struct Case {
        const char* name;
        const char* stored;
        std::function<long(const Settings&)> field;
        long expected;
    };
    const Case cases[] = {
        {"Key", "0", [](const Settings& s) { return s.Key; }, 100},
        {"Key", "-5", [](const Settings& s) { return s.Key; }, 100},
        {"Key", "97", [](const Settings& s) { return s.Key; }, 97},
        {"Key", "4294967298", [](const Settings& s) { return s.Key; }, 2},
        {"GrEng", "9", [](const Settings& s) { return s.GrEng; }, 8},
        {"GrEng", "257", [](const Settings& s) { return s.GrEng; }, 1},
        {"GrEng", "300", [](const Settings& s) { return s.GrEng; }, 8},
        {"TaskBarIcon", "257", [](const Settings& s) { return s.TaskBarIcon; }, 1},
        {"Accent", "-1", [](const Settings& s) { return s.Accent; }, 0},
        {"Root", "65537", [](const Settings& s) { return s.Root; }, 1},
        {"UseSounds", "32768", [](const Settings& s) { return s.UseSounds; }, 0},
        {"SearchAsYouType", "-1", [](const Settings& s) { return s.SearchAsYouType; }, 0},
        {"StayOnTop", "+1x", [](const Settings& s) { return s.StayOnTop; }, 1},
        {"StayOnTop", "70000", [](const Settings& s) { return s.StayOnTop; }, 70000},
        {"UseGreek", "yes", [](const Settings& s) { return s.UseGreek; }, 0},
        {"UseClipboard", "  \t7", [](const Settings& s) { return s.UseClipboard; }, 7},
        {"SRL", "65535", [](const Settings& s) { return s.SRL; }, -1},
        {"SRB", "-300", [](const Settings& s) { return s.SRB; }, -300},
        {"ScreenX", "-2", [](const Settings& s) { return s.ScreenX; }, -2},
        {"Balloons", "511", [](const Settings& s) { return s.Balloons; }, 255},
        {"ScanCode", "112", [](const Settings& s) { return s.ScanCode; }, 112},
        {"Shift", "-1", [](const Settings& s) { return s.Shift; }, -1},
        {"GiveBackClipboard", "0", [](const Settings& s) { return s.GiveBackClipboard; }, 0},
        {"GiveBackClipboard", "", [](const Settings& s) { return s.GiveBackClipboard; }, 0},
        {"GiveBackClipboard", "-1", [](const Settings& s) { return s.GiveBackClipboard; }, 0},
    };
    for (const Case& c : cases) {
        MemoryRegistry store;
        EnsureSettingsKeys(store);
        bool hotKey = std::string("ScanCode Shift").find(c.name) != std::string::npos;
        store.SetValue(hotKey ? kHotKeyKey : kStateKey, c.name, c.stored);
        Settings loaded;
        LoadSettings(loaded, SettingsStorage{&store, &history}, nullptr);
        EXPECT_EQ(c.field(loaded), c.expected) << c.name << " stored as \"" << c.stored << "\"";
    }
}

TEST(ParseSettingNumber, ReadsSignAndLeadingDigitsOnly) {
    EXPECT_EQ(ParseSettingNumber(""), 0);
    EXPECT_EQ(ParseSettingNumber("abc"), 0);
    EXPECT_EQ(ParseSettingNumber("-"), 0);
    EXPECT_EQ(ParseSettingNumber(" +42"), 42);
    EXPECT_EQ(ParseSettingNumber("-17 apples"), -17);
    EXPECT_EQ(ParseSettingNumber("--3"), 0);
    EXPECT_EQ(ParseSettingNumber("2147483648"), INT32_MIN);  // wraps, keeping the low bits
}

TEST_F(SettingsTest, ValueNamesCompareWithoutRegardToCase) {
    registry.SetValue(kStateKey, "USEgreek", "1");
    registry.SetValue(kStateKey, "SEARCHFOR", "a ");
    LoadSettings(settings, storage, nullptr);
    EXPECT_EQ(settings.UseGreek, 1);

    char text[kSettingBufferSize];
    EXPECT_TRUE(ReadSettingString(registry, kStateKey, "searchfor", text));
    EXPECT_STREQ(text, "a ");
}

TEST_F(SettingsTest, EnumerationStopsAtAValueThatDoesNotFitItsBuffers) {
    FirstRun();
    // Enumerated before UseSounds and Balloons: their reads stop at these values.
    registry.SetValue(kStateKey, std::string(100, 'n'), "1");
    registry.SetValue(kStateKey, "Balloons", "1");
    char text[kSettingBufferSize];
    EXPECT_FALSE(ReadSettingString(registry, kStateKey, "Balloons", text));
    EXPECT_STREQ(text, "");

    MemoryRegistry other;
    EnsureSettingsKeys(other);
    other.SetValue(kStateKey, std::string(99, 'n'), std::string(359, '7'));  // just fits
    other.SetValue(kStateKey, "Balloons", "1");
    EXPECT_TRUE(ReadSettingString(other, kStateKey, std::string(99, 'N').c_str(), text));
    EXPECT_EQ(strlen(text), 359u);
    EXPECT_TRUE(ReadSettingString(other, kStateKey, "Balloons", text));

    other.SetValue(kStateKey, std::string(99, 'n'), std::string(360, '7'));  // 361 with NUL
    EXPECT_FALSE(ReadSettingString(other, kStateKey, "Balloons", text));
    EXPECT_EQ(other.OpenHandles(), 0);
}

// The load takes each key in one walk; it must find what value-by-value reads find.
TEST_F(SettingsTest, LoadFindsAValueBehindManyOthers_AndStopsWhereASingleReadStops) {
    FirstRun();
    for (int i = 0; i < 60; ++i) {
        registry.SetValue(kStateKey, "Extra" + std::to_string(i), "5");
    }
    registry.SetValue(kStateKey, "Balloons", "1");
    registry.SetValue(kHotKeyKey, "ScanCode", "87");
    LoadSettings(settings, storage, nullptr);
    EXPECT_EQ(settings.Key, 97);
    EXPECT_EQ(settings.Balloons, 1);
    EXPECT_EQ(settings.ScanCode, 87);
    EXPECT_EQ(registry.OpenHandles(), 0);

    MemoryRegistry other;
    EnsureSettingsKeys(other);
    other.SetValue(kStateKey, "UseGreek", "1");
    other.SetValue(kStateKey, std::string(100, 'n'), "1");  // its name does not fit
    other.SetValue(kStateKey, "TaskBarIcon", "1");
    LoadSettings(settings, SettingsStorage{&other, &history}, nullptr);
    EXPECT_EQ(settings.UseGreek, 1);
    EXPECT_EQ(settings.TaskBarIcon, 0);
    EXPECT_EQ(settings.HotKeyState, 1);
    EXPECT_EQ(other.OpenHandles(), 0);
}

TEST_F(SettingsTest, MissingStateKeyReadsAsZeroAndDropsWrites) {
    registry.CreateKey(kRootKey, kKeyClass);
    LoadSettings(settings, storage, nullptr);
    EXPECT_EQ(settings.Key, 100);  // 0 through its load rule
    EXPECT_EQ(settings.FormType, 0);
    EXPECT_EQ(settings.HotKeyState, 0);

    EXPECT_FALSE(WriteSettingString(registry, kStateKey, "DialogState", "1"));
    EXPECT_EQ(registry.FindKey(kStateKey), nullptr);  // writes never create keys
    EXPECT_FALSE(EnsureSettingsKeys(registry));       // and the root alone is not a first run
}

TEST_F(SettingsTest, LoadSetsTheDerivedValues) {
    FirstRun();
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(settings.FormTypeAtLoad, 1);
    EXPECT_EQ(fields.lastSearched, "");
}

TEST_F(SettingsTest, HistoryLoadStopsAtTheFirstEmptyKey) {
    FirstRun();
    history.Parse(
        "[History]\nHistory0=one\nHistory1=two\nHistory2=\nHistory3=four\nHistory4=five\n");
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(fields.history, (std::vector<std::string>{"one", "two"}));
}

TEST_F(SettingsTest, HistoryOf101IsSavedWhole_AndTheNextStartLoads100) {
    FirstRun();
    FakeLookupFields fields;
    for (int i = 0; i < 101; ++i) {
        fields.history.push_back("word" + std::to_string(i));
    }
    fields.currentWord = "word0";
    SaveSettings(settings, storage, fields);
    EXPECT_EQ(history.Get("History", "History100"), "word100");

    FakeLookupFields next;
    LoadSettings(settings, storage, &next);
    ASSERT_EQ(next.history.size(), 100u);
    EXPECT_EQ(next.history.back(), "word99");
}

TEST_F(SettingsTest, HistoryEntriesLoadCutTo78Characters) {
    FirstRun();
    history.PutString("History", "History0", std::string(90, 'x').c_str());
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(fields.history.at(0), std::string(78, 'x'));
}

TEST(AddHistoryWord, AppliesTheFourRules) {
    FakeLookupFields fields;
    for (int i = 0; i < 10; ++i) {
        fields.history.push_back("word" + std::to_string(i));
    }

    AddHistoryWord(fields, "x");  // too short
    EXPECT_EQ(fields.history.size(), 10u);

    AddHistoryWord(fields, "WORD7");
    EXPECT_EQ(fields.history.size(), 10u);
    EXPECT_EQ(fields.history.front(), "WORD7");
    EXPECT_EQ(std::count(fields.history.begin(), fields.history.end(), "word7"), 0);
    EXPECT_EQ(fields.selected, 0);

    // Greek capitals match their small letters, accented ones included: ΆΛΦΑ = άλφα.
    fields.history.insert(fields.history.begin() + 3, "\xDC\xEB\xF6\xE1");
    AddHistoryWord(fields, "\xA2\xCB\xD6\xC1");
    EXPECT_EQ(fields.history.front(), "\xA2\xCB\xD6\xC1");
    EXPECT_EQ(fields.history.size(), 11u);

    // Above 100 entries the 101st goes before the word comes in, so a run never holds more
    // than 101.
    fields.history.clear();
    for (int i = 0; i < 101; ++i) {
        fields.history.push_back("word" + std::to_string(i));
    }
    AddHistoryWord(fields, "fresh");
    EXPECT_EQ(fields.history.size(), 101u);
    EXPECT_EQ(fields.history.back(), "word99");
    AddHistoryWord(fields, "word50");
    EXPECT_EQ(fields.history.size(), 100u);  // 101st dropped, duplicate moved to the top
}

TEST_F(SettingsTest, SearchForRestoresAndSelectsTheHistoryEntryFromTheSecondOn) {
    struct Case {
        const char* stored;
        std::vector<std::string> history;
        std::string word;
        int selected;
    };
    const Case cases[] = {
        {"cat", {"cat", "dog", "cow", "ant", "bee", "category"}, "cat", 5},
        {"cat", {"cat", "dog", "cow"}, "cat", 0},  // wraps round to the first
        {"CAT", {"dog", "Catalogue"}, "CAT", 1},
        {"cat", {"dog", "cow"}, "cat", 0},            // nothing matches
        {"x", {"dog", "a pple", "a tree"}, "a ", 1},  // one character restores as "a "
        {"", {}, "a ", -1},                           // an empty list is left alone
    };
    for (const Case& c : cases) {
        MemoryRegistry store;
        EnsureSettingsKeys(store);
        store.SetValue(kStateKey, "SearchFor", c.stored);
        MemoryProfile file;
        for (size_t i = 0; i < c.history.size(); ++i) {
            file.PutString("History", ("History" + std::to_string(i)).c_str(),
                           c.history[i].c_str());
        }
        FakeLookupFields fields;
        LoadSettings(settings, SettingsStorage{&store, &file}, &fields);
        EXPECT_EQ(fields.currentWord, c.word) << c.stored;
        EXPECT_EQ(fields.selected, c.selected) << c.stored;
    }
}

TEST_F(SettingsTest, SearchForLongerThanTheWordBufferKeepsItsStart) {
    FirstRun();
    registry.SetValue(kStateKey, "SearchFor", std::string(50, 'w'));
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(fields.currentWord, std::string(39, 'w'));
}

TEST_F(SettingsTest, SaveWritesHistoryDictionaryThenEveryValue_AndLoadsBackTheSame) {
    FirstRun();
    history.PutString("History", "History5", "stale");
    FakeLookupFields fields;
    fields.history = {"\xEA\xE1\xEB\xE7\xEC\xDD\xF1\xE1", "hello"};
    fields.currentWord = "hello";
    fields.dictionary = "Greek-English dictionary";
    settings.Key = 103;
    settings.GrEng = 200;
    settings.Balloons = 255;
    settings.SRL = -12;
    settings.SRR = 640;
    settings.TaskBarIcon = 1;
    settings.UseLargeFont = 1;
    settings.GiveBackClipboard = 0;
    settings.HotKeyState = 0;
    settings.Control = 1;
    settings.ScanCode = 87;
    settings.SearchAsYouType = 1;
    SaveSettings(settings, storage, fields);

    EXPECT_EQ(history.Get("History", "History0"), "\xEA\xE1\xEB\xE7\xEC\xDD\xF1\xE1");
    EXPECT_EQ(history.Get("History", "History1"), "hello");
    EXPECT_EQ(history.Get("History", "History5"), "stale");  // beyond the count: untouched
    char dictionary[60];
    EXPECT_TRUE(ReadDictionaryChoice(history, dictionary, sizeof(dictionary)));
    EXPECT_STREQ(dictionary, "Greek-English dictionary");
    ASSERT_EQ(registry.writeLog.size(), 28u);
    EXPECT_EQ(registry.writeLog.front(), "software\\corvessa\\wordmere\\state\\SearchFor=hello");
    EXPECT_EQ(Stored(kStateKey, "GrEng"), std::string("200\0", 4));
    EXPECT_EQ(Stored(kStateKey, "Balloons"), std::string("255\0", 4));
    EXPECT_EQ(Stored(kStateKey, "SRL"), std::string("-12\0", 4));

    Settings loaded;
    FakeLookupFields reopened;
    LoadSettings(loaded, storage, &reopened);
    EXPECT_EQ(reopened.currentWord, "hello");
    EXPECT_EQ(reopened.selected, 1);
    EXPECT_EQ(loaded.Key, 103);
    EXPECT_EQ(loaded.GrEng, 8);  // the load rule applies to what was saved
    EXPECT_EQ(loaded.Balloons, 255);
    EXPECT_EQ(loaded.SRL, -12);
    EXPECT_EQ(loaded.SRR, 640);
    EXPECT_EQ(loaded.TaskBarIcon, 1);
    EXPECT_EQ(loaded.UseLargeFont, 1);
    EXPECT_EQ(loaded.GiveBackClipboard, 0);
    EXPECT_EQ(loaded.HotKeyState, 0);
    EXPECT_EQ(loaded.Control, 1);
    EXPECT_EQ(loaded.ScanCode, 87);
    EXPECT_EQ(loaded.SearchAsYouType, 1);
}

TEST_F(SettingsTest, NoDictionarySelectedLeavesDictionUntouched) {
    FirstRun();
    history.PutString("Dictionary", "Diction", "Thesaurus of Greek language");
    FakeLookupFields fields;
    SaveSettings(settings, storage, fields);
    EXPECT_EQ(history.Get("Dictionary", "Diction"), "Thesaurus of Greek language");
}

TEST(ChooseSettingsRegistry, FallsBackToTheUsersHiveWhenTheMachineHiveIsReadOnly) {
    struct Case {
        bool machineWritable;
        bool rootExists;
        bool expectMachine;
    };
    const Case cases[] = {
        {true, true, true},
        {true, false, true},   // an administrator's first run creates the machine keys
        {false, true, false},  // readable, but the settings could never be saved
        {false, false, false},
    };
    for (const Case& c : cases) {
        MemoryRegistry machine, user;
        machine.SetValue("SOFTWARE\\Other", "x", "1");
        if (c.rootExists) {
            machine.SetValue(kStateKey, "Key", "103");
        }
        machine.writable = c.machineWritable;
        RegistryStore& chosen = ChooseSettingsRegistry(machine, user);
        EXPECT_EQ(&chosen == &machine, c.expectMachine)
            << "writable " << c.machineWritable << " root " << c.rootExists;
    }
}

TEST(ChooseSettingsRegistry, AStandardUsersSettingsPersistInTheirOwnHive) {
    MemoryRegistry machine, user;
    machine.SetValue("SOFTWARE\\Other", "x", "1");
    machine.writable = false;
    MemoryProfile file;
    SettingsStorage storage{&ChooseSettingsRegistry(machine, user), &file};

    EXPECT_TRUE(EnsureSettingsKeys(*storage.registry));
    FakeLookupFields fields;
    fields.currentWord = "kept";
    Settings settings;
    settings.UseGreek = 1;
    SaveSettings(settings, storage, fields);

    EXPECT_EQ(machine.FindKey(kRootKey), nullptr);
    Settings loaded;
    FakeLookupFields reopened;
    LoadSettings(loaded, storage, &reopened);
    EXPECT_EQ(loaded.UseGreek, 1);
    EXPECT_EQ(reopened.currentWord, "kept");
}

TEST(ChooseHistoryFolder, UsesTheWindowsDirectoryOnlyWhenWritable) {
    EXPECT_STREQ(ChooseHistoryFolder("C:\\Windows", true, "C:\\Users\\a\\AppData"), "C:\\Windows");
    EXPECT_STREQ(ChooseHistoryFolder("C:\\Windows", false, "C:\\Users\\a\\AppData"),
                 "C:\\Users\\a\\AppData");
}

// The count comes from the texts file, today's tip from the user's settings INI (the texts
// file's value until the user has one); the next tip goes to the user's INI only.
TEST(TipCounters, ReadAndAdvanceWrapAroundMaxTipsInTheUsersSettings) {
    struct Case {
        const char* texts;
        const char* user;
        int tipCount;
        int todayTip;
        const char* written;  // nullptr: nothing written
    };
    const Case cases[] = {
        {"[Tips]\nMaxTips=5\nToDayTip=5\n", "", 5, 5, "1"},
        {"[Tips]\nMaxTips=5\nToDayTip=2\n", "", 5, 2, "3"},
        {"[Tips]\nMaxTips=5\nToDayTip=1\n", "[Tips]\nToDayTip=4\n", 5, 4, "5"},
        {"[Tips]\nMaxTips=5\n", "", 5, 1, "2"},
        {"[Tips]\nToDayTip=3\n", "", 0, 0, nullptr},
        {"[Tips]\nMaxTips=0\n", "[Tips]\nToDayTip=3\n", 0, 0, nullptr},
        {"[Tips]\nMaxTips=5\n", "[Tips]\nToDayTip=9\n", 5, 1, "2"},  // out of range: 1
        {"[Tips]\nMaxTips=5\nToDayTip=-2\n", "", 5, 1, "2"},
    };
    for (const Case& c : cases) {
        MemoryProfile texts, user;
        texts.Parse(c.texts);
        user.Parse(c.user);
        const std::string textsBefore = texts.Get("Tips", "ToDayTip");
        const std::string userBefore = user.Get("Tips", "ToDayTip");
        TipCounters counters = ReadTipCounters(texts, &user);
        EXPECT_EQ(counters.TipCount, c.tipCount) << c.texts << c.user;
        EXPECT_EQ(counters.TodayTip, c.todayTip) << c.texts << c.user;
        AdvanceTodayTip(&user, counters);
        EXPECT_EQ(user.Get("Tips", "ToDayTip"), c.written ? c.written : userBefore) << c.texts;
        EXPECT_EQ(texts.Get("Tips", "ToDayTip"), textsBefore) << c.texts;
    }
    // Without a settings INI: the texts file's tip, and nothing written anywhere.
    MemoryProfile texts;
    texts.Parse("[Tips]\nMaxTips=5\nToDayTip=3\n");
    TipCounters counters = ReadTipCounters(texts, nullptr);
    EXPECT_EQ(counters.TodayTip, 3);
    AdvanceTodayTip(nullptr, counters);
    EXPECT_EQ(texts.Get("Tips", "ToDayTip"), "3");
}

}  // namespace
