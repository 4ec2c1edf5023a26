// The settings kept in an INI file (a program run from a folder of its own) behave as in the
// registry: first run, load rules, enumeration limits and a full save and load.
#include "settings/profile_registry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/memory_stores.h"
#include "tests/settings/fake_lookup_fields.h"

namespace {

TEST(ProfileRegistry, FirstRunSaveAndLoadRoundTripEveryValue) {
    MemoryProfile ini;
    MemoryProfile history;
    ProfileRegistry registry(ini);
    SettingsStorage storage{&registry, &history};

    EXPECT_FALSE(SettingsKeyExists(registry, kRootKey));
    ASSERT_TRUE(EnsureSettingsKeys(registry));
    EXPECT_FALSE(EnsureSettingsKeys(registry));  // the second start is no first run
    EXPECT_EQ(ini.Keys(kStateKey).size(), 11u);
    EXPECT_EQ(ini.Keys(kHotKeyKey).size(), 5u);

    Settings settings;
    FakeLookupFields fields;
    LoadSettings(settings, storage, &fields);
    EXPECT_EQ(fields.currentWord, "a ");  // the blank survives the INI file
    EXPECT_EQ(settings.Key, 97);
    EXPECT_EQ(settings.HotKeyState, 1);
    EXPECT_EQ(settings.UseLargeFont, 0);

    fields.history = {"house"};
    fields.currentWord = "  spaced ";
    settings.GrEng = 2;
    settings.SRL = -12;
    settings.SearchAsYouType = 1;
    settings.ScanCode = 87;
    SaveSettings(settings, storage, fields);
    // Written as values of the key's section, the names in the program's own case.
    EXPECT_EQ(ini.Get(kStateKey, "SRL"), "-12");

    Settings loaded;
    FakeLookupFields reopened;
    LoadSettings(loaded, storage, &reopened);
    EXPECT_EQ(reopened.currentWord, "  spaced ");
    EXPECT_EQ(loaded.GrEng, 2);
    EXPECT_EQ(loaded.SRL, -12);
    EXPECT_EQ(loaded.SearchAsYouType, 1);
    EXPECT_EQ(loaded.ScanCode, 87);
    EXPECT_EQ(loaded.Key, 97);
}

TEST(ProfileRegistry, MissingKeysAndClosedHandlesReadNothingAndDropWrites) {
    MemoryProfile ini;
    ProfileRegistry registry(ini);
    EXPECT_EQ(registry.OpenKey(kStateKey, KeyAccess::Read), 0u);
    EXPECT_FALSE(WriteSettingString(registry, kStateKey, "Key", "5"));
    EXPECT_TRUE(ini.Keys(kStateKey).empty());

    ASSERT_TRUE(CreateSettingsKey(registry, kStateKey));
    RegistryKey key = registry.OpenKey(kStateKey, KeyAccess::Write);
    ASSERT_NE(key, 0u);
    registry.CloseKey(key);
    EXPECT_FALSE(registry.SetStringValue(key, "Key", "5"));
    char name[8];
    uint8_t data[8];
    uint32_t nameSize = sizeof name, dataSize = sizeof data;
    EXPECT_EQ(registry.EnumValue(key, 0, name, &nameSize, data, &dataSize), EnumStatus::Failed);
}

TEST(ProfileRegistry, EnumerationFailsOnAValueThatDoesNotFit_AndEndsAfterTheLast) {
    MemoryProfile ini;
    ProfileRegistry registry(ini);
    CreateSettingsKey(registry, kStateKey);
    WriteSettingString(registry, kStateKey, "Key", "97");
    WriteSettingString(registry, kStateKey, "SearchFor", "household");
    RegistryKey key = registry.OpenKey(kStateKey, KeyAccess::Read);
    ASSERT_NE(key, 0u);

    char name[kValueNameBufferSize];
    uint8_t data[kSettingBufferSize];
    uint32_t nameSize = sizeof name, dataSize = sizeof data;
    ASSERT_EQ(registry.EnumValue(key, 0, name, &nameSize, data, &dataSize), EnumStatus::Ok);
    EXPECT_STREQ(name, "Key");
    EXPECT_EQ(nameSize, 3u);
    EXPECT_EQ(dataSize, 3u);  // the NUL counted, as a string value's length
    EXPECT_EQ(memcmp(data, "97", 3), 0);

    nameSize = sizeof name;
    dataSize = 5;  // "household" and its NUL need 10
    EXPECT_EQ(registry.EnumValue(key, 1, name, &nameSize, data, &dataSize), EnumStatus::Failed);
    nameSize = 4;  // "SearchFor" needs 10
    dataSize = sizeof data;
    EXPECT_EQ(registry.EnumValue(key, 1, name, &nameSize, data, &dataSize), EnumStatus::Failed);
    nameSize = sizeof name;
    EXPECT_EQ(registry.EnumValue(key, 2, name, &nameSize, data, &dataSize),
              EnumStatus::NoMoreItems);
    registry.CloseKey(key);
}

}  // namespace
