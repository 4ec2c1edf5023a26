#include "engine/catalogue.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/folding.h"
#include "engine/pair_translation.h"

namespace {

// Stored Windows-1253 texts.
constexpr const char kPairWordEnglish[] = "Dictionary";
constexpr const char kPairWordGreek[] = "\xCB\xE5\xEE\xE9\xEA\xFC";  // Λεξικό
constexpr const char kGrengLanguageEnglish[] = "English";
// GRENG's other language is English whatever the interface: in the Greek interface its pairs
// read "Αγγλικά-->...", the way the other dictionaries name their languages in Greek.
constexpr const char kGrengLanguageGreek[] = "\xC1\xE3\xE3\xEB\xE9\xEA\xDC";  // Αγγλικά
// The keyboards of GRENG as the first dictionary of a pair, Greek interface.
constexpr const char kGrengPairDescriptorGreek[] =
    "\xC1\xE3\xE3\xEB\xE9\xEA\xFC.1@\xC5\xEB\xEB\xE7\xED\xE9\xEA\xFC.2";  // Αγγλικό.1@Ελληνικό.2
constexpr const char kGrengPairDescriptorEnglish[] = "English.1@Greek.2";

// The files that mark a sibling installation at the root of a drive, probed in this order.
struct SiblingProbe {
    const char* dir;
    const char* file;
};
constexpr SiblingProbe kSiblingProbes[] = {
    {"OBRIN3", "vocablib.dll"},
    {"TALVEN", "vocablib.dll"},
    {"TALVENO", "wordmere.exe"},
};

unsigned char UpperAscii(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
}

// Equal without regard to case, Greek capitals included, as the list box compares.
bool SameTextNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (LowerGreekChar(static_cast<unsigned char>(*a)) !=
            LowerGreekChar(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

// Copies text into a field, cut to fit, and zeroes the rest of the field.
void CopyField(char* field, size_t size, const char* text, size_t length) {
    if (length >= size) {
        length = size - 1;
    }
    memset(field, 0, size);
    memcpy(field, text, length);
}

void CopyField(char* field, size_t size, const char* text) {
    CopyField(field, size, text, strlen(text));
}

FileSystem& Files(Catalogue& catalogue) {
    return catalogue.files ? *catalogue.files : SystemFileSystem();
}

bool FormatPath(char* out, size_t size, const char* dir, const char* name) {
    int n = snprintf(out, size, "%s%c%s", dir, kPathSeparator, name);
    return n >= 0 && static_cast<size_t>(n) < size;
}

// Takes the next catalogue number for an entry; false when the list is full (100 entries, or
// the combo box refused it).
bool AddEntry(Catalogue& catalogue, DictionaryList& list, const char* text, const char* otherText,
              const char* baseName, uint32_t pairBits) {
    if (catalogue.count >= kMaxCatalogueEntries) {
        return false;
    }
    int number = catalogue.count;
    if (list.Add(text, static_cast<uint32_t>(number) | pairBits) < 0) {
        return false;
    }
    CopyField(catalogue.baseNames[number], kBaseNameSize, baseName);
    CopyField(catalogue.otherTexts[number], kMaxCatalogueTextSize, otherText);
    ++catalogue.count;
    return true;
}

// A language's name in both interface languages: English and Greek.
struct LanguageNames {
    const char* english;
    size_t englishLength;
    const char* greek;
    size_t greekLength;
};

void AddLanguageRecord(Catalogue& catalogue, const char* baseName, const LanguageNames& names) {
    if (catalogue.languageCount >= kCatalogueBlockCount ||
        strlen(baseName) >= kPairableBaseNameSize) {
        return;
    }
    const int number = catalogue.languageCount++;
    LanguageRecord& record = catalogue.languages[number];
    record.reserved = 0;
    CopyField(record.baseName, sizeof record.baseName, baseName);
    char* other = catalogue.otherLanguageNames[number];
    if (catalogue.useGreek) {
        CopyField(record.languageName, sizeof record.languageName, names.greek, names.greekLength);
        CopyField(other, kLanguageNameSize, names.english, names.englishLength);
    } else {
        CopyField(record.languageName, sizeof record.languageName, names.english,
                  names.englishLength);
        CopyField(other, kLanguageNameSize, names.greek, names.greekLength);
    }
}

// The index of the list entry whose text in the other interface language is `text`, or -1.
int FindOtherText(const Catalogue& catalogue, DictionaryList& list, const char* text) {
    for (int i = 0; i < list.Count(); ++i) {
        uint32_t number = list.ItemData(i) & 0xFFFF;
        if (number < catalogue.count && SameTextNoCase(catalogue.otherTexts[number], text)) {
            return i;
        }
    }
    return -1;
}

bool IsDuplicate(DictionaryList& list, bool checkDuplicates, const char* text) {
    return checkDuplicates && list.FindExact(text) >= 0;
}

// Opens the body and index of a base name in one directory; both or neither stay open.
bool OpenDictionaryPair(FileSystem& files, const char* dir, const char* baseName, DictFile** body,
                        DictFile** index) {
    char bodyPath[kDictionaryPathSize];
    char indexPath[sizeof bodyPath];
    if (!FormatDictionaryPath(bodyPath, sizeof bodyPath, dir, baseName, "dic") ||
        !FormatDictionaryPath(indexPath, sizeof indexPath, dir, baseName, "ind")) {
        return false;
    }
    *body = files.OpenFile(bodyPath, DictFileMode::kRead);
    *index = files.OpenFile(indexPath, DictFileMode::kRead);
    if (*body && *index) {
        return true;
    }
    CloseDictFile(*body);
    CloseDictFile(*index);
    *body = nullptr;
    *index = nullptr;
    return false;
}

// A dictionary without its index cannot be searched: it is not offered at all, the built-in
// ones included, so that no remembered choice can fall on it.
// The dictionaries without a trailer of their own: their titles come from the texts file, and
// the Greek-English one pairs with the others through its Greek and English halves.
struct BuiltInDictionary {
    const char* fileName;
    const char* baseName;
    unsigned titleId;
    bool pairable;
};
const BuiltInDictionary kBuiltInDictionaries[] = {
    {"GRENG.DIC", "GRENG", IDS_GREEK_ENGLISH_TITLE, true},
    {"THESS.DIC", "THESS", IDS_THESAURUS_TITLE, false},
};

const BuiltInDictionary* FindBuiltIn(const char* fileName) {
    for (const BuiltInDictionary& builtIn : kBuiltInDictionaries) {
        if (SameAsciiNoCase(fileName, builtIn.fileName)) {
            return &builtIn;
        }
    }
    return nullptr;
}

bool HasIndex(FileSystem& files, const char* dir, const char* baseName) {
    char indexPath[kDictionaryPathSize];
    if (!FormatDictionaryPath(indexPath, sizeof indexPath, dir, baseName, "ind")) {
        return false;
    }
    DictFile* index = files.OpenFile(indexPath, DictFileMode::kRead);
    if (!index) {
        return false;
    }
    CloseDictFile(index);
    return true;
}

// The part of a descriptor before its "@", at most `size` - 1 bytes.
void DescriptorFirstPart(const char* descriptor, char* out, size_t size) {
    const char* at = strchr(descriptor, '@');
    size_t length = at ? static_cast<size_t>(at - descriptor) : strlen(descriptor);
    CopyField(out, size, descriptor, length);
}

void JoinDescriptors(const char* a, const char* b, char* out, size_t size) {
    char first[kKeyboardDescriptorSize];
    char second[kKeyboardDescriptorSize];
    DescriptorFirstPart(a, first, sizeof first);
    DescriptorFirstPart(b, second, sizeof second);
    char joined[2 * kKeyboardDescriptorSize];
    snprintf(joined, sizeof joined, "%s@%s", first, second);
    CopyField(out, size, joined);
}

// Checks the two files of a dictionary just opened from `dir`. When they do not hold together
// the user is told (the disk error after a read error, else the notice naming the file at
// fault) and the dictionary is refused.
bool CheckOpenedDictionary(Catalogue& catalogue, CatalogueDialog& dialog, const char* dir,
                           const char* baseName, DictFile* body, DictFile* index) {
    BuiltinDictionary which;
    DictionaryCheck check =
        CheckDictionaryFiles(body, index, FindBuiltinDictionary(baseName, &which));
    if (check.damage == DictionaryDamage::kNone) {
        return true;
    }
    if (check.damage == DictionaryDamage::kReadError) {
        dialog.ShowDiskError();
    } else {
        char path[kDictionaryPathSize];
        FormatDictionaryPath(path, sizeof path, dir, baseName, check.BlamesIndex() ? "ind" : "dic");
        dialog.ShowDamagedDictionary(path);
    }
    catalogue.openFailureShown = true;
    return false;
}

// Opens one dictionary of a pair and its trailer: the built-in one's is made up, another's read
// from its body. `builtin` tells which it was.
bool OpenPairHalf(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog,
                  const char* baseName, DictFile** body, DictFile** index,
                  DictionaryTrailer* trailer, bool* builtin) {
    // A pair whose files are gone would only fail every later read: refuse it now.
    if (!OpenDictionaryPair(Files(catalogue), catalogue.programDir, baseName, body, index) ||
        !CheckOpenedDictionary(catalogue, dialog, catalogue.programDir, baseName, *body, *index)) {
        return false;
    }
    BuiltinDictionary which;
    *builtin = FindBuiltinDictionary(baseName, &which);
    if (*builtin) {
        FillBuiltinTrailer(BuiltinDictionary::kGreekEnglish, *engine.texts, trailer);
        return true;
    }
    return ReadTrailer(&dialog, *body, trailer);
}

bool OpenPair(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog, uint32_t data) {
    int a = static_cast<int>((data >> 16) & 0xFF);
    int b = static_cast<int>(data >> 24);
    if (a >= catalogue.languageCount || b >= catalogue.languageCount) {
        return false;
    }
    const LanguageRecord& first = catalogue.languages[a];
    const LanguageRecord& second = catalogue.languages[b];
    bool builtin = false;
    if (!OpenPairHalf(engine, catalogue, dialog, first.baseName, &engine.mainBody,
                      &engine.mainIndex, &engine.trailer, &builtin)) {
        return false;
    }
    if (builtin) {
        CopyField(engine.trailer.descriptorEnglish, sizeof engine.trailer.descriptorEnglish,
                  kGrengPairDescriptorEnglish);
        CopyField(engine.trailer.descriptorGreek, sizeof engine.trailer.descriptorGreek,
                  kGrengPairDescriptorGreek);
    }
    if (!OpenPairHalf(engine, catalogue, dialog, second.baseName, &engine.secondBody,
                      &engine.secondIndex, &engine.secondTrailer, &builtin)) {
        return false;
    }

    engine.pairMode = true;
    engine.hooks.showPairTranslations = ShowPairTranslations;
    DictionaryList& list = dialog.Dictionaries();
    char text[kMaxCatalogueTextSize];
    list.Text(list.Selection(), text, sizeof text);
    CopyField(engine.trailer.titleEnglish, sizeof engine.trailer.titleEnglish, text);
    CopyField(engine.trailer.titleGreek, sizeof engine.trailer.titleGreek, text);
    JoinDescriptors(engine.trailer.descriptorEnglish, engine.secondTrailer.descriptorEnglish,
                    engine.trailer.descriptorEnglish, sizeof engine.trailer.descriptorEnglish);
    JoinDescriptors(engine.trailer.descriptorGreek, engine.secondTrailer.descriptorGreek,
                    engine.trailer.descriptorGreek, sizeof engine.trailer.descriptorGreek);
    // Each body keeps its own key: the main body is read with the current trailer's and the
    // second with the second trailer's, which is B's key in force for all that B supplies.
    return true;
}

bool OpenSingle(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog, int number) {
    FileSystem& files = Files(catalogue);
    const char* baseName = catalogue.baseNames[number];
    char userDict[kDictionaryPathSize];
    const char* userDictDir =
        catalogue.userDictDir[0] ? catalogue.userDictDir : catalogue.programDir;
    if (FormatDictionaryPath(userDict, sizeof userDict, userDictDir, baseName, "usr")) {
        CopyField(catalogue.userDictPath, sizeof catalogue.userDictPath, userDict);
    } else {
        catalogue.userDictPath[0] = '\0';
    }
    const char* dir = catalogue.programDir;
    bool open = OpenDictionaryPair(files, dir, baseName, &engine.mainBody, &engine.mainIndex);
    for (int i = 0; !open && i < kMaxSiblingDirs; ++i) {
        if (catalogue.siblingDirs[i][0]) {
            dir = catalogue.siblingDirs[i];
            open = OpenDictionaryPair(files, dir, baseName, &engine.mainBody, &engine.mainIndex);
        }
    }
    if (!open || !CheckOpenedDictionary(catalogue, dialog, dir, baseName, engine.mainBody,
                                        engine.mainIndex)) {
        return false;
    }
    if (engine.trailer.magic != kTrailerMagic) {
        return ReadTrailer(&dialog, engine.mainBody, &engine.trailer);
    }
    return true;
}

bool OpenEntry(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog, uint32_t data) {
    int number = static_cast<int>(data & 0xFFFF);
    if (number >= catalogue.count) {
        number = 0;
    }
    engine.trailer.magic = 0;
    if (IsPairItemData(data)) {
        return OpenPair(engine, catalogue, dialog, data);
    }
    BuiltinDictionary which;
    if (FindBuiltinDictionary(catalogue.baseNames[number], &which)) {
        FillBuiltinTrailer(which, *engine.texts, &engine.trailer);
    }
    return OpenSingle(engine, catalogue, dialog, number);
}

void FindSiblingDirectories(Catalogue& catalogue) {
    FileSystem& files = Files(catalogue);
    std::vector<std::string> roots;
    files.LogicalDrives(&roots);
    unsigned previous =
        files.SetErrorMode(kErrorModeFailCriticalErrors | kErrorModeNoOpenFileErrorBox);
    const char* own = catalogue.programDir;
    int found = 0;
    for (const std::string& root : roots) {
        if (found == kMaxSiblingDirs) {
            break;
        }
        if (root.size() < 2) {
            continue;
        }
        unsigned char drive = UpperAscii(static_cast<unsigned char>(root[0]));
        bool floppy = (drive == 'A' || drive == 'B') && root[1] == ':';
        bool ownDrive = own[0] && own[1] &&
                        drive == UpperAscii(static_cast<unsigned char>(own[0])) &&
                        root[1] == own[1];
        if (floppy || ownDrive) {
            continue;
        }
        for (const SiblingProbe& probe : kSiblingProbes) {
            char dir[kCataloguePathSize];
            char path[kCataloguePathSize + 16];
            int n = snprintf(dir, sizeof dir, "%s%s", root.c_str(), probe.dir);
            if (n < 0 || static_cast<size_t>(n) >= sizeof dir ||
                !FormatPath(path, sizeof path, dir, probe.file)) {
                continue;
            }
            if (files.FileExists(path)) {
                CopyField(catalogue.siblingDirs[found++], kCataloguePathSize, dir);
                break;
            }
        }
    }
    files.SetErrorMode(previous);
}

}  // namespace

void ResetCatalogue(Catalogue& catalogue) {
    memset(catalogue.baseNames, 0, sizeof catalogue.baseNames);
    catalogue.count = 0;
    memset(catalogue.otherTexts, 0, sizeof catalogue.otherTexts);
    memset(static_cast<void*>(catalogue.languages), 0, sizeof catalogue.languages);
    memset(catalogue.otherLanguageNames, 0, sizeof catalogue.otherLanguageNames);
    catalogue.languageCount = 0;
    memset(catalogue.siblingDirs, 0, sizeof catalogue.siblingDirs);
}

bool ScanDirectory(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog, const char* dir,
                   bool checkDuplicates) {
    FileSystem& files = Files(catalogue);
    DictionaryList& list = dialog.Dictionaries();
    std::vector<std::string> names;
    files.ListDictionaryFiles(dir, &names);
    bool found = false;
    char text[kMaxCatalogueTextSize];
    char otherText[kMaxCatalogueTextSize];
    for (const std::string& name : names) {
        if (const BuiltInDictionary* builtIn = FindBuiltIn(name.c_str())) {
            if (!HasIndex(files, dir, builtIn->baseName)) {
                continue;
            }
            found = true;
            engine.texts->Load(builtIn->titleId, catalogue.useGreek, text, sizeof text);
            engine.texts->Load(builtIn->titleId, !catalogue.useGreek, otherText, sizeof otherText);
            if (!IsDuplicate(list, checkDuplicates, text) &&
                AddEntry(catalogue, list, text, otherText, builtIn->baseName, 0) &&
                builtIn->pairable) {
                AddLanguageRecord(catalogue, builtIn->baseName,
                                  {kGrengLanguageEnglish, strlen(kGrengLanguageEnglish),
                                   kGrengLanguageGreek, strlen(kGrengLanguageGreek)});
            }
            continue;
        }
        if (SameAsciiNoCase(name.c_str(), "PHONET.DIC")) {
            continue;
        }

        // A base name that does not fit its slot is left out rather than cut: a cut name would
        // open some other file.
        size_t baseLength = name.find('.');
        if (baseLength == 0 || baseLength == std::string::npos || baseLength >= kBaseNameSize) {
            continue;
        }
        std::string baseName = name.substr(0, baseLength);
        char bodyPath[kDictionaryPathSize];
        if (!FormatDictionaryPath(bodyPath, sizeof bodyPath, dir, baseName.c_str(), "dic") ||
            !HasIndex(files, dir, baseName.c_str())) {
            continue;
        }
        DictFile* body = files.OpenFile(bodyPath, DictFileMode::kRead);
        if (!body) {
            continue;
        }
        DictionaryTrailer trailer;
        bool valid = ReadTrailer(&dialog, body, &trailer);
        CloseDictFile(body);
        if (!valid) {
            continue;
        }
        found = true;
        const char* listName = catalogue.useGreek ? trailer.listNameGreek : trailer.listNameEnglish;
        const char* otherName =
            catalogue.useGreek ? trailer.listNameEnglish : trailer.listNameGreek;
        // An entry without a list name would be an empty line: it goes by its base name.
        CopyField(text, sizeof text, listName[0] ? listName : baseName.c_str());
        CopyField(otherText, sizeof otherText, otherName[0] ? otherName : baseName.c_str());
        if (IsDuplicate(list, checkDuplicates, text) ||
            !AddEntry(catalogue, list, text, otherText, baseName.c_str(), 0)) {
            continue;
        }
        const char* at = strchr(trailer.pairLanguage, '@');
        if (at && trailer.pairable == 1) {
            AddLanguageRecord(catalogue, baseName.c_str(),
                              {trailer.pairLanguage, static_cast<size_t>(at - trailer.pairLanguage),
                               at + 1, strlen(at + 1)});
        }
    }
    return found;
}

bool FillCatalogue(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog) {
    ResetCatalogue(catalogue);
    DictionaryList& list = dialog.Dictionaries();
    ScanDirectory(engine, catalogue, dialog, catalogue.programDir, false);

    // Every ordered pair of the program directory's pairable dictionaries, A-->B then B-->A.
    int paired = catalogue.languageCount;
    const char* word = catalogue.useGreek ? kPairWordGreek : kPairWordEnglish;
    const char* otherWord = catalogue.useGreek ? kPairWordEnglish : kPairWordGreek;
    for (int a = 0; a < paired; ++a) {
        for (int b = a + 1; b < paired; ++b) {
            const int order[2][2] = {{a, b}, {b, a}};
            for (const auto& pair : order) {
                char text[kMaxCatalogueTextSize];
                char otherText[kMaxCatalogueTextSize];
                snprintf(text, sizeof text, "%s-->%s %s", catalogue.languages[pair[0]].languageName,
                         catalogue.languages[pair[1]].languageName, word);
                snprintf(otherText, sizeof otherText, "%s-->%s %s",
                         catalogue.otherLanguageNames[pair[0]],
                         catalogue.otherLanguageNames[pair[1]], otherWord);
                AddEntry(catalogue, list, text, otherText, "", PairItemData(0, pair[0], pair[1]));
            }
        }
    }

    FindSiblingDirectories(catalogue);
    for (int i = 0; i < kMaxSiblingDirs; ++i) {
        if (catalogue.siblingDirs[i][0]) {
            ScanDirectory(engine, catalogue, dialog, catalogue.siblingDirs[i], true);
        }
    }

    char remembered[kRememberedDictionarySize] = {};
    dialog.RememberedDictionary(remembered, sizeof remembered);
    int selection = -1;
    if (remembered[0]) {
        selection = list.FindExact(remembered);
        if (selection < 0) {
            // Saved under the other interface language.
            selection = FindOtherText(catalogue, list, remembered);
        }
    }
    list.Select(selection >= 0 ? selection : 0);
    // Dictionary files that were found but none usable leave nothing to open: that is the
    // caller's disk error, not an empty list under an unset title.
    return list.Count() > 0;
}

bool OpenSelectedDictionary(Engine& engine, Catalogue& catalogue, CatalogueDialog* dialog) {
    CloseDictionaryFiles(engine);
    if (!dialog) {
        return true;
    }
    DictionaryList& list = dialog->Dictionaries();
    if (list.Count() == 0 && !FillCatalogue(engine, catalogue, *dialog)) {
        dialog->ShowDiskError();
        return false;
    }
    engine.pairMode = false;
    if (list.Selection() < 0) {
        list.Select(0);
    }
    catalogue.openFailureShown = false;
    if (!OpenEntry(engine, catalogue, *dialog, list.ItemData(list.Selection()))) {
        CloseDictionaryFiles(engine);
        engine.pairMode = false;
        if (!catalogue.openFailureShown) {
            dialog->ShowInformation(IDS_CANT_OPEN_FILES);
        }
        return false;
    }
    const DictionaryTrailer& trailer = engine.trailer;
    dialog->SetTitle(catalogue.useGreek ? trailer.titleGreek : trailer.titleEnglish);
    dialog->ApplyKeyboardDescription(catalogue.useGreek ? trailer.descriptorGreek
                                                        : trailer.descriptorEnglish);
    ReopenUserDictionary(engine, catalogue);
    return true;
}

void CloseUserDictionary(Engine& engine) {
    if (engine.userDict) {
        CloseDictFile(engine.userDict);
        engine.userDict = nullptr;
    }
}

void ReopenUserDictionary(Engine& engine, Catalogue& catalogue) {
    CloseUserDictionary(engine);
    if (catalogue.userDictPath[0]) {
        engine.userDict = Files(catalogue).OpenFile(catalogue.userDictPath, DictFileMode::kRead);
    }
}

PlainDictionaryList::PlainDictionaryList(int capacity) : box_(PlainListBox::kSorted, capacity) {}

int PlainDictionaryList::Add(const char* text, uint32_t data) {
    int index = box_.Add(text);
    if (index < 0) {
        return -1;
    }
    box_.SetItemData(index, data);
    return index;
}
