#include "userdict/user_dict_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "tests/engine/engine_fixture.h"

namespace {

typedef std::vector<std::string> Texts;
typedef std::vector<std::pair<std::string, uint32_t>> Listed;

// Gathers the words a search finds, as UTF-8, with their record indexes.
class ListedSink : public UserDictSink {
public:
    void Found(uint32_t index, const UserDictRecord& record) override {
        char word[kUserDictWordSize];
        UserDictFieldText(record.word, sizeof word, word);
        listed.push_back({Utf8(word), index});
    }
    Listed listed;
};

UserDictRecord Record(const std::string& word, const std::string& translation) {
    UserDictRecord record;
    MakeUserDictRecord(Stored(word).c_str(), Stored(translation).c_str(), &record);
    return record;
}

std::string RecordBytes(const UserDictRecord& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

class UserDictTest : public ::testing::Test {
protected:
    UserDictTest() : dict(new UserDict) {
        std::string pattern = (std::filesystem::temp_directory_path() / "userdict_XXXXXX").string();
        if (mkdtemp(&pattern[0])) {
            dir = pattern;
        }
        path = (dir / "GRENG.usr").string();
    }
    ~UserDictTest() override {
        CloseUserDict(*dict);
        std::filesystem::remove_all(dir);
    }

    uint32_t Add(const std::string& word, const std::string& translation) {
        uint32_t index = 0xFFFFFFFF;
        EXPECT_EQ(AppendUserDictRecord(*dict, Record(word, translation), &index),
                  UserDictResult::kOk)
            << word;
        return index;
    }
    Listed Search(const std::string& text) {
        ListedSink sink;
        EXPECT_EQ(ListUserDict(*dict, Stored(text).c_str(), sink), UserDictResult::kOk);
        return sink.listed;
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
    std::unique_ptr<UserDict> dict;
};

TEST_F(UserDictTest, RecordsKeepTheirIndexesThroughAddDeleteAndReplace) {
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    EXPECT_EQ(Add("λόγος", "word"), 0u);
    EXPECT_EQ(Add("λόγος", "speech"), 1u);  // the same word again: a second record
    EXPECT_EQ(Add("logos", "account"), 2u);
    EXPECT_EQ(FileBytes().size(), 3 * kUserDictRecordSize);
    EXPECT_EQ(Search("λογ"), (Listed{{"λόγος", 0}, {"λόγος", 1}}));

    EXPECT_EQ(MarkUserDictRecordDeleted(*dict, 0, nullptr), UserDictResult::kOk);
    EXPECT_EQ(MarkUserDictRecordDeleted(*dict, 0, nullptr), UserDictResult::kDeleted);
    EXPECT_EQ(FileBytes().size(), 3 * kUserDictRecordSize);
    EXPECT_EQ(Search("λογ"), (Listed{{"λόγος", 1}}));
    EXPECT_EQ(Search("&&"), (Listed{{kUserDictDeletedMarker, 0}}));

    UserDictRecord loaded;
    ASSERT_EQ(LoadUserDictRecord(*dict, 2, &loaded), UserDictResult::kOk);
    EXPECT_STREQ(loaded.translation, "account");
    EXPECT_EQ(ReplaceUserDictRecord(*dict, 2, Record("logos", "reason,account"), nullptr),
              UserDictResult::kOk);
    EXPECT_EQ(Search("log"), (Listed{{"logos", 2}}));

    // The deleted record keeps its translation; a replaced record is zero after each field.
    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 3 * kUserDictRecordSize);
    EXPECT_EQ(bytes.substr(0, sizeof kUserDictDeletedMarker),
              std::string(kUserDictDeletedMarker, sizeof kUserDictDeletedMarker));
    EXPECT_EQ(bytes.substr(kUserDictWordSize, 5), std::string("word\0", 5));
    EXPECT_EQ(bytes.substr(2 * kUserDictRecordSize),
              RecordBytes(Record("logos", "reason,account")));

    // A record past the end is neither read nor written.
    EXPECT_EQ(LoadUserDictRecord(*dict, 3, &loaded), UserDictResult::kNoRecord);
    EXPECT_EQ(ReplaceUserDictRecord(*dict, 3, Record("x", "y"), nullptr),
              UserDictResult::kNoRecord);
    EXPECT_EQ(MarkUserDictRecordDeleted(*dict, 7, nullptr), UserDictResult::kNoRecord);
    EXPECT_EQ(ReplaceUserDictRecord(*dict, 0x7FFFFFFF, Record("x", "y"), nullptr),
              UserDictResult::kNoRecord);
    EXPECT_EQ(FileBytes(), bytes);
}

TEST_F(UserDictTest, AWordThatReadsAsTheDeletedMarkerIsRefused) {
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    EXPECT_EQ(Add("house", "σπίτι"), 0u);
    uint32_t index = 0;
    for (const char* word : {"&&*!@@ Deleted", "&&*!@@ Deleted too"}) {
        EXPECT_EQ(AppendUserDictRecord(*dict, Record(word, "note"), &index),
                  UserDictResult::kMarkerWord);
        EXPECT_EQ(ReplaceUserDictRecord(*dict, 0, Record(word, "note"), nullptr),
                  UserDictResult::kMarkerWord);
    }
    EXPECT_EQ(FileBytes(), RecordBytes(Record("house", "σπίτι")));
    EXPECT_FALSE(IsDeletedUserDictWord("&&*!@@ Delete"));
}

TEST_F(UserDictTest, ClosingRemovesAFileOnlyWhileItIsEmpty) {
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    EXPECT_TRUE(std::filesystem::exists(path));
    CloseUserDict(*dict);
    EXPECT_FALSE(std::filesystem::exists(path));

    // Another session adds a word while this one, which created the file, is open.
    UserDict other;
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    ASSERT_EQ(OpenUserDict(other, path.c_str(), true), UserDictResult::kOk);
    uint32_t index;
    ASSERT_EQ(AppendUserDictRecord(other, Record("house", "σπίτι"), &index), UserDictResult::kOk);
    CloseUserDict(other);
    CloseUserDict(*dict);
    EXPECT_EQ(FileBytes(), RecordBytes(Record("house", "σπίτι")));

    // A session whose empty file another session removed adds to the file by that name anew.
    std::filesystem::remove(path);
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    ASSERT_EQ(OpenUserDict(other, path.c_str(), true), UserDictResult::kOk);
    CloseUserDict(other);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(Add("roof", "στέγη"), 0u);
    CloseUserDict(*dict);
    EXPECT_EQ(FileBytes(), RecordBytes(Record("roof", "στέγη")));

    // Read-only, nothing is written or removed.
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), false), UserDictResult::kOk);
    EXPECT_EQ(AppendUserDictRecord(*dict, Record("x", "y"), &index), UserDictResult::kNotOpen);
    EXPECT_EQ(MarkUserDictRecordDeleted(*dict, 0, nullptr), UserDictResult::kNotOpen);
    CloseUserDict(*dict);
    EXPECT_EQ(FileBytes().size(), kUserDictRecordSize);
    EXPECT_EQ(OpenUserDict(*dict, "", true), UserDictResult::kCannotOpen);
}

TEST_F(UserDictTest, OnlyRegularFilesAreOpened) {
    std::filesystem::create_directory(path);
    EXPECT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kDirectory);
    EXPECT_EQ(OpenUserDict(*dict, path.c_str(), false), UserDictResult::kDirectory);
    std::filesystem::remove(path);

    // A FIFO would block an open for reading until some writer came.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(OpenUserDict(*dict, path.c_str(), false), UserDictResult::kNotRegular);
    EXPECT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kNotRegular);
    std::filesystem::remove(path);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(OpenUserDict(*dict, "/dev/full", true), UserDictResult::kNotRegular);
    }
    EXPECT_EQ(OpenUserDict(*dict, path.c_str(), false), UserDictResult::kMissing);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(UserDictTest, FieldsAreCutToTheirSizes) {
    struct Case {
        size_t wordLength;
        size_t translationLength;
    };
    for (const Case& c : {Case{28, 98}, Case{29, 99}, Case{60, 300}}) {
        UserDictRecord record =
            Record(std::string(c.wordLength, 'w'), std::string(c.translationLength, 't'));
        EXPECT_EQ(std::string(record.word), std::string(28, 'w'));
        EXPECT_EQ(std::string(record.translation), std::string(98, 't'));
    }
}

TEST_F(UserDictTest, GreekSearchFoldsAccentsAndCase) {
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    for (const char* word : {"Άγγελος", "αγάπη", "ΑΓΟΡΑ", "αβγό", "agape", "α"}) {
        Add(word, "x");
    }
    Listed expected = {{"Άγγελος", 0}, {"αγάπη", 1}, {"ΑΓΟΡΑ", 2}};
    EXPECT_EQ(Search("αγ"), expected);
    EXPECT_EQ(Search("ΆΓ"), expected);
    EXPECT_EQ(Search("AG"), (Listed{{"agape", 4}}));
    EXPECT_EQ(Search("").size(), 6u);
}

TEST_F(UserDictTest, LargeFileWithAPartialFinalRecord) {
    // 300 records span two reads of the search; a cut record follows them.
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        char word[16];
        snprintf(word, sizeof word, "w%03d", i);
        bytes += RecordBytes(Record(word, "t"));
    }
    bytes += std::string("tail\0", 5) + std::string(45, 'z');
    WriteFile(bytes);
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), false), UserDictResult::kOk);
    Listed found = Search("w23");
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found.front(), (std::pair<std::string, uint32_t>{"w230", 230}));
    EXPECT_EQ(found.back(), (std::pair<std::string, uint32_t>{"w239", 239}));
    EXPECT_EQ(Search("tail"), (Listed{{"tail", 300}}));

    // A word added now goes to the next whole record, not into the cut one.
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    EXPECT_EQ(Add("new", "νέο"), 301u);
    EXPECT_EQ(FileBytes().size(), 302 * kUserDictRecordSize);
    EXPECT_EQ(Search("new"), (Listed{{"new", 301}}));
    EXPECT_EQ(Search("tail"), (Listed{{"tail", 300}}));
}

// A file size limit lets the system write part of a record and then refuse the rest, the way a
// disk fills up in the middle of a write. No part of the new bytes may stay.
class WriteLimit {
public:
    explicit WriteLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        previous_ = signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~WriteLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_;
    void (*previous_)(int);
};

TEST_F(UserDictTest, AWriteCutShortLeavesTheFileAsItWas) {
    // Two whole records and the first 10 bytes of a third.
    std::string bytes = RecordBytes(Record("first", "πρώτο")) +
                        RecordBytes(Record("second", "δεύτερο")) + std::string("cut\0zzzzzz", 10);
    WriteFile(bytes);
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    uint32_t index;
    {
        WriteLimit limit(bytes.size() + 60);
        EXPECT_EQ(AppendUserDictRecord(*dict, Record("third", "τρίτο"), &index),
                  UserDictResult::kWriteError);
        // Replacing or deleting the cut record lengthens it past the limit.
        EXPECT_EQ(ReplaceUserDictRecord(*dict, 2, Record("third", "τρίτο"), nullptr),
                  UserDictResult::kWriteError);
    }
    EXPECT_EQ(FileBytes(), bytes);
    {
        WriteLimit limit(bytes.size() + 2);
        EXPECT_EQ(MarkUserDictRecordDeleted(*dict, 2, nullptr), UserDictResult::kWriteError);
    }
    EXPECT_EQ(FileBytes(), bytes);
    EXPECT_EQ(Add("third", "τρίτο"), 3u);
    EXPECT_EQ(ReplaceUserDictRecord(*dict, 2, Record("cut", "κομμένο"), nullptr),
              UserDictResult::kOk);
    EXPECT_EQ(Search("").size(), 4u);
}

TEST_F(UserDictTest, TheLookupListsUserWordsAfterTheDictionarysOwn) {
    ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
    Add("housework", "δουλειές, σπιτιού");
    Add("w", "one, two,,three,");
    CloseUserDict(*dict);

    std::string body, index;
    CompileSource("@builtin\nhouse\tσπίτι\nhousehold\tνοικοκυριό\n", &body, &index);
    OpenDictionary dictionary(body, index, true);
    Engine& e = *dictionary.engine;
    InstallUserDictHooks(e);
    e.userDict = OpenDictFile(path.c_str(), DictFileMode::kRead);
    dictionary.options.useUserDict = true;
    ASSERT_TRUE(dictionary.Search("house"));
    EXPECT_EQ(dictionary.Words(), (Texts{"house", "household", "housework"}));
    EXPECT_EQ(dictionary.view.words.ItemData(2), kUserDictItemFlag + 0);
    dictionary.view.words.Select(2);
    ShowSelectedTranslations(e, dictionary.view, dictionary.options);
    EXPECT_EQ(dictionary.Translations(), (Texts{"δουλειές", "σπιτιού"}));

    // Pieces are split at commas without the blank after each; an empty piece between two
    // commas is a line.
    PlainLookupView view;
    ListUserDictTranslations(e, view, kUserDictItemFlag + 1);
    Texts pieces;
    for (int i = 0; i < view.translations.Count(); ++i) {
        pieces.push_back(view.translations.TextAt(i));
    }
    EXPECT_EQ(pieces, (Texts{"", "one", "three", "two"}));

    // With the user dictionary off, only the dictionary's words.
    dictionary.options.useUserDict = false;
    ASSERT_TRUE(dictionary.Search("house"));
    EXPECT_EQ(dictionary.Words(), (Texts{"house", "household"}));
}

// Runs `body` in a child process; returns its pid.
template <typename Body>
pid_t Spawn(Body body) {
    pid_t pid = fork();
    if (pid == 0) {
        _exit(body() ? 0 : 1);
    }
    return pid;
}

bool Succeeded(pid_t pid) {
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

TEST_F(UserDictTest, TwoWritersLoseNoRecord) {
    constexpr int kAdds = 1000;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        std::string report = (dir / ("writer" + std::to_string(w))).string();
        writers[w] = Spawn([&] {
            // Each add is a session of its own, as the shell tool runs it.
            FILE* out = fopen(report.c_str(), "w");
            std::unique_ptr<UserDict> mine(new UserDict);
            for (int i = 0; i < kAdds; ++i) {
                uint32_t index;
                std::string word = std::to_string(w) + "-" + std::to_string(i);
                if (OpenUserDict(*mine, path.c_str(), true) != UserDictResult::kOk ||
                    AppendUserDictRecord(*mine, Record(word, "t"), &index) != UserDictResult::kOk) {
                    return false;
                }
                CloseUserDict(*mine);
                fprintf(out, "%u %s\n", index, word.c_str());
            }
            return fclose(out) == 0;
        });
    }
    ASSERT_TRUE(Succeeded(writers[0]));
    ASSERT_TRUE(Succeeded(writers[1]));

    std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 2 * kAdds * kUserDictRecordSize);
    std::set<uint32_t> reported;
    for (int w = 0; w < 2; ++w) {
        std::ifstream in(dir / ("writer" + std::to_string(w)));
        uint32_t index;
        std::string word;
        while (in >> index >> word) {
            EXPECT_TRUE(reported.insert(index).second) << "index " << index << " reported twice";
            ASSERT_LT(index, 2u * kAdds);
            EXPECT_STREQ(bytes.c_str() + index * kUserDictRecordSize, word.c_str());
        }
    }
    EXPECT_EQ(reported.size(), 2u * kAdds);
}

TEST_F(UserDictTest, AClosingSessionNeverRemovesAnotherSessionsNewRecord) {
    // Sessions that find the file missing create it and, closing, remove it while it is
    // empty; another process adds the first record meanwhile. That record must survive.
    constexpr int kRounds = 300;
    int lost = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::filesystem::remove(path);
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        pid_t adder = Spawn([&] {
            char start;
            if (read(go[0], &start, 1) != 1) {
                return false;
            }
            std::unique_ptr<UserDict> mine(new UserDict);
            uint32_t index;
            bool added =
                OpenUserDict(*mine, path.c_str(), true) == UserDictResult::kOk &&
                AppendUserDictRecord(*mine, Record("word", "λέξη"), &index) == UserDictResult::kOk;
            CloseUserDict(*mine);
            return added;
        });
        ASSERT_EQ(write(go[1], "g", 1), 1);
        for (int i = 0; i < 20; ++i) {
            ASSERT_EQ(OpenUserDict(*dict, path.c_str(), true), UserDictResult::kOk);
            CloseUserDict(*dict);
        }
        close(go[0]);
        close(go[1]);
        ASSERT_TRUE(Succeeded(adder));
        if (FileBytes() != RecordBytes(Record("word", "λέξη"))) {
            ++lost;
        }
    }
    EXPECT_EQ(lost, 0) << "of " << kRounds << " rounds";
}

}  // namespace
