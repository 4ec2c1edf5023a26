// The program's memory: options, lookup-window state and hot key in the registry, the history
// of looked-up words and the chosen dictionary in "Vocabre.ini", and the tip counters of the
// texts file. Portable: the stores are reached through RegistryStore and ProfileFile, which the
// Windows program implements over the real registry and INI files and the tests in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "keyboard/hot_key.h"

constexpr const char* kRootKey = "SOFTWARE\\Corvessa\\Wordmere";
constexpr const char* kStateKey = "SOFTWARE\\Corvessa\\Wordmere\\State";
constexpr const char* kHotKeyKey = "SOFTWARE\\Corvessa\\Wordmere\\HotKey";
constexpr const char* kKeyClass = "Wordmere";
constexpr const char* kHistoryFileName = "Vocabre.ini";
// A file of this name beside the program makes it portable: its settings ("Wordmere.ini"),
// history and user dictionaries live in the program's folder, and nowhere else.
constexpr const char* kPortableMarkerName = "portable";
constexpr const char* kPortableSettingsFileName = "Wordmere.ini";

constexpr size_t kSettingBufferSize = 360;    // data buffer of one enumerated value
constexpr size_t kValueNameBufferSize = 100;  // name buffer of one enumerated value
constexpr size_t kSearchForSize = 40;         // 39 characters and the terminator
constexpr size_t kHistoryEntrySize = 79;      // 78 characters and the terminator
constexpr int kHistoryLoadCount = 100;
constexpr int kHistoryKeepCount = 100;  // above this the oldest entry is dropped

using RegistryKey = uintptr_t;  // 0 = no key
enum class KeyAccess { Read, Write };
enum class EnumStatus { Ok, NoMoreItems, Failed };

// One registry hive (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) as the settings see it.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // Opens an existing key; 0 when it does not exist or the access is refused.
    virtual RegistryKey OpenKey(const char* subKey, KeyAccess access) = 0;
    // Creates (or opens) a non-volatile key with the given class string.
    virtual bool CreateKey(const char* subKey, const char* keyClass) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
    // The value at index, as RegEnumValueA: nameSize and dataSize give the buffer sizes on
    // entry and the lengths on return; a name or data that does not fit fails the call.
    virtual EnumStatus EnumValue(RegistryKey key, uint32_t index, char* name, uint32_t* nameSize,
                                 uint8_t* data, uint32_t* dataSize) = 0;
    // Sets a string value whose stored length counts the terminating NUL.
    virtual bool SetStringValue(RegistryKey key, const char* name, const char* text) = 0;
};

// One INI file, read and written through the profile functions.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // Copies the value (or fallback when the key is missing) cut to size - 1 characters, with
    // the blanks and quotes of the profile functions taken away; returns its length.
    virtual size_t GetString(const char* section, const char* key, const char* fallback, char* out,
                             size_t size) = 0;
    virtual bool PutString(const char* section, const char* key, const char* text) = 0;
    // The names of a section's keys, in file order, each ending in a NUL and the list in a
    // second NUL (cut to fit); returns the length without the last NUL.
    virtual size_t KeyNames(const char* section, char* out, size_t size) = 0;
};

// What the store touches in the lookup dialog: the word box's history list (its drop-down
// list, unsorted, most recent first), the current word, the last searched word and the
// dictionary list's selection.
class LookupFields {
public:
    virtual ~LookupFields() = default;
    virtual int HistoryCount() = 0;
    virtual void HistoryText(int index, char* out, size_t size) = 0;
    virtual void InsertHistory(int index, const char* word) = 0;  // -1 appends
    virtual void RemoveHistory(int index) = 0;
    virtual void SelectHistory(int index) = 0;
    // The lookup dialog's current-word buffer; the word box itself shows the selected entry.
    virtual void SetCurrentWord(const char* word) = 0;
    virtual void CurrentWord(char* out, size_t size) = 0;
    virtual void ClearLastSearchedWord() = 0;
    // The selected entry of the dictionary list; false when none is selected.
    virtual bool SelectedDictionary(char* out, size_t size) = 0;
};

// The in-memory settings, named by their registry values and held in their stored widths; the
// hot key's values come from the HotKey key.
// The Key value that marks no index button (the first run's "97"): any value outside the buttons
// does, but one of 0 or less would load as the first button.
constexpr int32_t kNoIndexButton = 97;

struct Settings : HotKey {
    int32_t Key = 0;
    uint8_t GrEng = 0;
    int32_t StayOnTop = 0;
    int16_t UseGreek = 0;
    int16_t UseClipboard = 0;
    int16_t UseLargeFont = 0;
    int16_t UseUserDict = 0;
    int16_t Accent = 0;
    int16_t Root = 0;
    int16_t DialogState = 0;
    int16_t FormType = 0;
    int16_t ScreenX = 0;
    int16_t ScreenY = 0;
    int32_t SRL = 0;
    int32_t SRT = 0;
    int32_t SRR = 0;
    int32_t SRB = 0;
    uint8_t Balloons = 0;
    uint16_t TaskBarIcon = 0;
    int16_t UseSounds = 0;
    // The clipboard is given back after the hot key's copy and after a paste back (Ctrl+Enter).
    int16_t GiveBackClipboard = 1;
    // The lists follow the word box after a pause in typing, without Enter.
    int16_t SearchAsYouType = 0;

    // FormType as it was loaded, so the lookup dialog can tell whether the form changed.
    int32_t FormTypeAtLoad = 0;
};

// Where this run keeps its settings: the registry hive and the history file.
struct SettingsStorage {
    RegistryStore* registry = nullptr;
    ProfileFile* history = nullptr;
};

// Text to number: blanks, one optional sign, decimal digits up to the first non-digit; no
// digits is 0. Wraps modulo 2^32 so that the setting's width keeps the low bits.
int32_t ParseSettingNumber(const char* text);

bool SettingsKeyExists(RegistryStore& registry, const char* subKey);
bool CreateSettingsKey(RegistryStore& registry, const char* subKey);
// Reads one value by enumeration; out must hold kSettingBufferSize bytes. On any failure out
// is empty text and the result false.
bool ReadSettingString(RegistryStore& registry, const char* subKey, const char* name, char* out);
// One value as a number (missing: 0), before any width or load rule; for the few places that
// read the stored value rather than the in-memory setting.
int32_t ReadSettingNumber(RegistryStore& registry, const char* subKey, const char* name);
bool WriteSettingString(RegistryStore& registry, const char* subKey, const char* name,
                        const char* text);

void WriteDefaultState(RegistryStore& registry);
void WriteDefaultHotKey(RegistryStore& registry);
// The first start: when the root key is missing, create the three keys and write the
// first-run values. Returns true when it did.
bool EnsureSettingsKeys(RegistryStore& registry);

// Loads both keys into settings; with fields, first fills the history and restores SearchFor.
void LoadSettings(Settings& settings, const SettingsStorage& storage, LookupFields* fields);
void SaveSettings(const Settings& settings, const SettingsStorage& storage, LookupFields& fields);
void AddHistoryWord(LookupFields& fields, const char* word);
// The display text of the dictionary chosen last ("Diction"); false when none was saved.
bool ReadDictionaryChoice(ProfileFile& history, char* out, size_t size);

// Compares two 8-bit texts without regard to letter case (ASCII and Windows-1253 Greek).
int CompareNoCase(const char* a, const char* b);
bool StartsWithNoCase(const char* text, const char* prefix);

// Picks the hive for this run: the machine-wide one when its root key can be written (or, when
// the root is missing, created); otherwise the user's own, which the program can always write.
RegistryStore& ChooseSettingsRegistry(RegistryStore& machine, RegistryStore& user);
// Where a run keeps its settings and history: the installed program's places (the registry,
// the Windows directory or the user's own), the program's folder when it is portable, or, for a
// portable program whose folder cannot be written, the user's own hive and application-data
// folder, of which the user is told.
enum class SettingsPlace { kInstalled, kPortable, kUserFallback };
SettingsPlace ChooseSettingsPlace(bool portableMarker, bool programFolderWritable);

// Picks the folder of "Vocabre.ini": the Windows directory when writable, else appDataDir.
const char* ChooseHistoryFolder(const char* windowsDir, bool windowsDirWritable,
                                const char* appDataDir);

// The tip counters of section "Tips": the number of tips comes with the texts file, today's tip
// is the user's own (their settings INI; the texts file's value only until the first close).
struct TipCounters {
    int16_t TipCount = 0;
    int16_t TodayTip = 0;
};
TipCounters ReadTipCounters(ProfileFile& texts, ProfileFile* userSettings);
// At program close: writes the next day's tip number into the user's settings INI; nothing when
// there are no tips. The texts file is never written.
void AdvanceTodayTip(ProfileFile* userSettings, const TipCounters& counters);
