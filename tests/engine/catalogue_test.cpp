#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/fake_catalogue_dialog.h"
#include "tests/engine/memory_file_system.h"

namespace {

typedef std::vector<std::string> Texts;

const char kProgramDir[] = "C:\\WM";

const std::string kFrenchEntries =
    "maison\tσπίτι\tοίκος\n"
    "chat\tγάτα\n"
    "σπίτι\tmaison\n"
    "οίκος\tmaison\n"
    "γάτα\tchat\n";
const std::string kItalianEntries =
    "casa\tσπίτι\n"
    "gatto\tγάτα\n"
    "σπίτι\tcasa\n"
    "γάτα\tgatto\n";

struct Files {
    std::string body;
    std::string index;
};

Files Compile(const std::string& source) {
    Files f;
    CompileSource(source, &f.body, &f.index);
    return f;
}

Files Pairable(const std::string& english, const std::string& greek, const std::string& key,
               const std::string& entries = "x\tξ\n") {
    return Compile(PairableSource(english, greek, key, entries));
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() : engine(new Engine), catalogue(new Catalogue) {
        snprintf(catalogue->programDir, sizeof catalogue->programDir, "%s", kProgramDir);
        catalogue->files = &fs;
    }
    ~CatalogueTest() override { CloseDictionaryFiles(*engine); }

    void Add(const std::string& dir, const std::string& base, const Files& f) {
        fs.AddDictionary(dir, base, f.body, f.index);
    }
    void AddStandardSet() {
        Add(kProgramDir, "GRENG", Compile("@builtin\nhouse\tσπίτι\nσπίτι\thouse\n"));
        Add(kProgramDir, "THESS", Compile("@builtin\nσπίτι\tοίκος\n"));
        Add(kProgramDir, "FRENCH", Pairable("French", "Γαλλικά", "5820417396", kFrenchEntries));
        Add(kProgramDir, "ITALIAN", Pairable("Italian", "Ιταλικά", "7311", kItalianEntries));
    }

    Texts List() const {
        Texts out;
        for (int i = 0; i < dialog.list.Count(); ++i) {
            out.push_back(StoredToUtf8(dialog.list.TextAt(i)));
        }
        return out;
    }
    int Find(const std::string& utf8) const {
        std::string stored;
        EncodeError error;
        Utf8ToStored(utf8, &stored, &error);
        return dialog.list.FindExact(stored.c_str());
    }
    // Selects an entry by text and opens it, as a change of selection in the list does.
    bool Choose(const std::string& utf8) {
        if (dialog.list.Count() == 0) {
            EXPECT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
        }
        int index = Find(utf8);
        EXPECT_GE(index, 0) << utf8;
        dialog.list.Select(index);
        return OpenSelectedDictionary(*engine, *catalogue, &dialog);
    }
    Texts SearchPair(const std::string& word) {
        PlainLookupView view;
        SearchOptions options;
        options.accent = true;
        char query[100];
        snprintf(query, sizeof query, "%s", Stored(word).c_str());
        SearchWord(*engine, view, options, query);
        Texts out;
        for (int i = 0; i < view.translations.Count(); ++i) {
            out.push_back(Utf8(view.translations.TextAt(i)));
        }
        return out;
    }

    MemoryFileSystem fs;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Catalogue> catalogue;
    FakeCatalogueDialog dialog;
};

TEST_F(CatalogueTest, ListsDictionariesAndEveryPairSorted) {
    AddStandardSet();
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "PHONET.dic"), "phonetic");
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "PHONET.ind"), "");
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "BROKEN.dic"), std::string(4000, 'x'));
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "BROKEN.ind"), "");
    Files noIndex = Pairable("Dutch", "Ολλανδικά", "12");
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "NOINDEX.dic"), noIndex.body);
    Add(kProgramDir, "LATIN",
        Compile("@list-en Latin glossary\n@pair-language Latin@Λατινικά\n@pairable 0\na\tα\n"));

    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_EQ(List(), (Texts{"English-->French Dictionary", "English-->Italian Dictionary",
                             "French-->English Dictionary", "French-->Italian Dictionary",
                             "Greek-English dictionary", "Greek-French dictionary",
                             "Greek-Italian dictionary", "Italian-->English Dictionary",
                             "Italian-->French Dictionary", "Latin glossary",
                             "Thesaurus of Greek language"}));

    // Records in the order the directory lists them: FRENCH, GRENG, ITALIAN.
    ASSERT_EQ(catalogue->languageCount, 3);
    EXPECT_STREQ(catalogue->languages[0].baseName, "FRENCH");
    EXPECT_STREQ(catalogue->languages[1].languageName, "English");
    EXPECT_STREQ(catalogue->languages[2].languageName, "Italian");
    uint32_t frenchToItalian = dialog.list.ItemData(Find("French-->Italian Dictionary"));
    uint32_t englishToFrench = dialog.list.ItemData(Find("English-->French Dictionary"));
    EXPECT_TRUE(IsPairItemData(frenchToItalian));
    EXPECT_EQ(frenchToItalian >> 16, 0x0200u);
    EXPECT_EQ(englishToFrench >> 16, 0x0001u);

    // Every entry has its own catalogue number; single entries carry their base name.
    std::vector<bool> seen(catalogue->count);
    for (int i = 0; i < dialog.list.Count(); ++i) {
        uint32_t number = dialog.list.ItemData(i) & 0xFFFF;
        ASSERT_LT(number, catalogue->count);
        EXPECT_FALSE(seen[number]);
        seen[number] = true;
        EXPECT_EQ(catalogue->baseNames[number][0] != '\0',
                  !IsPairItemData(dialog.list.ItemData(i)));
    }
    EXPECT_STREQ(catalogue->baseNames[dialog.list.ItemData(Find("Latin glossary"))], "LATIN");
}

// The built-in dictionaries are checked like every other: listed without their index, the
// saved choice of one of them would end every start.
TEST_F(CatalogueTest, BuiltInDictionariesWithoutTheirIndexAreLeftOut) {
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "GRENG.dic"),
               Compile("@builtin\nhouse\tσπίτι\n").body);
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "THESS.dic"),
               Compile("@builtin\nσπίτι\tοίκος\n").body);
    Add(kProgramDir, "FRENCH", Pairable("French", "Γαλλικά", "5820417396", kFrenchEntries));
    dialog.remembered = "Greek-English dictionary";
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_EQ(List(), (Texts{"Greek-French dictionary"})) << "no GRENG, no THESS, no pair";
    EXPECT_TRUE(OpenSelectedDictionary(*engine, *catalogue, &dialog));
    EXPECT_TRUE(dialog.information.empty());
}

// The program takes a directory of up to 360 characters, and the catalogue must hold all of it.
TEST_F(CatalogueTest, AProgramDirectoryOfThreeHundredSixtyCharactersWorks) {
    std::string dir = "C:";
    while (dir.size() < kCataloguePathSize) {
        dir += "\\" + std::string(std::min<size_t>(kCataloguePathSize - dir.size() - 1, 100), 'd');
    }
    ASSERT_EQ(dir.size(), 360u);
    ASSERT_LT(snprintf(catalogue->programDir, sizeof catalogue->programDir, "%s", dir.c_str()),
              static_cast<int>(sizeof catalogue->programDir));
    Add(dir, "GRENG", Compile("@builtin\nhouse\tσπίτι\n"));
    Add(dir, "FRENCH", Pairable("French", "Γαλλικά", "5820417396", kFrenchEntries));
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_EQ(List().size(), 4u);
    dialog.list.Select(Find("Greek-English dictionary"));
    EXPECT_TRUE(OpenSelectedDictionary(*engine, *catalogue, &dialog));
    EXPECT_STREQ(catalogue->userDictPath, MemoryFileSystem::Join(dir, "GRENG.usr").c_str());
}

TEST_F(CatalogueTest, GreekInterfaceNamesPairsInGreek) {
    AddStandardSet();
    catalogue->useGreek = true;
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    Texts list = List();
    for (const char* text : {"Αγγλικά-->Γαλλικά Λεξικό", "Ιταλικά-->Γαλλικά Λεξικό",
                             "Ελληνο-Γαλλικά", "Ελληνο-Ιταλικά"}) {
        EXPECT_GE(Find(text), 0) << text;
    }
    EXPECT_EQ(list.size(), 10u);
}

TEST_F(CatalogueTest, RemembersTheChosenEntryByItsText) {
    AddStandardSet();
    struct Case {
        const char* remembered;
        const char* selected;
    };
    const Case cases[] = {
        {"greek-italian DICTIONARY", "Greek-Italian dictionary"},
        {"Italian-->French Dictionary", "Italian-->French Dictionary"},
        {"Greek-Latin dictionary", "English-->French Dictionary"},  // gone: entry 0
        {"", "English-->French Dictionary"},
    };
    for (const Case& c : cases) {
        dialog.list = PlainDictionaryList();
        dialog.remembered = c.remembered;
        ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
        EXPECT_EQ(StoredToUtf8(dialog.list.TextAt(dialog.list.Selection())), c.selected)
            << c.remembered;
    }
    // A dictionary added since sorts in front; the remembered text still finds its entry.
    Add(kProgramDir, "ARABIC", Compile("@list-en Arabic glossary\na\tα\n"));
    dialog.list = PlainDictionaryList();
    dialog.remembered = "Greek-Italian dictionary";
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_EQ(StoredToUtf8(dialog.list.TextAt(dialog.list.Selection())),
              "Greek-Italian dictionary");
}

// The saved choice is the entry's text in the language the list was shown in; after a switch of
// the interface language it must still find its entry, not the first one (a pair with empty
// lists at the next start).
TEST_F(CatalogueTest, RemembersTheChosenEntryAcrossInterfaceLanguages) {
    AddStandardSet();
    struct Case {
        bool greek;  // the interface language now
        const char* remembered;
        const char* selected;
    };
    const Case cases[] = {
        {true, "Greek-French dictionary", "Ελληνο-Γαλλικά"},
        {true, "italian-->FRENCH dictionary", "Ιταλικά-->Γαλλικά Λεξικό"},
        {true, "English-->Italian Dictionary", "Αγγλικά-->Ιταλικά Λεξικό"},
        {false, "Ελληνο-Ιταλικά", "Greek-Italian dictionary"},
        {false, "ΓΑΛΛΙΚΆ-->Αγγλικά λεξικό", "French-->English Dictionary"},
        {false, "Greek-Italian dictionary", "Greek-Italian dictionary"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remembered);
        dialog.list = PlainDictionaryList();
        catalogue->useGreek = c.greek;
        dialog.remembered = Stored(c.remembered);
        ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
        EXPECT_EQ(StoredToUtf8(dialog.list.TextAt(dialog.list.Selection())), c.selected);
    }
}

TEST_F(CatalogueTest, FindsSiblingInstallationsOnOtherDrives) {
    AddStandardSet();
    fs.drives = {"A:\\", "b:\\", "c:\\", "D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\"};
    for (const char* probe : {"A:\\OBRIN3", "b:\\OBRIN3", "c:\\OBRIN3", "D:\\OBRIN3", "D:\\TALVEN",
                              "H:\\OBRIN3", "I:\\OBRIN3"}) {
        fs.AddFile(MemoryFileSystem::Join(probe, "vocablib.dll"), "");
    }
    fs.AddFile(MemoryFileSystem::Join("E:\\TALVENO", "wordmere.exe"), "");
    fs.AddFile(MemoryFileSystem::Join("G:\\TALVEN", "vocablib.dll"), "");
    // The sibling holds GRENG again and a dictionary of its own.
    Add("D:\\OBRIN3", "GRENG", Compile("@builtin\nhouse\tσπίτι\n"));
    Add("D:\\TALVEN", "DUTCH", Pairable("Dutch", "Ολλανδικά", "12"));
    Add("E:\\TALVENO", "SWEDISH", Pairable("Swedish", "Σουηδικά", "44", "hus\tσπίτι\n"));
    fs.errorMode = 0x0004;

    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_STREQ(catalogue->siblingDirs[0], "D:\\OBRIN3");
    EXPECT_STREQ(catalogue->siblingDirs[1], "E:\\TALVENO");
    EXPECT_STREQ(catalogue->siblingDirs[2], "G:\\TALVEN");
    EXPECT_STREQ(catalogue->siblingDirs[3], "H:\\OBRIN3");

    // Floppies and the program's own drive are never probed; a drive stops at its first
    // installation; the probes run OBRIN3, TALVEN, TALVENO; a fifth installation is not sought.
    Texts expectedProbes = {MemoryFileSystem::Join("D:\\OBRIN3", "vocablib.dll"),
                            MemoryFileSystem::Join("E:\\OBRIN3", "vocablib.dll"),
                            MemoryFileSystem::Join("E:\\TALVEN", "vocablib.dll"),
                            MemoryFileSystem::Join("E:\\TALVENO", "wordmere.exe"),
                            MemoryFileSystem::Join("F:\\OBRIN3", "vocablib.dll"),
                            MemoryFileSystem::Join("F:\\TALVEN", "vocablib.dll"),
                            MemoryFileSystem::Join("F:\\TALVENO", "wordmere.exe"),
                            MemoryFileSystem::Join("G:\\OBRIN3", "vocablib.dll"),
                            MemoryFileSystem::Join("G:\\TALVEN", "vocablib.dll"),
                            MemoryFileSystem::Join("H:\\OBRIN3", "vocablib.dll")};
    EXPECT_EQ(fs.probes, expectedProbes);
    EXPECT_EQ(fs.errorModes,
              (std::vector<unsigned>{kErrorModeFailCriticalErrors | kErrorModeNoOpenFileErrorBox,
                                     0x0004u}));

    // GRENG once; the sibling's own dictionary listed, but in no pair. D:\TALVEN was never a
    // sibling (OBRIN3 came first on that drive), so DUTCH is not listed.
    Texts list = List();
    EXPECT_EQ(std::count(list.begin(), list.end(), "Greek-English dictionary"), 1);
    EXPECT_GE(Find("Greek-Swedish dictionary"), 0);
    EXPECT_LT(Find("Greek-Dutch dictionary"), 0);
    for (const std::string& text : list) {
        EXPECT_EQ(text.find("Swedish-->"), std::string::npos);
        EXPECT_EQ(text.find("-->Swedish"), std::string::npos);
    }

    // Its files open from the sibling directory.
    ASSERT_TRUE(Choose("Greek-Swedish dictionary"));
    EXPECT_EQ(fs.opened.back(), MemoryFileSystem::Join("E:\\TALVENO", "SWEDISH.ind"));
    EXPECT_STREQ(catalogue->userDictPath,
                 MemoryFileSystem::Join(kProgramDir, "SWEDISH.usr").c_str());
}

TEST_F(CatalogueTest, OpensSingleDictionariesWithTheirTrailers) {
    AddStandardSet();
    fs.AddFile(MemoryFileSystem::Join(kProgramDir, "GRENG.usr"), std::string(130, '\0'));

    ASSERT_TRUE(Choose("Greek-English dictionary"));
    EXPECT_FALSE(engine->pairMode);
    EXPECT_EQ(dialog.title, "Greek-English dictionary");
    EXPECT_EQ(dialog.descriptor, "English.1@Greek.2");
    EXPECT_STREQ(engine->trailer.startWord, "ab");
    EXPECT_NE(engine->userDict, nullptr);
    EXPECT_STREQ(catalogue->userDictPath, MemoryFileSystem::Join(kProgramDir, "GRENG.usr").c_str());

    ASSERT_TRUE(Choose("Greek-French dictionary"));
    EXPECT_EQ(dialog.title, "Greek-French title");
    EXPECT_EQ(dialog.descriptor, "French.8@Greek.2");
    EXPECT_EQ(engine->trailer.keyLength, 10);
    EXPECT_EQ(engine->userDict, nullptr);  // FRENCH.usr does not exist

    catalogue->useGreek = true;
    ASSERT_TRUE(Choose("Thesaurus of Greek language"));
    EXPECT_EQ(StoredToUtf8(dialog.descriptor.c_str()), "Ελληνικό.2");
}

TEST_F(CatalogueTest, UserDictionariesLiveInTheirOwnFolderWhenOneIsSet) {
    AddStandardSet();
    const char* folder = "C:\\Users\\a\\AppData\\Roaming\\Wordmere";
    fs.AddFile(MemoryFileSystem::Join(folder, "GRENG.usr"), std::string(130, '\0'));
    strcpy(catalogue->userDictDir, folder);
    ASSERT_TRUE(Choose("Greek-English dictionary"));
    EXPECT_STREQ(catalogue->userDictPath, MemoryFileSystem::Join(folder, "GRENG.usr").c_str());
    EXPECT_NE(engine->userDict, nullptr);
}

// The shell tool may create, grow or remove the file while the program runs; the lookup's
// handle follows when the file is opened again.
TEST_F(CatalogueTest, ReopeningTheUserDictionaryFollowsTheFile) {
    AddStandardSet();
    const std::string path = MemoryFileSystem::Join(kProgramDir, "GRENG.usr");
    ASSERT_TRUE(Choose("Greek-English dictionary"));
    EXPECT_EQ(engine->userDict, nullptr);

    fs.AddFile(path, std::string(130, '\0'));
    ReopenUserDictionary(*engine, *catalogue);
    ASSERT_NE(engine->userDict, nullptr);
    EXPECT_EQ(DictFileSize(engine->userDict), 130u);

    CloseUserDictionary(*engine);
    EXPECT_EQ(engine->userDict, nullptr);
    fs.files[path] += std::string(130, '\0');
    ReopenUserDictionary(*engine, *catalogue);
    ASSERT_NE(engine->userDict, nullptr);
    EXPECT_EQ(DictFileSize(engine->userDict), 260u);

    CloseUserDictionary(*engine);
    fs.files.erase(path);
    ReopenUserDictionary(*engine, *catalogue);
    EXPECT_EQ(engine->userDict, nullptr);
}

TEST_F(CatalogueTest, PairsSwapMainAndSecondDictionaries) {
    AddStandardSet();
    ASSERT_TRUE(Choose("Greek-English dictionary"));

    ASSERT_TRUE(Choose("French-->Italian Dictionary"));
    EXPECT_TRUE(engine->pairMode);
    EXPECT_EQ(dialog.title, "French-->Italian Dictionary");
    EXPECT_EQ(dialog.descriptor, "French.8@Italian.8");
    EXPECT_EQ(StoredToUtf8(engine->trailer.descriptorGreek), "Γαλλικά.8@Ιταλικά.8");
    // A pair keeps the user dictionary of the last single dictionary.
    EXPECT_STREQ(catalogue->userDictPath, MemoryFileSystem::Join(kProgramDir, "GRENG.usr").c_str());
    // The two dictionaries have different keys; each body is read with its own.
    EXPECT_EQ(SearchPair("maison"), (Texts{"casa"}));
    EXPECT_EQ(SearchPair("chat"), (Texts{"gatto"}));

    ASSERT_TRUE(Choose("Italian-->French Dictionary"));
    EXPECT_EQ(dialog.descriptor, "Italian.8@French.8");
    EXPECT_EQ(SearchPair("casa"), (Texts{"maison"}));
    EXPECT_EQ(SearchPair("maison"), Texts{});  // French is now the second language
}

TEST_F(CatalogueTest, PairsWithTheGreekEnglishDictionary) {
    AddStandardSet();
    ASSERT_TRUE(Choose("English-->French Dictionary"));
    EXPECT_EQ(dialog.descriptor, "English.1@French.8");
    EXPECT_EQ(StoredToUtf8(engine->trailer.descriptorGreek), "Αγγλικό.1@Γαλλικά.8");
    EXPECT_EQ(SearchPair("house"), (Texts{"maison"}));

    ASSERT_TRUE(Choose("French-->English Dictionary"));
    EXPECT_EQ(dialog.descriptor, "French.8@English.1");
    EXPECT_EQ(StoredToUtf8(engine->trailer.descriptorGreek), "Γαλλικά.8@Αγγλικά.1");
    EXPECT_EQ(SearchPair("maison"), (Texts{"house"}));
}

TEST_F(CatalogueTest, NothingUsableIsADiskError) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"empty directory", {}},
        {"only unusable dictionaries", {"PHONET.dic", "PHONET.ind", "BROKEN.dic", "BROKEN.ind"}},
    };
    for (const Case& c : cases) {
        fs.files.clear();
        dialog.list = PlainDictionaryList();
        dialog.diskErrors = 0;
        for (const std::string& name : c.files) {
            fs.AddFile(MemoryFileSystem::Join(kProgramDir, name), std::string(4000, 'x'));
        }
        EXPECT_FALSE(OpenSelectedDictionary(*engine, *catalogue, &dialog)) << c.name;
        EXPECT_EQ(dialog.diskErrors, 1) << c.name;
        EXPECT_EQ(dialog.title, "") << c.name;
        EXPECT_TRUE(dialog.information.empty()) << c.name;
    }
}

TEST_F(CatalogueTest, EntriesWhoseFilesAreGoneCannotBeOpened) {
    AddStandardSet();
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    fs.files.erase(MemoryFileSystem::Join(kProgramDir, "ITALIAN.ind"));
    for (const char* entry : {"Greek-Italian dictionary", "French-->Italian Dictionary",
                              "Italian-->English Dictionary"}) {
        dialog.information.clear();
        EXPECT_FALSE(Choose(entry)) << entry;
        EXPECT_EQ(dialog.information, std::vector<unsigned>{IDS_CANT_OPEN_FILES}) << entry;
        EXPECT_EQ(engine->mainBody, nullptr) << entry;
        EXPECT_EQ(engine->secondBody, nullptr) << entry;
        EXPECT_FALSE(engine->pairMode) << entry;
    }
    ASSERT_TRUE(Choose("French-->English Dictionary"));

    // At program end only the files are closed.
    EXPECT_TRUE(OpenSelectedDictionary(*engine, *catalogue, nullptr));
    EXPECT_EQ(engine->mainBody, nullptr);
    EXPECT_EQ(engine->secondIndex, nullptr);
}

// Files that do not hold together are named when their dictionary is chosen, alone or as half
// of a pair, in place of the notice that tells nothing: a cut or empty index, an index that
// points past the entries, an index of another build, an empty body.
TEST_F(CatalogueTest, DamagedFilesAreNamedWhenTheirDictionaryIsChosen) {
    Files greng = Compile("@builtin\nhouse\tσπίτι\nσπίτι\thouse\n");
    std::string pastEnd = greng.index;
    pastEnd[5] = '\x7F';  // the first letter block's length
    Files other = Compile("@builtin\nroof\tστέγη\n");
    struct Case {
        const char* name;
        std::string body, index;
        const char* named;
    } cases[] = {
        {"empty index", greng.body, "", "GRENG.ind"},
        {"cut index", greng.body, greng.index.substr(0, 20), "GRENG.ind"},
        {"block past the end", greng.body, pastEnd, "GRENG.ind"},
        {"index of another build", greng.body, other.index, "GRENG.ind"},
        {"empty body", "", greng.index, "GRENG.dic"},
    };
    for (const Case& c : cases) {
        fs.files.clear();
        AddStandardSet();
        Add(kProgramDir, "GRENG", Files{c.body, c.index});
        dialog = FakeCatalogueDialog();
        for (const char* entry : {"Greek-English dictionary", "French-->English Dictionary"}) {
            dialog.information.clear();
            dialog.damaged.clear();
            EXPECT_FALSE(Choose(entry)) << c.name << " / " << entry;
            EXPECT_TRUE(dialog.information.empty()) << c.name << " / " << entry;
            EXPECT_EQ(dialog.damaged,
                      std::vector<std::string>{MemoryFileSystem::Join(kProgramDir, c.named)})
                << c.name << " / " << entry;
            EXPECT_EQ(engine->mainBody, nullptr);
        }
    }
    // Sound files open as before.
    fs.files.clear();
    AddStandardSet();
    dialog = FakeCatalogueDialog();
    EXPECT_TRUE(Choose("Greek-English dictionary"));
    EXPECT_TRUE(dialog.damaged.empty());
}

TEST_F(CatalogueTest, LimitsAreKeptWithoutOverflow) {
    // Twelve pairable dictionaries would make 12 + 132 entries.
    for (int i = 0; i < 12; ++i) {
        char base[8];
        snprintf(base, sizeof base, "P%02d", i);
        Add(kProgramDir, base, Pairable(std::string("Lang") + base, "Γλώσσα", "9"));
    }
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_EQ(dialog.list.Count(), kMaxCatalogueEntries);
    EXPECT_EQ(catalogue->count, kMaxCatalogueEntries);

    fs.files.clear();
    dialog.list = PlainDictionaryList();
    // A base name of 20 characters is left out; 19 fit. A pairable base name over 7
    // characters is listed but makes no pairs. A language name over 19 characters is cut.
    Add(kProgramDir, "ABCDEFGHIJKLMNOPQRST", Compile("@list-en Twenty\na\tα\n"));
    Add(kProgramDir, "ABCDEFGHIJKLMNOPQRS", Compile("@list-en Nineteen\na\tα\n"));
    Add(kProgramDir, "LONGBASE", Pairable("Longbase", "Μακρύ", "1"));
    Add(kProgramDir, "FRENCH", Pairable("French", "Γαλλικά", "1"));
    std::string dutch = PairableSource("Dutch", "Ολλανδικά", "1", "a\tα\n");
    dutch.replace(dutch.find("@pair-language Dutch"), 20,
                  "@pair-language Averyveryverylonglanguagename");
    Add(kProgramDir, "DUTCH", Compile(dutch));
    ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
    EXPECT_LT(Find("Twenty"), 0);
    EXPECT_GE(Find("Nineteen"), 0);
    EXPECT_GE(Find("Greek-Longbase dictionary"), 0);
    EXPECT_EQ(catalogue->languageCount, 2);  // DUTCH and FRENCH
    EXPECT_GE(Find("Averyveryverylongla-->French Dictionary"), 0);
    ASSERT_TRUE(Choose("Nineteen"));
    EXPECT_EQ(fs.opened.back(), MemoryFileSystem::Join(kProgramDir, "ABCDEFGHIJKLMNOPQRS.ind"));
}

}  // namespace
