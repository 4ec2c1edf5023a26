#include "tools/userdict/userdict_cli.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/tool_arguments.h"
#include "userdict/user_dict_file.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string error;
};

class UserDictCli : public ::testing::Test {
protected:
    UserDictCli() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "userdict_cli_XXXXXX").string();
        if (mkdtemp(&pattern[0])) {
            dir = pattern;
        }
        for (const char* file : {"GRENG.dic", "GRENG.ind"}) {
            std::filesystem::copy_file(std::string(LOOKUP_FIXTURE_DIR) + "/" + file,
                                       dir + "/" + file);
        }
    }
    ~UserDictCli() override { std::filesystem::remove_all(dir); }

    Result Run(std::vector<std::string> args,
               const std::function<void(uint32_t)>& betweenFindAndWrite = nullptr) {
        UserDictRequest request;
        request.dir = dir;
        std::vector<const char*> argv = ArgumentPointers(args);
        Result result;
        if (!ParseUserDictArguments(static_cast<int>(argv.size()), argv.data(), request,
                                    result.error)) {
            result.status = -1;
            return result;
        }
        result.status = RunUserDictWithStep(request, result.out, result.error, betweenFindAndWrite);
        return result;
    }
    void WriteFile(const std::string& bytes) {
        std::ofstream(dir + "/GRENG.usr", std::ios::binary) << bytes;
    }
    // Runs the tool itself with its standard output on `fd` (a file or a pipe's write end)
    // and returns its exit status, -1 when a signal ended it.
    int RunToolInto(int fd, const std::vector<std::string>& args) {
        pid_t child = fork();
        if (child == 0) {
            dup2(fd, 1);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 2);
            std::vector<std::string> all = {USERDICT_TOOL, "--dir", dir};
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (std::string& a : all) {
                argv.push_back(&a[0]);
            }
            argv.push_back(nullptr);
            execv(USERDICT_TOOL, argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string dir;
};

TEST_F(UserDictCli, AddsListsReplacesAndDeletes) {
    EXPECT_EQ(Run({"list"}).status, kExitNotFound);  // no file yet
    EXPECT_EQ(Run({"add", "λόγος", "word, speech"}).out, "added record 0\n");
    EXPECT_EQ(Run({"add", "house", "σπίτι"}).out, "added record 1\n");
    EXPECT_EQ(Run({"add", "λόγος", "reason"}).out, "added record 2\n");
    EXPECT_EQ(Run({"list"}).out, "1\thouse\tσπίτι\n0\tλόγος\tword, speech\n2\tλόγος\treason\n");
    EXPECT_EQ(Run({"list", "ΛΟΓ"}).out, "0\tλόγος\tword, speech\n2\tλόγος\treason\n");

    EXPECT_EQ(Run({"delete", "λόγος"}).out, "deleted record 0\n");
    EXPECT_EQ(Run({"replace", "house", "σπίτι,οίκος"}).out, "replaced record 1\n");
    EXPECT_EQ(Run({"replace", "--record", "2", "Λόγος", "λέξη"}).out, "replaced record 2\n");
    EXPECT_EQ(Run({"list"}).out, "1\thouse\tσπίτι,οίκος\n2\tΛόγος\tλέξη\n");
    EXPECT_EQ(std::filesystem::file_size(dir + "/GRENG.usr"), 3 * 130u);

    Result gone = Run({"delete", "--record", "0"});
    EXPECT_EQ(gone.status, kExitNotFound);
    EXPECT_EQ(gone.error, "wordmere-userdict: record 0 is deleted\n");
    EXPECT_EQ(Run({"delete", "nothing"}).status, kExitNotFound);

    // The lookup finds the user's words with --user and marks them.
    LookupRequest lookup;
    lookup.dir = dir;
    lookup.word = "hous";
    lookup.user = true;
    lookup.json = true;
    std::string out, error;
    EXPECT_EQ(RunLookup(lookup, out, error), kExitFound);
    EXPECT_NE(out.find("{\"headword\": \"house\", \"reached\": \"prefix\", \"user\": true, "
                       "\"translations\": [\"οίκος\", \"σπίτι\"]}"),
              std::string::npos)
        << out;
    lookup.user = false;
    RunLookup(lookup, out, error);
    EXPECT_EQ(out.find("\"user\""), std::string::npos);
}

TEST_F(UserDictCli, RefusesWhatTheDialogWouldNotStore) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* error;
    } cases[] = {
        {{"add", "  ", "x"}, kExitError, "wordmere-userdict: the word is empty\n"},
        {{"add", "x", ""}, kExitError, "wordmere-userdict: the translation is empty\n"},
        {{"--dict", "NOPE", "add", "x", "y"}, kExitError, nullptr},
        {{"add", "λメ", "y"},
         kExitError,
         "wordmere-userdict: the word holds a character no dictionary can hold\n"},
        {{"add", "x"}, -1, nullptr},
        {{"list", "a", "b"}, -1, nullptr},
        {{"delete", "--record", "x"}, -1, nullptr},
        {{"frobnicate"}, -1, nullptr},
    };
    for (const Case& c : cases) {
        Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0];
        if (c.error) {
            EXPECT_EQ(r.error, c.error) << c.args[0];
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/GRENG.usr"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/NOPE.usr"));

    Result cut = Run({"add", std::string(30, 'w'), "t"});
    EXPECT_EQ(cut.status, kExitFound);
    EXPECT_EQ(cut.error, "wordmere-userdict: note: the word is cut to 28 characters\n");
    EXPECT_EQ(Run({"list"}).out, "0\t" + std::string(28, 'w') + "\tt\n");
    // The same long word finds the record it made.
    EXPECT_EQ(Run({"replace", std::string(30, 'w'), "u"}).out, "replaced record 0\n");
    EXPECT_EQ(Run({"delete", std::string(29, 'w')}).out, "deleted record 0\n");
}

TEST_F(UserDictCli, RefusesTheDeletedMarkerAsAWord) {
    EXPECT_EQ(Run({"add", "house", "σπίτι"}).status, kExitFound);
    const char* refusal =
        "wordmere-userdict: a word may not begin with \"&&*!@@ Deleted\": that marks a deleted "
        "record\n";
    for (const char* word : {"&&*!@@ Deleted", "&&*!@@ Deleted!"}) {
        Result add = Run({"add", word, "note"});
        EXPECT_EQ(add.status, kExitError);
        EXPECT_EQ(add.error, refusal);
        Result replace = Run({"replace", "house", word});
        EXPECT_EQ(replace.status, kExitFound);  // a translation may say anything
        EXPECT_EQ(Run({"replace", "--record", "0", word, "x"}).error, refusal);
    }
    EXPECT_EQ(std::filesystem::file_size(dir + "/GRENG.usr"), 130u);
}

TEST_F(UserDictCli, ADirectoryInPlaceOfTheFileIsNamedAsSuch) {
    std::filesystem::create_directory(dir + "/GRENG.usr");
    std::string message =
        "wordmere-userdict: " + dir + "/GRENG.usr: is a directory, not a user dictionary file\n";
    for (std::vector<std::string> args :
         {std::vector<std::string>{"list"}, {"add", "a", "b"}, {"delete", "--record", "0"}}) {
        Result r = Run(args);
        EXPECT_EQ(r.status, kExitError) << args[0];
        EXPECT_EQ(r.error, message) << args[0];
    }
}

// More records than a list box holds (32,767): the tool works on the file's records.
TEST_F(UserDictCli, WorksOverMoreRecordsThanAListBoxHolds) {
    constexpr int kRecords = 40000;
    {
        std::ofstream out(dir + "/GRENG.usr", std::ios::binary);
        for (int i = 0; i < kRecords; ++i) {
            UserDictRecord record;
            MakeUserDictRecord(("w" + std::to_string(kRecords - i)).c_str(), "t", &record);
            out.write(reinterpret_cast<const char*>(&record), sizeof record);
        }
    }
    Result list = Run({"list"});
    EXPECT_EQ(list.status, kExitFound);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), kRecords);
    EXPECT_EQ(list.out.substr(0, 11), "39999\tw1\tt\n");
    EXPECT_EQ(Run({"delete", "--record", "39000"}).out, "deleted record 39000\n");
    EXPECT_EQ(Run({"delete", "w1000"}).status, kExitNotFound);  // record 39000, deleted
    EXPECT_EQ(Run({"replace", "--record", "39999", "w1", "new"}).out, "replaced record 39999\n");
    EXPECT_EQ(Run({"list", "w1"}).out.substr(0, 13), "39999\tw1\tnew\n");
    EXPECT_EQ(Run({"delete", "--record", "40000"}).error, "wordmere-userdict: no record 40000\n");
}

TEST_F(UserDictCli, ControlBytesOfTheFileDoNotReachTheTerminal) {
    UserDictRecord record;
    MakeUserDictRecord("bad\x1b[2Jword", "line\nbreak", &record);
    std::ofstream(dir + "/GRENG.usr", std::ios::binary)
        .write(reinterpret_cast<const char*>(&record), sizeof record);
    EXPECT_EQ(Run({"list"}).out, "0\tbad\\x1B[2Jword\tline\\x0Abreak\n");
}

// A listing that cannot be written is a failure; a change that was made is reported as made
// even when its note cannot be written, so that a caller retrying on failure does not make it
// twice.
TEST_F(UserDictCli, OutputThatCannotBeWrittenFailsAListingButNotAChange) {
    ASSERT_EQ(Run({"add", "house", "σπίτι"}).status, kExitFound);
    std::string tool = std::string("'") + USERDICT_TOOL + "' --dir '" + dir + "' ";
    auto exitStatus = [](const std::string& command) {
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitStatus(tool + "list >/dev/null 2>&1"), kExitFound);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(exitStatus(tool + "list >/dev/full 2>/dev/null"), kExitError);
        EXPECT_EQ(exitStatus(tool + "add roof στέγη >/dev/full 2>/dev/null"), kExitFound);
    }
    EXPECT_EQ(exitStatus(tool + "list >&- 2>/dev/null"), kExitError);
    EXPECT_EQ(exitStatus(tool + "add wall τοίχος >&- 2>/dev/null"), kExitFound);

    // A reader that is gone: the write fails with EPIPE instead of a signal ending the tool.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    EXPECT_EQ(RunToolInto(ends[1], {"add", "door", "πόρτα"}), kExitFound);
    EXPECT_EQ(RunToolInto(ends[1], {"list"}), kExitError);
    close(ends[1]);
    EXPECT_EQ(std::filesystem::file_size(dir + "/GRENG.usr"), 4 * 130u);
}

// Another session rewrites the record between the find and the write: the write checks under
// the record's lock and leaves the other session's record alone.
TEST_F(UserDictCli, ARecordChangedBetweenFindAndWriteIsLeftAlone) {
    struct Case {
        std::vector<std::string> command;
        std::vector<std::string> meanwhile;
        int status;
        const char* record0;  // record 0 afterwards, as list prints it after its index
    } cases[] = {
        {{"replace", "foo", "new"}, {"replace", "--record", "0", "bar", "x"}, kExitError, "bar\tx"},
        {{"delete", "foo"}, {"replace", "--record", "0", "bar", "x"}, kExitError, "bar\tx"},
        {{"replace", "foo", "new"}, {"delete", "--record", "0"}, kExitError, nullptr},
        {{"replace", "--record", "0", "foo", "new"},
         {"delete", "--record", "0"},
         kExitNotFound,
         nullptr},
        {{"delete", "--record", "0"}, {"delete", "foo"}, kExitNotFound, nullptr},
        // A change that keeps the word does not stand in the way.
        {{"delete", "foo"}, {"replace", "foo", "y"}, kExitFound, nullptr},
        {{"replace", "foo", "new"}, {"replace", "foo", "y"}, kExitFound, "foo\tnew"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir + "/GRENG.usr");
        ASSERT_EQ(Run({"add", "foo", "old"}).status, kExitFound);
        ASSERT_EQ(Run({"add", "other", "z"}).status, kExitFound);
        Result r = Run(c.command, [&](uint32_t index) {
            EXPECT_EQ(index, 0u);
            EXPECT_EQ(Run(c.meanwhile).status, kExitFound);
        });
        std::string what = c.command[0] + " " + c.command[1] + " / " + c.meanwhile[0];
        EXPECT_EQ(r.status, c.status) << what << ": " << r.error;
        std::string listed = Run({"list"}).out;
        std::string expected = std::string(c.record0 ? "0\t" : "") + (c.record0 ? c.record0 : "") +
                               (c.record0 ? "\n" : "");
        EXPECT_EQ(listed.substr(0, listed.find("1\tother")), expected) << what;
        EXPECT_EQ(std::filesystem::file_size(dir + "/GRENG.usr"), 2 * 130u) << what;
    }
}

// Fields with no terminator (a damaged file) are read within their field, and records that
// hold no word (a sparse or zeroed file) are counted, not listed one by one.
TEST_F(UserDictCli, DamagedRecordsAreReadWithinTheirFields) {
    WriteFile(std::string(260, 'A'));
    std::string word29(29, 'A');
    std::string line = word29 + "\t" + std::string(99, 'A') + "\n";
    EXPECT_EQ(Run({"list"}).out, "0\t" + line + "1\t" + line);
    EXPECT_EQ(Run({"replace", word29, "t"}).status, kExitNotFound);  // no word of 28 or fewer
    EXPECT_EQ(Run({"delete", "AAAA"}).status, kExitNotFound);
    EXPECT_EQ(Run({"replace", "--record", "1", "fixed", "t"}).status, kExitFound);
    EXPECT_EQ(Run({"list", "fix"}).out, "1\tfixed\tt\n");

    UserDictRecord record;
    MakeUserDictRecord("word", "t", &record);
    WriteFile(std::string(130 * 1000, '\0') +
              std::string(reinterpret_cast<const char*>(&record), sizeof record));
    Result sparse = Run({"list"});
    EXPECT_EQ(sparse.status, kExitFound);
    EXPECT_EQ(sparse.out, "1000\tword\tt\n");
    EXPECT_NE(sparse.error.find("1000 records hold no word"), std::string::npos) << sparse.error;
}

TEST_F(UserDictCli, APermissionRefusalIsNamedAsSuch) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root opens any file";
    }
    ASSERT_EQ(Run({"add", "house", "σπίτι"}).status, kExitFound);
    std::filesystem::permissions(dir + "/GRENG.usr", std::filesystem::perms::owner_read);
    Result r = Run({"add", "roof", "στέγη"});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.error, "wordmere-userdict: " + dir + "/GRENG.usr: permission denied\n");
}

}  // namespace
