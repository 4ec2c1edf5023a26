// The dictionary catalogue: finds the installed dictionaries (in the program directory and in up
// to four sibling installations on other drives), offers them and every language pair of two
// pairable dictionaries in the lookup dialog's "Dictionary to use" list (combo box 12011), and
// opens the entry the user chose.
//
// The lookup dialog calls, with the Engine and the Catalogue the main window owns:
//
//   WM_INITDIALOG:                if (!OpenSelectedDictionary(engine, catalogue, &dialog)) end
//   12011 CBN_SELCHANGE (new index): the same, then SearchWord (and the start word on a miss)
//   program end:                  OpenSelectedDictionary(engine, catalogue, nullptr)
//
// The catalogue is built once per run of the lookup dialog, while the list is empty (each run's
// list starts empty); FillCatalogue forgets what an earlier run found. The dictionary files are
// opened through Catalogue::files, so tests hand in a file system of their own.
//
// A language pair reads each body with its own key: the main body with the current trailer's,
// the second with the second trailer's (the dictionaries of a pair may be scrambled alike or
// not). The catalogue installs ShowPairTranslations as the engine's pair hook.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/dictionary.h"
#include "engine/file_system.h"
#include "engine/interface_texts.h"
#include "engine/plain_lookup_view.h"
#include "resources/resource_ids.h"

constexpr int kMaxCatalogueEntries = 100;
constexpr int kMaxSiblingDirs = 4;
constexpr size_t kBaseNameSize = 20;  // base names of at most 19 characters
constexpr size_t kPairableBaseNameSize = 8;
constexpr size_t kLanguageNameSize = 20;
constexpr size_t kCataloguePathSize = 360;
// A directory of kCataloguePathSize characters with a file name and extension after it.
constexpr size_t kDictionaryPathSize = kCataloguePathSize + kBaseNameSize + 8;
constexpr int kCatalogueBlockCount = 255;
constexpr size_t kRememberedDictionarySize = 400;  // the "Diction" buffer
constexpr size_t kMaxCatalogueTextSize = 64;       // an entry's text, terminator included
constexpr size_t kKeyboardDescriptorSize = 70;     // a trailer's descriptor field

// Item data of an entry of list 12011: a single dictionary carries its catalogue number; a
// language pair A-->B adds A's language record in bits 16..23 and B's in bits 24..31, so any
// value of 65536 or more is a pair.
inline uint32_t PairItemData(int catalogueNumber, int recordA, int recordB) {
    return static_cast<uint32_t>(catalogueNumber) | static_cast<uint32_t>(recordA) << 16 |
           static_cast<uint32_t>(recordB) << 24;
}
inline bool IsPairItemData(uint32_t data) {
    return data >= 0x10000;
}

#pragma pack(push, 1)
// One pairable dictionary: the GRENG dictionary or a further one whose trailer says pairable.
struct LanguageRecord {
    uint32_t reserved;                     // always 0
    char baseName[kPairableBaseNameSize];  // at most 7 characters
    char languageName[kLanguageNameSize];  // in the interface language, at most 19
};
#pragma pack(pop)
static_assert(sizeof(LanguageRecord) == 32, "a language record fills one catalogue block");

// The "Dictionary to use" combo box (12011): sorted by text without regard to case, item data
// per entry. Texts are stored 8-bit bytes (Windows-1253 Greek, Windows-1252 Latin); the Win32
// side converts them at the control. Tests and the command-line tools use PlainDictionaryList.
class DictionaryList {
public:
    virtual ~DictionaryList() = default;
    // Adds a text at its sorted place with its item data; the index, or -1 when refused.
    virtual int Add(const char* text, uint32_t data) = 0;
    virtual int Count() const = 0;
    // Copies the entry's text (cut to fit, NUL-terminated; "" when out of range).
    virtual void Text(int index, char* buffer, size_t size) const = 0;
    virtual uint32_t ItemData(int index) const = 0;  // kNoItemData when out of range
    // Index of the entry whose text equals `text` without regard to case, or -1.
    virtual int FindExact(const char* text) const = 0;
    virtual void Select(int index) = 0;
    virtual int Selection() const = 0;  // -1 when nothing is selected
};

// What the catalogue touches in the lookup dialog besides the list. ShowDiskError is the
// "Disk I/0 Error !!!" message box (read errors, and a program directory with nothing usable).
class CatalogueDialog : public DiskErrorSink {
public:
    virtual DictionaryList& Dictionaries() = 0;
    virtual void SetTitle(const char* title) = 0;
    // Hands the dictionary's keyboards to the keyboard selection: the Win32 side calls
    // ApplyKeyboardDescription, which labels 12013/12014, resets the mode and posts 9873.
    virtual void ApplyKeyboardDescription(const char* descriptor) = 0;
    // The Information notice with a string id (14510 when the chosen entry cannot be opened).
    virtual void ShowInformation(unsigned stringId) = 0;
    // The notice that a dictionary file is damaged or does not belong with its partner, naming
    // it (`path`); in place of 14510 when the chosen entry's files do not hold together.
    virtual void ShowDamagedDictionary(const char* path) {
        (void)path;
        ShowInformation(IDS_CANT_OPEN_FILES);
    }
    // The remembered choice: key "Diction" of section "Dictionary" of the settings INI file
    // ("" when none).
    virtual void RememberedDictionary(char* buffer, size_t size) = 0;
};

// What the catalogue knows; owned with the Engine by the main window.
struct Catalogue {
    // Set by the owner before the first call.
    char programDir[kCataloguePathSize + 1] = {};  // at most 360 characters
    FileSystem* files = nullptr;                   // nullptr: the system's
    bool useGreek = false;  // interface language of the list texts and titles
    // Folder of the user dictionaries (BASE.usr); the program directory when empty.
    char userDictDir[kCataloguePathSize + 1] = {};

    // Base name of each entry by catalogue number; empty for language pairs.
    char baseNames[kMaxCatalogueEntries][kBaseNameSize] = {};
    // Each entry's text in the other interface language, by catalogue number: a choice saved
    // under one language still finds its entry after the user switched to the other.
    char otherTexts[kMaxCatalogueEntries][kMaxCatalogueTextSize] = {};
    uint8_t count = 0;  // entries added so far
    // The CatalogueBlocks: language records 0, 1, ... in the order found.
    LanguageRecord languages[kCatalogueBlockCount] = {};
    // The language name of each record in the other interface language.
    char otherLanguageNames[kCatalogueBlockCount][kLanguageNameSize] = {};
    int languageCount = 0;
    char siblingDirs[kMaxSiblingDirs][kCataloguePathSize] = {};
    // "dir\BASE.usr" of the last single dictionary opened; a pair keeps it.
    char userDictPath[kDictionaryPathSize] = {};
    // Set when the last opening failed with its own message (a damaged file was named).
    bool openFailureShown = false;
};

// Forgets the entries, language records and sibling directories (the settings stay).
void ResetCatalogue(Catalogue& catalogue);

// Closes every open dictionary file; with a dialog, fills the list when it is empty and opens
// the selected entry, sets the title, the keyboards and the user dictionary. False (after the
// disk error box or notice 14510) when no dictionary can be used. Without a dialog only closes.
bool OpenSelectedDictionary(Engine& engine, Catalogue& catalogue, CatalogueDialog* dialog);

// The lookup's read-only handle on the user dictionary of the dictionary in use. The
// maintenance dialog and the shell tool write the file while the program runs; the handle knows
// the file's size from its opening and keeps what it read, so a search sees their words only
// after the file is opened afresh. Closing first lets the dialog remove a file it left empty.
void CloseUserDictionary(Engine& engine);
// Closes the handle and opens the file again, when it exists (a missing file lists nothing).
void ReopenUserDictionary(Engine& engine, Catalogue& catalogue);

// Builds the list, the base names, the language records and the pairs, finds the sibling
// installations and selects the remembered entry (by its text in either interface language).
// True when the list has an entry to open.
bool FillCatalogue(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog);

// Adds the dictionaries of one directory; with `checkDuplicates` an entry whose text the list
// already holds is left out. True when a recognisable dictionary was found there.
bool ScanDirectory(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog, const char* dir,
                   bool checkDuplicates);

// The dictionary list of tests and the command-line tools: a sorted PlainListBox underneath.
class PlainDictionaryList : public DictionaryList {
public:
    explicit PlainDictionaryList(int capacity = PlainListBox::kDefaultCapacity);
    int Add(const char* text, uint32_t data) override;
    int Count() const override { return box_.Count(); }
    void Text(int index, char* buffer, size_t size) const override {
        box_.Text(index, buffer, size);
    }
    uint32_t ItemData(int index) const override { return box_.ItemData(index); }
    int FindExact(const char* text) const override { return box_.FindExact(text); }
    void Select(int index) override { box_.Select(index); }
    int Selection() const override { return box_.Selection(); }
    const char* TextAt(int index) const { return box_.TextAt(index); }

private:
    PlainListBox box_;
};
