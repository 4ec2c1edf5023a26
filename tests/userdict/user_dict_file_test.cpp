#include "userdict/user_dict_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "tests/engine/engine_fixture.h"

namespace {

typedef std::vector<std::string> Texts;

class FakeDialog : public UserDictDialog {
public:
    ListBox& Words() override { return words; }
    void WordText(char* buffer, size_t size) override {
        snprintf(buffer, size, "%s", word.c_str());
    }
    void TranslationText(char* buffer, size_t size) override {
        snprintf(buffer, size, "%s", translation.c_str());
    }
    void SetWordText(const char* text) override { word = text; }
    void SetTranslationText(const char* text) override { translation = text; }
    void EnableReplace(bool enable) override { replaceEnabled = enable; }
    void EnableDelete(bool enable) override { deleteEnabled = enable; }
    void DeleteWord(int index) override {
        PlainListBox kept(PlainListBox::kSorted);
        for (int i = 0; i < words.Count(); ++i) {
            if (i != index) {
                kept.SetItemData(kept.Add(words.TextAt(i)), words.ItemData(i));
            }
        }
        words = kept;
    }
    void ShowWriteError() override { ++writeErrors; }
    void ShowDiskError() override { ++diskErrors; }

    PlainListBox words{PlainListBox::kSorted};
    std::string word;
    std::string translation;
    bool replaceEnabled = true;
    bool deleteEnabled = true;
    int writeErrors = 0;
    int diskErrors = 0;
};

class UserDictTest : public ::testing::Test {
protected:
    UserDictTest() : engine(new Engine) {
        dir = std::filesystem::path(::testing::TempDir()) /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "GRENG.usr").string();
    }
    ~UserDictTest() override {
        CloseDictionaryFiles(*engine);
        std::filesystem::remove_all(dir);
    }

    bool Add(const std::string& word, const std::string& translation) {
        dialog.word = Stored(word);
        dialog.translation = Stored(translation);
        return AppendUserDictEntry(*engine, dialog);
    }
    // The words listed for a search text (UTF-8), with their record indexes.
    std::vector<std::pair<std::string, uint32_t>> Search(const std::string& text) {
        dialog.words.Clear();
        ListUserDictMatches(*engine, &dialog, dialog.words, Stored(text).c_str());
        std::vector<std::pair<std::string, uint32_t>> out;
        for (int i = 0; i < dialog.words.Count(); ++i) {
            out.push_back(
                {Utf8(dialog.words.TextAt(i)), dialog.words.ItemData(i) - kUserDictItemFlag});
        }
        return out;
    }
    void SelectRecord(uint32_t index) {
        for (int i = 0; i < dialog.words.Count(); ++i) {
            if (dialog.words.ItemData(i) == kUserDictItemFlag + index) {
                dialog.words.Select(i);
            }
        }
        ASSERT_GE(dialog.words.Selection(), 0);
    }
    std::string FileBytes() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteFile(const std::string& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path dir;
    std::string path;
    std::unique_ptr<Engine> engine;
    FakeDialog dialog;
    UserDictSelection selection;
};

typedef std::vector<std::pair<std::string, uint32_t>> Listed;

TEST_F(UserDictTest, RecordsKeepTheirIndexesThroughAddDeleteAndReplace) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    ASSERT_TRUE(Add("λόγος", "word"));
    ASSERT_TRUE(Add("λόγος", "speech"));  // the same word again: a second record
    ASSERT_TRUE(Add("logos", "account"));
    EXPECT_EQ(dialog.word, "");
    EXPECT_EQ(dialog.translation, "");
    EXPECT_EQ(FileBytes().size(), 3 * kUserDictRecordSize);
    EXPECT_EQ(Search("λογ"), (Listed{{"λόγος", 0}, {"λόγος", 1}}));

    SelectRecord(0);
    EXPECT_TRUE(MarkUserDictEntryDeleted(*engine, dialog));
    EXPECT_EQ(dialog.words.Count(), 1);
    EXPECT_FALSE(dialog.deleteEnabled);
    EXPECT_EQ(FileBytes().size(), 3 * kUserDictRecordSize);
    EXPECT_EQ(Search("λογ"), (Listed{{"λόγος", 1}}));
    EXPECT_EQ(Search("&&"), (Listed{{kUserDictDeletedMarker, 0}}));

    Search("logos");
    SelectRecord(2);
    LoadUserDictEntry(*engine, dialog, selection);
    EXPECT_EQ(dialog.translation, "account");
    EXPECT_STREQ(selection.word, "logos");
    dialog.translation = "reason,account";
    EXPECT_TRUE(ReplaceUserDictEntry(*engine, dialog));
    EXPECT_EQ(dialog.word, "");
    EXPECT_EQ(dialog.words.Count(), 0);
    EXPECT_FALSE(dialog.replaceEnabled);
    EXPECT_EQ(Search("log"), (Listed{{"logos", 2}}));

    // The deleted record keeps its translation; every byte after a field's end is zero.
    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 3 * kUserDictRecordSize);
    std::string deletedWord = std::string(kUserDictDeletedMarker);
    deletedWord.resize(kUserDictWordSize);
    EXPECT_EQ(bytes.substr(0, kUserDictWordSize), deletedWord);
    EXPECT_EQ(bytes.substr(kUserDictWordSize, 5), std::string("word\0", 5));
    std::string replaced = bytes.substr(2 * kUserDictRecordSize);
    std::string expected = "logos";
    expected.resize(kUserDictWordSize);
    expected += "reason,account";
    expected.resize(kUserDictRecordSize);
    EXPECT_EQ(replaced, expected);
}

TEST_F(UserDictTest, ClosingAnEmptyFileDeletesIt) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    EXPECT_TRUE(std::filesystem::exists(path));
    CloseUserDictAfterEdit(*engine, path.c_str());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(engine->userDict, nullptr);

    // With a word in it the file stays and is open read-only again.
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    ASSERT_TRUE(Add("house", "σπίτι"));
    CloseUserDictAfterEdit(*engine, path.c_str());
    EXPECT_TRUE(std::filesystem::exists(path));
    ASSERT_NE(engine->userDict, nullptr);
    EXPECT_EQ(Search("hou"), (Listed{{"house", 0}}));
    EXPECT_FALSE(Add("roof", "στέγη"));
    EXPECT_EQ(FileBytes().size(), kUserDictRecordSize);

    // Nothing to open when no single dictionary was ever opened.
    EXPECT_FALSE(OpenUserDictForEdit(*engine, "", selection));
}

TEST_F(UserDictTest, EditsAreCutToTheFieldSizes) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    struct Case {
        size_t wordLength;
        size_t translationLength;
    };
    const Case cases[] = {{28, 98}, {29, 99}, {60, 300}};
    uint32_t index = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(Add(std::string(c.wordLength, 'w'), std::string(c.translationLength, 't')));
        UserDictRecord record;
        ASSERT_TRUE(ReadUserDictRecord(*engine, &dialog, index++, &record));
        EXPECT_EQ(std::string(record.word), std::string(28, 'w'));
        EXPECT_EQ(std::string(record.translation), std::string(98, 't'));
    }
}

TEST_F(UserDictTest, TranslationPiecesAreSplitAtCommasUntrimmed) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    ASSERT_TRUE(Add("w", "one, two,,three,"));
    PlainLookupView view;
    ListUserDictTranslations(*engine, view, kUserDictItemFlag + 0);
    Texts pieces;
    for (int i = 0; i < view.translations.Count(); ++i) {
        pieces.push_back(view.translations.TextAt(i));
    }
    EXPECT_EQ(pieces, (Texts{"", " two", "one", "three"}));
}

TEST_F(UserDictTest, GreekSearchFoldsAccentsAndCase) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    for (const char* word : {"Άγγελος", "αγάπη", "ΑΓΟΡΑ", "αβγό", "agape", "α"}) {
        ASSERT_TRUE(Add(word, "x"));
    }
    Listed expected = {{"Άγγελος", 0}, {"αγάπη", 1}, {"ΑΓΟΡΑ", 2}};
    EXPECT_EQ(Search("αγ"), expected);
    EXPECT_EQ(Search("ΆΓ"), expected);
    EXPECT_EQ(Search("AG"), (Listed{{"agape", 4}}));
}

TEST_F(UserDictTest, LargeFileWithAPartialFinalRecord) {
    // 300 records span two reads of the search; a cut record follows them.
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        UserDictRecord record;
        char word[16];
        snprintf(word, sizeof word, "w%03d", i);
        MakeUserDictRecord(word, "t", &record);
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    bytes += std::string("tail\0", 5) + std::string(45, 'z');
    WriteFile(bytes);
    engine->userDict = OpenDictFile(path.c_str(), DictFileMode::kRead);
    Listed found = Search("w23");
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found.front(), (std::pair<std::string, uint32_t>{"w230", 230}));
    EXPECT_EQ(found.back(), (std::pair<std::string, uint32_t>{"w239", 239}));
    EXPECT_EQ(Search("tail"), (Listed{{"tail", 300}}));

    // A word added now goes to the next whole record, not into the cut one.
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    ASSERT_TRUE(Add("new", "νέο"));
    EXPECT_EQ(FileBytes().size(), 302 * kUserDictRecordSize);
    EXPECT_EQ(Search("new"), (Listed{{"new", 301}}));
    EXPECT_EQ(Search("tail"), (Listed{{"tail", 300}}));
    EXPECT_EQ(dialog.diskErrors, 0);
}

TEST_F(UserDictTest, AFullDiskChangesNothingAndTellsTheUser) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    // Writes to /dev/full fail as on a full disk. The file is never closed through
    // CloseUserDictAfterEdit, which would delete an empty file.
    ASSERT_TRUE(OpenUserDictForEdit(*engine, "/dev/full", selection));
    dialog.word = "house";
    dialog.translation = "σπίτι";
    EXPECT_FALSE(AppendUserDictEntry(*engine, dialog));
    EXPECT_EQ(dialog.writeErrors, 1);
    EXPECT_EQ(dialog.word, "house");  // kept for another try

    dialog.words.SetItemData(dialog.words.Add("old"), kUserDictItemFlag + 0);
    dialog.words.Select(0);
    EXPECT_FALSE(ReplaceUserDictEntry(*engine, dialog));
    EXPECT_EQ(dialog.writeErrors, 2);
    EXPECT_EQ(dialog.word, "house");
    EXPECT_EQ(dialog.words.Count(), 1);

    EXPECT_FALSE(MarkUserDictEntryDeleted(*engine, dialog));
    EXPECT_EQ(dialog.writeErrors, 3);
    EXPECT_EQ(dialog.words.Count(), 1);  // still there: it was not deleted
    CloseDictFile(engine->userDict);
    engine->userDict = nullptr;
}

// A file size limit lets the system write part of a record and then refuse the rest, the way
// a disk fills up in the middle of a write. The cut record must not stay behind.
TEST_F(UserDictTest, AWriteCutShortLeavesNoPartOfTheRecord) {
    ASSERT_TRUE(OpenUserDictForEdit(*engine, path.c_str(), selection));
    ASSERT_TRUE(Add("first", "πρώτο"));
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = kUserDictRecordSize + 60;
    auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool added = Add("second", "δεύτερο");
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(added);
    EXPECT_EQ(dialog.writeErrors, 1);
    EXPECT_EQ(FileBytes().size(), kUserDictRecordSize);
    EXPECT_TRUE(Add("second", "δεύτερο"));
    EXPECT_EQ(Search("second"), (Listed{{"second", 1}}));
}

TEST_F(UserDictTest, TheSearchListsUserWordsAfterTheDictionarysOwn) {
    std::string body, index;
    CompileSource("@builtin\nhouse\tσπίτι\nhousehold\tνοικοκυριό\n", &body, &index);
    OpenDictionary dictionary(body, index, true);
    Engine& e = *dictionary.engine;
    InstallUserDictHooks(e);
    ASSERT_TRUE(OpenUserDictForEdit(e, path.c_str(), selection));
    dialog.word = "housework";
    dialog.translation = Stored("δουλειές, σπιτιού");
    ASSERT_TRUE(AppendUserDictEntry(e, dialog));
    CloseUserDictAfterEdit(e, path.c_str());

    dictionary.options.useUserDict = true;
    ASSERT_TRUE(dictionary.Search("house"));
    EXPECT_EQ(dictionary.Words(), (Texts{"house", "household", "housework"}));
    EXPECT_EQ(dictionary.view.words.ItemData(2), kUserDictItemFlag + 0);
    dictionary.view.words.Select(2);
    ShowSelectedTranslations(e, dictionary.view, dictionary.options);
    EXPECT_EQ(dictionary.Translations(), (Texts{" σπιτιού", "δουλειές"}));

    // With the user dictionary off, only the dictionary's words.
    dictionary.options.useUserDict = false;
    ASSERT_TRUE(dictionary.Search("house"));
    EXPECT_EQ(dictionary.Words(), (Texts{"house", "household"}));
}

}  // namespace
