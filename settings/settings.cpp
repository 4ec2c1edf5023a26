#include "settings/settings.h"

#include <cstdio>
#include <cstring>

#include "engine/folding.h"

namespace {

int16_t Low16(int32_t n) {
    return static_cast<int16_t>(static_cast<uint32_t>(n) & 0xFFFF);
}
uint8_t Low8(int32_t n) {
    return static_cast<uint8_t>(static_cast<uint32_t>(n) & 0xFF);
}

// The common load rule: zero or less reads as 0.
int16_t Flag16(int32_t n) {
    int16_t v = Low16(n);
    return v <= 0 ? 0 : v;
}

void WriteNumber(RegistryStore& registry, const char* subKey, const char* name, long n) {
    char text[16];
    snprintf(text, sizeof(text), "%ld", n);
    WriteSettingString(registry, subKey, name, text);
}

}  // namespace

int32_t ParseSettingNumber(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p++ == '-';
    }
    uint32_t n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
    }
    if (negative) {
        n = 0u - n;
    }
    return static_cast<int32_t>(n);
}

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        unsigned char cx = LowerGreekChar(*x), cy = LowerGreekChar(*y);
        if (cx != cy) {
            return cx < cy ? -1 : 1;
        }
        if (cx == 0) {
            return 0;
        }
    }
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(prefix);
    for (; *y; ++x, ++y) {
        if (LowerGreekChar(*x) != LowerGreekChar(*y)) {
            return false;
        }
    }
    return true;
}

bool SettingsKeyExists(RegistryStore& registry, const char* subKey) {
    RegistryKey key = registry.OpenKey(subKey, KeyAccess::Read);
    if (!key) {
        return false;
    }
    registry.CloseKey(key);
    return true;
}

bool CreateSettingsKey(RegistryStore& registry, const char* subKey) {
    return registry.CreateKey(subKey, kKeyClass);
}

namespace {

// String data normally counts its NUL; data written without one still ends here.
void CopySettingData(char* out, const uint8_t* data, uint32_t dataSize) {
    size_t n = dataSize < kSettingBufferSize ? dataSize : kSettingBufferSize - 1;
    memcpy(out, data, n);
    out[n] = '\0';
}

// The values of one key, taken in a single walk of it. Loading the settings reads two dozen
// values; each read on its own opens the key and walks it again from the start, which costs a
// system call per value passed under Wine and on Windows alike. A name is found as the single
// read finds it: the first value, in the key's order, whose name matches.
class KeyValues {
public:
    KeyValues(RegistryStore& registry, const char* subKey) : registry_(registry), subKey_(subKey) {
        RegistryKey key = registry.OpenKey(subKey, KeyAccess::Read);
        if (!key) {
            return;
        }
        for (uint32_t index = 0;; ++index) {
            if (count_ == kMaxValues) {
                complete_ = false;
                break;
            }
            Value& value = values_[count_];
            uint32_t nameSize = sizeof(value.name);
            uint32_t dataSize = sizeof(value.data);
            // A value that fails ends the walk for every name after it, as it ends a single read.
            if (registry.EnumValue(key, index, value.name, &nameSize, value.data, &dataSize) !=
                EnumStatus::Ok) {
                break;
            }
            value.dataSize = dataSize;
            ++count_;
        }
        registry.CloseKey(key);
    }

    int32_t Number(const char* name, int32_t missing = 0) const {
        for (int i = 0; i < count_; ++i) {
            if (SameAsciiNoCase(values_[i].name, name)) {
                char text[kSettingBufferSize];
                CopySettingData(text, values_[i].data, values_[i].dataSize);
                return ParseSettingNumber(text);
            }
        }
        // More values than were kept: the name may come later in the key.
        char text[kSettingBufferSize];
        if (complete_ || !ReadSettingString(registry_, subKey_, name, text)) {
            return missing;
        }
        return ParseSettingNumber(text);
    }

private:
    static constexpr int kMaxValues = 40;
    struct Value {
        char name[kValueNameBufferSize];
        uint8_t data[kSettingBufferSize];
        uint32_t dataSize;
    };
    RegistryStore& registry_;
    const char* subKey_;
    Value values_[kMaxValues];
    int count_ = 0;
    bool complete_ = true;
};

// A setting kept as a plain number. A read keeps the low 16 bits of the stored value, and a flag
// also reads zero or less as 0.
template <typename Field>
struct NumberSetting {
    const char* name;
    Field Settings::*field;
    bool flag;
};

const NumberSetting<int16_t> kStateNumbers[] = {
    {"Accent", &Settings::Accent, true},
    {"Root", &Settings::Root, true},
    {"DialogState", &Settings::DialogState, true},
    {"FormType", &Settings::FormType, true},
    {"UseGreek", &Settings::UseGreek, true},
    {"UseClipboard", &Settings::UseClipboard, true},
    {"UseLargeFont", &Settings::UseLargeFont, true},
    {"UseUserDict", &Settings::UseUserDict, true},
    {"UseSounds", &Settings::UseSounds, true},
    {"SearchAsYouType", &Settings::SearchAsYouType, true},
    {"ScreenX", &Settings::ScreenX, false},
    {"ScreenY", &Settings::ScreenY, false},
};
// The dialog's last rectangle: 16-bit values held in 32-bit settings.
const NumberSetting<int32_t> kScreenRectNumbers[] = {
    {"SRL", &Settings::SRL, false},
    {"SRT", &Settings::SRT, false},
    {"SRR", &Settings::SRR, false},
    {"SRB", &Settings::SRB, false},
};
const NumberSetting<int16_t> kHotKeyNumbers[] = {
    {"HotKeyState", &Settings::HotKeyState, false}, {"Alt", &Settings::Alt, false},
    {"Control", &Settings::Control, false},         {"Shift", &Settings::Shift, false},
    {"ScanCode", &Settings::ScanCode, false},
};

template <typename Field, size_t N>
void LoadNumbers(const KeyValues& values, const NumberSetting<Field> (&table)[N], Settings& s) {
    for (const NumberSetting<Field>& setting : table) {
        const int32_t n = values.Number(setting.name);
        s.*setting.field = setting.flag ? Flag16(n) : Low16(n);
    }
}

template <typename Field, size_t N>
void SaveNumbers(RegistryStore& registry, const char* subKey,
                 const NumberSetting<Field> (&table)[N], const Settings& s) {
    for (const NumberSetting<Field>& setting : table) {
        WriteNumber(registry, subKey, setting.name, s.*setting.field);
    }
}

}  // namespace

bool ReadSettingString(RegistryStore& registry, const char* subKey, const char* name, char* out) {
    out[0] = '\0';
    RegistryKey key = registry.OpenKey(subKey, KeyAccess::Read);
    if (!key) {
        return false;
    }
    char valueName[kValueNameBufferSize];
    uint8_t data[kSettingBufferSize];
    for (uint32_t index = 0;; ++index) {
        uint32_t nameSize = sizeof(valueName);
        uint32_t dataSize = sizeof(data);
        if (registry.EnumValue(key, index, valueName, &nameSize, data, &dataSize) !=
            EnumStatus::Ok) {
            break;
        }
        if (SameAsciiNoCase(valueName, name)) {
            registry.CloseKey(key);
            CopySettingData(out, data, dataSize);
            return true;
        }
    }
    registry.CloseKey(key);
    return false;
}

int32_t ReadSettingNumber(RegistryStore& registry, const char* subKey, const char* name) {
    char text[kSettingBufferSize];
    ReadSettingString(registry, subKey, name, text);
    return ParseSettingNumber(text);
}

bool WriteSettingString(RegistryStore& registry, const char* subKey, const char* name,
                        const char* text) {
    RegistryKey key = registry.OpenKey(subKey, KeyAccess::Write);
    if (!key) {
        return false;
    }
    bool ok = registry.SetStringValue(key, name, text);
    registry.CloseKey(key);
    return ok;
}

void WriteDefaultState(RegistryStore& registry) {
    static const char* const kDefaults[][2] = {
        {"SearchFor", "a "}, {"Key", "97"},         {"GrEng", "1"},     {"DialogState", "0"},
        {"Accent", "1"},     {"Root", "1"},         {"FormType", "1"},  {"StayOnTop", "0"},
        {"UseGreek", "0"},   {"UseClipboard", "0"}, {"UseSounds", "0"},
    };
    for (const auto& value : kDefaults) {
        WriteSettingString(registry, kStateKey, value[0], value[1]);
    }
}

void WriteDefaultHotKey(RegistryStore& registry) {
    static const char* const kDefaults[][2] = {
        {"HotKeyState", "1"}, {"Alt", "0"}, {"Control", "0"}, {"Shift", "0"}, {"ScanCode", "0"},
    };
    for (const auto& value : kDefaults) {
        WriteSettingString(registry, kHotKeyKey, value[0], value[1]);
    }
}

bool EnsureSettingsKeys(RegistryStore& registry) {
    if (SettingsKeyExists(registry, kRootKey)) {
        return false;
    }
    CreateSettingsKey(registry, kRootKey);
    CreateSettingsKey(registry, kStateKey);
    CreateSettingsKey(registry, kHotKeyKey);
    WriteDefaultState(registry);
    WriteDefaultHotKey(registry);
    return true;
}

namespace {

void LoadHistory(ProfileFile& history, LookupFields& fields) {
    for (int i = 0; i < kHistoryLoadCount; ++i) {
        char key[24];
        char text[kHistoryEntrySize];
        snprintf(key, sizeof(key), "History%u", static_cast<unsigned>(i));
        if (history.GetString("History", key, "", text, sizeof(text)) == 0 || text[0] == '\0') {
            break;
        }
        fields.InsertHistory(-1, text);
    }
}

void RestoreSearchFor(RegistryStore& registry, LookupFields& fields) {
    char text[kSettingBufferSize];
    ReadSettingString(registry, kStateKey, "SearchFor", text);
    // A word longer than the lookup dialog's word buffer keeps its start.
    text[kSearchForSize - 1] = '\0';
    if (strlen(text) < 2) {
        strcpy(text, "a ");
    }
    fields.SetCurrentWord(text);

    int count = fields.HistoryCount();
    int found = 0;
    for (int step = 1; step <= count; ++step) {
        int index = step % count;  // from the second entry on, wrapping round to the first
        char entry[kHistoryEntrySize];
        fields.HistoryText(index, entry, sizeof(entry));
        if (StartsWithNoCase(entry, text)) {
            found = index;
            break;
        }
    }
    // Selecting in an empty list would only clear the word box.
    if (count > 0) {
        fields.SelectHistory(found);
    }
}

}  // namespace

void LoadSettings(Settings& s, const SettingsStorage& storage, LookupFields* fields) {
    RegistryStore& r = *storage.registry;
    if (fields) {
        LoadHistory(*storage.history, *fields);
        RestoreSearchFor(r, *fields);
    }

    {
        const KeyValues state(r, kStateKey);
        int32_t key = state.Number("Key");
        s.Key = key <= 0 ? 100 : key;
        uint8_t grEng = Low8(state.Number("GrEng"));
        s.GrEng = grEng > 8 ? 8 : grEng;
        LoadNumbers(state, kStateNumbers, s);
        LoadNumbers(state, kScreenRectNumbers, s);
        s.FormTypeAtLoad = s.FormType;
        int32_t stayOnTop = state.Number("StayOnTop");
        s.StayOnTop = stayOnTop <= 0 ? 0 : stayOnTop;
        s.Balloons = Low8(state.Number("Balloons"));
        s.TaskBarIcon = Low8(state.Number("TaskBarIcon"));
        // On unless turned off: installations from before the option give the clipboard back
        // too, and the first run writes no value for it.
        s.GiveBackClipboard = Flag16(state.Number("GiveBackClipboard", 1));
    }
    if (fields) {
        fields->ClearLastSearchedWord();
    }
    LoadNumbers(KeyValues(r, kHotKeyKey), kHotKeyNumbers, s);
}

void SaveSettings(const Settings& s, const SettingsStorage& storage, LookupFields& fields) {
    ProfileFile& history = *storage.history;
    int count = fields.HistoryCount();
    for (int i = 0; i < count; ++i) {
        char key[24];
        char text[kSettingBufferSize];
        snprintf(key, sizeof(key), "History%u", static_cast<unsigned>(i));
        fields.HistoryText(i, text, sizeof(text));
        history.PutString("History", key, text);
    }
    char dictionary[kSettingBufferSize];
    if (fields.SelectedDictionary(dictionary, sizeof(dictionary))) {
        history.PutString("Dictionary", "Diction", dictionary);
    }

    RegistryStore& r = *storage.registry;
    char word[kSearchForSize];
    fields.CurrentWord(word, sizeof(word));
    WriteSettingString(r, kStateKey, "SearchFor", word);
    WriteNumber(r, kStateKey, "Key", s.Key);
    WriteNumber(r, kStateKey, "GrEng", s.GrEng);
    WriteNumber(r, kStateKey, "StayOnTop", s.StayOnTop);
    SaveNumbers(r, kStateKey, kStateNumbers, s);
    SaveNumbers(r, kStateKey, kScreenRectNumbers, s);
    WriteNumber(r, kStateKey, "Balloons", s.Balloons);
    WriteNumber(r, kStateKey, "TaskBarIcon", static_cast<int16_t>(s.TaskBarIcon));
    WriteNumber(r, kStateKey, "GiveBackClipboard", s.GiveBackClipboard);
    SaveNumbers(r, kHotKeyKey, kHotKeyNumbers, s);
}

void AddHistoryWord(LookupFields& fields, const char* word) {
    if (strlen(word) < 2) {
        return;
    }
    if (fields.HistoryCount() > kHistoryKeepCount) {
        fields.RemoveHistory(kHistoryKeepCount);
    }
    int count = fields.HistoryCount();
    for (int i = 0; i < count; ++i) {
        char entry[kSettingBufferSize];
        fields.HistoryText(i, entry, sizeof(entry));
        if (CompareNoCase(entry, word) == 0) {
            fields.RemoveHistory(i);
            break;
        }
    }
    fields.InsertHistory(0, word);
    fields.SelectHistory(0);
}

RegistryStore& ChooseSettingsRegistry(RegistryStore& machine, RegistryStore& user) {
    RegistryKey key = machine.OpenKey(kRootKey, KeyAccess::Write);
    if (key) {
        machine.CloseKey(key);
        return machine;
    }
    if (SettingsKeyExists(machine, kRootKey)) {
        return user;  // there, but not ours to change
    }
    key = machine.OpenKey("SOFTWARE", KeyAccess::Write);
    if (key) {
        machine.CloseKey(key);
        return machine;
    }
    return user;
}

bool ReadDictionaryChoice(ProfileFile& history, char* out, size_t size) {
    return history.GetString("Dictionary", "Diction", "", out, size) > 0;
}

SettingsPlace ChooseSettingsPlace(bool portableMarker, bool programFolderWritable) {
    if (!portableMarker) {
        return SettingsPlace::kInstalled;
    }
    return programFolderWritable ? SettingsPlace::kPortable : SettingsPlace::kUserFallback;
}

const char* ChooseHistoryFolder(const char* windowsDir, bool windowsDirWritable,
                                const char* appDataDir) {
    return windowsDirWritable ? windowsDir : appDataDir;
}

namespace {

int32_t ReadProfileNumber(ProfileFile& file, const char* section, const char* key,
                          int32_t fallback) {
    char text[32];
    if (file.GetString(section, key, "", text, sizeof(text)) == 0) {
        return fallback;
    }
    return ParseSettingNumber(text);
}

}  // namespace

TipCounters ReadTipCounters(ProfileFile& texts, ProfileFile* userSettings) {
    TipCounters counters;
    counters.TipCount = Low16(ReadProfileNumber(texts, "Tips", "MaxTips", 0));
    if (counters.TipCount > 0) {
        int32_t shipped = ReadProfileNumber(texts, "Tips", "ToDayTip", 1);
        counters.TodayTip = Low16(
            userSettings != nullptr ? ReadProfileNumber(*userSettings, "Tips", "ToDayTip", shipped)
                                    : shipped);
        // A counter edited out of range would show an empty tip every day.
        if (counters.TodayTip < 1 || counters.TodayTip > counters.TipCount) {
            counters.TodayTip = 1;
        }
    }
    return counters;
}

void AdvanceTodayTip(ProfileFile* userSettings, const TipCounters& counters) {
    if (userSettings == nullptr || counters.TipCount <= 0) {
        return;
    }
    int next = counters.TodayTip + 1;
    if (next > counters.TipCount) {
        next = 1;
    }
    char text[16];
    snprintf(text, sizeof(text), "%d", next);
    userSettings->PutString("Tips", "ToDayTip", text);
}
