#include "tools/userdict/userdict_cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/lookup/lookup_cli.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string error;
};

class UserDictCli : public ::testing::Test {
protected:
    UserDictCli() {
        dir = ::testing::TempDir() + "wordmere_userdict_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const char* file : {"GRENG.dic", "GRENG.ind"}) {
            std::filesystem::copy_file(std::string(LOOKUP_FIXTURE_DIR) + "/" + file,
                                       dir + "/" + file);
        }
    }
    ~UserDictCli() override { std::filesystem::remove_all(dir); }

    Result Run(std::vector<std::string> args) {
        UserDictRequest request;
        request.dir = dir;
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        Result result;
        if (!ParseUserDictArguments(static_cast<int>(argv.size()), argv.data(), request,
                                    result.error)) {
            result.status = -1;
            return result;
        }
        result.status = RunUserDict(request, result.out, result.error);
        return result;
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
    EXPECT_NE(out.find("{\"headword\": \"house\", \"user\": true, \"translations\": [\"οίκος\", "
                       "\"σπίτι\"]}"),
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
}

}  // namespace
