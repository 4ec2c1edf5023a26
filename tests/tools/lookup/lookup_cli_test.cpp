#include "tools/lookup/lookup_cli.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/catalogue.h"
#include "engine/dictionary.h"
#include "tools/dictc/dictc.h"
#include "tools/lookup/tool_arguments.h"
#include "tests/temp_directory.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string error;
};

Result Lookup(const std::string& word, const std::string& dict = "GRENG",
              std::vector<std::string> flags = {}, const std::string& dir = LOOKUP_FIXTURE_DIR) {
    LookupRequest request;
    request.dir = dir;
    std::vector<std::string> args = {"--dict", dict};
    args.insert(args.end(), flags.begin(), flags.end());
    args.push_back(word);
    std::vector<const char*> argv = ArgumentPointers(args);
    std::string error;
    EXPECT_TRUE(ParseLookupArguments(static_cast<int>(argv.size()), argv.data(), request, error))
        << error;
    Result result;
    result.status = RunLookup(request, result.out, result.error);
    return result;
}

}  // namespace

TEST(LookupCli, GreekWithAndWithoutAccentsOrCapitals) {
    const char* expected =
        "{\"dictionary\": \"GRENG\", \"query\": \"λογοσ\", \"found\": true, \"guessed\": false, "
        "\"status\": \"\", "
        "\"matches\": [{\"headword\": \"λόγος\", \"reached\": \"exact\", \"translations\": "
        "[\"Account\", \"reason\", \"speech\", \"word\"]}, {\"headword\": \"Λόγος\", "
        "\"reached\": \"exact\", \"translations\": [\"Logos\"]}]}\n";
    for (const char* word : {"λόγος", "λογος", "ΛΟΓΟΣ", "  λόγος"}) {
        Result r = Lookup(word, "GRENG", {"--json"});
        EXPECT_EQ(r.status, kExitFound) << word;
        EXPECT_EQ(r.out, expected) << word;
        EXPECT_EQ(r.error, "") << word;
    }
}

TEST(LookupCli, TextOutputListsMatchesWithIndentedTranslations) {
    Result r = Lookup("hous", "greng");
    EXPECT_EQ(r.status, kExitFound);
    EXPECT_EQ(r.out, "house\n    οίκος\n    σπίτι\nhousehold\n    νοικοκυριό\n");
}

TEST(LookupCli, SearchOutcomesAndStatusLine) {
    struct Case {
        const char* word;
        std::vector<std::string> flags;
        int status;
        const char* json;
    } cases[] = {
        // The closest-word fallback shortens the query until a headword begins with it: a
        // guess, not a find.
        {"λογοκρισία",
         {},
         kExitGuessed,
         "{\"dictionary\": \"GRENG\", \"query\": \"λογοκ\", \"found\": false, \"guessed\": "
         "true, \"status\": \"\", \"matches\": [{\"headword\": \"λογοκλοπή\", \"reached\": "
         "\"closest\", \"translations\": [\"plagiarism\"]}]}\n"},
        // Without Root the same word finds nothing, and the search still "succeeds".
        {"λογοκρισία",
         {"--no-root"},
         kExitNotFound,
         "{\"dictionary\": \"GRENG\", \"query\": \"λογοκρισια\", \"found\": false, \"guessed\": "
         "false, \"status\": "
         "\"\", \"matches\": []}\n"},
        // Without Accent the bytes must match exactly: λογος is not λόγος, and the retry
        // stops at λογο. The spelling guesses go ahead of it.
        {"λογος",
         {"--no-accent"},
         kExitGuessed,
         "{\"dictionary\": \"GRENG\", \"query\": \"λογο\", \"found\": false, \"guessed\": "
         "true, \"status\": \"Did you mean: λόγος\", \"matches\": [{\"headword\": \"λόγος\", "
         "\"reached\": \"spelling\", \"translations\": [\"Account\", \"reason\", \"speech\", "
         "\"word\"]}, {\"headword\": \"Λόγος\", \"reached\": \"spelling\", \"translations\": "
         "[\"Logos\"]}, {\"headword\": \"λογοκλοπή\", \"reached\": \"closest\", "
         "\"translations\": [\"plagiarism\"]}]}\n"},
        // No index block for the first two letters.
        {"ξψ",
         {},
         kExitNotFound,
         "{\"dictionary\": \"GRENG\", \"query\": \"ξψ\", \"found\": false, \"guessed\": false, "
         "\"status\": \"Can't "
         "find the requested word\", \"matches\": []}\n"},
        // Quotes and backslashes are escaped.
        {"\"quoted\"",
         {},
         kExitFound,
         "{\"dictionary\": \"GRENG\", \"query\": \"\\\"quoted\\\"\", \"found\": true, \"guessed\": "
         "false, "
         "\"status\": \"\", \"matches\": [{\"headword\": \"\\\"quoted\\\" word\", "
         "\"reached\": \"prefix\", \"translations\": [\"back\\\\slash\"]}]}\n"},
        // An empty word is no search at all; a lone space is a one-byte query (the trim
        // leaves one byte alone) and has no block.
        {"",
         {},
         kExitNotFound,
         "{\"dictionary\": \"GRENG\", \"query\": \"\", \"found\": false, \"guessed\": false, "
         "\"status\": \"\", "
         "\"matches\": []}\n"},
        {" ",
         {},
         kExitNotFound,
         "{\"dictionary\": \"GRENG\", \"query\": \" \", \"found\": false, \"guessed\": false, "
         "\"status\": \"Can't "
         "find the requested word\", \"matches\": []}\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> flags = c.flags;
        flags.push_back("--json");
        Result r = Lookup(c.word, "GRENG", flags);
        EXPECT_EQ(r.status, c.status) << c.word;
        EXPECT_EQ(r.out, c.json) << c.word;
    }
}

TEST(LookupCli, WordsThatAreNoHeadwordsAreGuessedAndSaySo) {
    // Pasted polytonic or decomposed Greek is the monotonic word.
    for (const char* pasted : {"λ\u1F79γος", "λο\u0301γος", "λ\u1F79γοσ"}) {
        Result r = Lookup(pasted);
        EXPECT_EQ(r.status, kExitFound) << pasted;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "λόγος") << pasted;
    }
    struct Case {
        const char* word;
        std::vector<std::string> flags;
        int status;
        const char* firstLine;
        const char* message;
    } cases[] = {
        {"λώγος", {}, kExitGuessed, "λόγος  (spelling)", "Did you mean: λόγος\n"},
        {"laos", {}, kExitGuessed, "λαός  (transliteration)", "In Greek letters: λαός\n"},
        {"λόγως", {}, kExitGuessed, "λόγος  (spelling)", "Did you mean: λόγος\n"},
        // Without guesses the closest word is all there is, and is a guess too.
        {"λόγως", {"--no-guess"}, kExitGuessed, "λογικός  (closest)", ""},
        {"όρεξη", {}, kExitFound, "όρεξη", ""},
        {"xyzzy", {}, kExitNotFound, "", "Can't find the requested word\n"},
    };
    for (const Case& c : cases) {
        Result r = Lookup(c.word, "GRENG", c.flags);
        EXPECT_EQ(r.status, c.status) << c.word;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.firstLine) << c.word;
        EXPECT_EQ(r.error, c.message) << c.word;
    }
    // The phrases that hold a word follow it when asked for.
    EXPECT_EQ(Lookup("ορεξη", "GRENG", {"--phrases"}).out,
              "όρεξη\n    appetite\nκαλή όρεξη  (phrase)\n    enjoy your meal\n");
}

TEST(LookupCli, WordsFromAFileGiveAJsonLineEach) {
    TempDirectory dir;
    std::string list = dir.Path() + "/words.txt";
    std::ofstream(list) << "λόγος\r\nλώγος\nξψ\n\xFF\n";
    LookupRequest request;
    request.dir = LOOKUP_FIXTURE_DIR;
    std::vector<std::string> args = {"--words-from", list};
    std::vector<const char*> argv = ArgumentPointers(args);
    std::string error;
    ASSERT_TRUE(ParseLookupArguments(static_cast<int>(argv.size()), argv.data(), request, error));
    std::string out;
    EXPECT_EQ(RunLookup(request, out, error), kExitFound);
    std::vector<std::string> lines;
    for (size_t at = 0; at < out.size();) {
        size_t end = out.find('\n', at);
        lines.push_back(out.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 4u) << out;
    EXPECT_NE(lines[0].find("\"reached\": \"exact\""), std::string::npos);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 10), "\"exit\": 0}");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 10), "\"exit\": 3}");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 10), "\"exit\": 1}");
    // A line that is no UTF-8 is an error of its own; the others still count.
    EXPECT_NE(lines[3].find("\"error\""), std::string::npos);
    EXPECT_EQ(lines[3].substr(lines[3].size() - 10), "\"exit\": 2}");
    args = {"--words-from", list, "λόγος"};
    argv = ArgumentPointers(args);
    EXPECT_FALSE(ParseLookupArguments(static_cast<int>(argv.size()), argv.data(), request, error));
}

TEST(LookupCli, ReadsADictionaryWithItsOwnKeyAndTrailer) {
    Result r = Lookup("ete", "FRENCH");
    EXPECT_EQ(r.status, kExitFound);
    EXPECT_EQ(r.out, "été\n    καλοκαίρι\n");
    EXPECT_EQ(Lookup("καλημερα", "FRENCH").out, "καλημέρα\n    bonjour\n");
    // A lone accented Latin letter is Latin, though its byte alone would read as Greek (à is
    // ΰ's byte, and a Greek search would list ύπνος).
    EXPECT_EQ(Lookup("à", "FRENCH").out, "à\n    σε\n");
    EXPECT_EQ(Lookup("À", "FRENCH", {"--json"}).out,
              "{\"dictionary\": \"FRENCH\", \"query\": \"a\", \"found\": true, \"guessed\": false, "
              "\"status\": \"\", "
              "\"matches\": [{\"headword\": \"à\", \"reached\": \"exact\", \"translations\": "
              "[\"σε\"]}]}\n");
    EXPECT_EQ(Lookup("ΰ", "FRENCH").out, "ύπνος\n    sommeil\n");
    // A letter outside the code pages gets the importer's stand-in: ē as e.
    EXPECT_EQ(Lookup("ēté", "FRENCH").out, "été\n    καλοκαίρι\n");
}

namespace {

// The index with its first letter record's block moved.
std::string WithFirstBlockAt(std::string index, uint32_t offset) {
    IndexLetterRecord letter;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&index[0]);
    DecodeLetterRecord(bytes, &letter);
    letter.blockOffset = offset;
    EncodeLetterRecord(letter, bytes);
    return index;
}

}  // namespace

TEST(LookupCli, ErrorsNameTheFileAndTheProblem) {
    Result missing = Lookup("x", "NOPE");
    EXPECT_EQ(missing.status, kExitError);
    EXPECT_EQ(missing.error, "wordmere-lookup: " LOOKUP_FIXTURE_DIR
                             "/NOPE.dic: missing dictionary file (cannot open it)\n");

    // A further dictionary whose body has no valid trailer.
    TempDirectory dir;
    std::ofstream(dir / "BROKEN.dic", std::ios::binary) << std::string(4000, 'x');
    std::ofstream(dir / "BROKEN.ind", std::ios::binary) << "";
    Result broken = Lookup("x", "BROKEN", {}, dir.Path());
    EXPECT_EQ(broken.status, kExitError);
    EXPECT_EQ(broken.error, "wordmere-lookup: " + (dir / "BROKEN.dic") +
                                ": damaged dictionary (its trailer is missing or invalid)\n");

    // Index and body cut short.
    std::string fixture = LOOKUP_FIXTURE_DIR;
    std::ifstream dicIn(fixture + "/GRENG.dic", std::ios::binary);
    std::ifstream indIn(fixture + "/GRENG.ind", std::ios::binary);
    std::string dic((std::istreambuf_iterator<char>(dicIn)), std::istreambuf_iterator<char>());
    std::string ind((std::istreambuf_iterator<char>(indIn)), std::istreambuf_iterator<char>());
    ASSERT_GT(ind.size(), 20u);
    struct Damage {
        std::string dic, ind, message;
    } damages[] = {
        {dic, ind.substr(0, 20), "/GRENG.ind: damaged index (the letter records do not chain up)"},
        {dic, ind.substr(0, 5), "/GRENG.ind: damaged index (a letter record is cut short)"},
        // An index that holds together but reaches past the body: the body was cut.
        {dic.substr(0, 10), ind,
         "/GRENG.dic: damaged dictionary (cut short: the index reaches past its end)"},
        {"", ind, "/GRENG.dic: empty dictionary file"},
        {dic, "", "/GRENG.ind: damaged index (it is empty)"},
        {dic, ind + std::string(kMaxIndexSize, '\0'),
         "/GRENG.ind: damaged index (larger than any index can be)"},
        {dic, WithFirstBlockAt(ind, 0xFFFFFFFF),
         "/GRENG.ind: damaged index (a block lies outside the body)"},
    };
    for (const Damage& d : damages) {
        std::ofstream(dir / "GRENG.dic", std::ios::binary) << d.dic;
        std::ofstream(dir / "GRENG.ind", std::ios::binary) << d.ind;
        Result r = Lookup("λόγος", "GRENG", {}, dir.Path());
        EXPECT_EQ(r.status, kExitError) << d.message;
        EXPECT_EQ(r.error, "wordmere-lookup: " + dir.Path() + d.message + "\n");
    }

    Result unstorable = Lookup("λメ");
    EXPECT_EQ(unstorable.status, kExitError);
    EXPECT_EQ(unstorable.error,
              "wordmere-lookup: the word holds U+30E1, a character no dictionary can hold "
              "(outside Windows-1252 and Windows-1253)\n");
    EXPECT_EQ(Lookup("\xCE").error, "wordmere-lookup: the word holds bytes that are not UTF-8\n");
}

TEST(LookupCli, ParsesArguments) {
    struct Case {
        std::vector<const char*> args;
        bool ok;
    } cases[] = {
        {{"--dir", "/d", "--dict", "french", "--no-accent", "--no-root", "--json", "mot"}, true},
        {{"--", "--not-an-option"}, true},
        {{"-ing"}, true},  // a suffix is a word, not an option
        {{}, false},
        {{"one", "two"}, false},
        {{"--bogus", "x"}, false},
        {{"x", "--dict"}, false},
        {{"--dict", "../etc", "x"}, false},
        {{"--dict", "TWENTYCHARACTERSLONG", "x"}, false},
    };
    for (const Case& c : cases) {
        LookupRequest request;
        std::string error;
        EXPECT_EQ(
            ParseLookupArguments(static_cast<int>(c.args.size()), c.args.data(), request, error),
            c.ok)
            << (c.args.empty() ? "(none)" : c.args[0]);
    }
    LookupRequest request;
    std::string error;
    const char* args[] = {"--dir", "/d", "--dict", "french", "--no-accent", "--json", "mot"};
    ASSERT_TRUE(ParseLookupArguments(7, args, request, error));
    EXPECT_EQ(request.dir, "/d");
    EXPECT_EQ(request.dictionary, "FRENCH");
    EXPECT_FALSE(request.accent);
    EXPECT_TRUE(request.root);
    EXPECT_TRUE(request.json);
    EXPECT_EQ(request.word, "mot");
}

namespace {

Result RunArgs(std::vector<std::string> args, const std::string& dir = LOOKUP_FIXTURE_DIR) {
    LookupRequest request;
    request.dir = dir;
    std::vector<const char*> argv = ArgumentPointers(args);
    Result result;
    if (!ParseLookupArguments(static_cast<int>(argv.size()), argv.data(), request, result.error)) {
        result.status = -1;
        return result;
    }
    result.status = RunLookup(request, result.out, result.error);
    return result;
}

}  // namespace

TEST(LookupCli, ListsTheCatalogueSortedAsTheDictionaryList) {
    Result english = RunArgs({"--list"});
    EXPECT_EQ(english.status, kExitFound);
    EXPECT_EQ(english.out,
              "English-->French Dictionary\nEnglish-->Italian Dictionary\n"
              "French-->English Dictionary\nFrench-->Italian Dictionary\n"
              "Greek-English dictionary\nGreek-French dictionary\nGreek-Italian dictionary\n"
              "Italian-->English Dictionary\nItalian-->French Dictionary\n");
    Result greek = RunArgs({"--greek", "--list"});
    EXPECT_EQ(greek.status, kExitFound);
    for (const char* line : {"Αγγλικά-->Γαλλικά Λεξικό\n", "Γαλλικά-->Ιταλικά Λεξικό\n",
                             "Ελληνογαλλικό λεξικό\n", "Ελληνοϊταλικό λεξικό\n"}) {
        EXPECT_NE(greek.out.find(line), std::string::npos) << line;
    }

    TempDirectory empty;
    Result none = RunArgs({"--list"}, empty.Path());
    EXPECT_EQ(none.status, kExitError);
    EXPECT_EQ(none.error, "wordmere-lookup: " + empty.Path() + ": no usable dictionary\n");
}

TEST(LookupCli, TranslatesThroughALanguagePair) {
    Result r = RunArgs({"--pair", "french:italian", "--json", "bonjour"});
    EXPECT_EQ(r.status, kExitFound);
    EXPECT_EQ(r.out,
              "{\"dictionary\": \"FRENCH:ITALIAN\", \"query\": \"bonjour\", \"found\": true, "
              "\"guessed\": false, "
              "\"status\": \"\", \"matches\": [{\"headword\": \"bonjour\", \"reached\": "
              "\"exact\", \"translations\": [\"buongiorno\"]}]}\n");  // salve does not lead back to
                                                                      // καλημέρα
    EXPECT_EQ(RunArgs({"--pair", "ITALIAN:FRENCH", "buongiorno"}).out, "buongiorno\n    bonjour\n");
    // Through pivots whose first letter is accented (ώρα) and back through a French word
    // whose first letter is (été): each half must fold by the right script.
    EXPECT_EQ(RunArgs({"--pair", "ITALIAN:FRENCH", "estate"}).out, "estate\n    été\n");
    EXPECT_EQ(RunArgs({"--pair", "ITALIAN:FRENCH", "ora"}).out, "ora\n    heure\n");
    EXPECT_EQ(RunArgs({"--pair", "FRENCH:ITALIAN", "heure"}).out, "heure\n    ora\n");
    EXPECT_EQ(RunArgs({"--pair", "ITALIAN:FRENCH", "bonjour"}).status, kExitNotFound);

    Result missing = RunArgs({"--pair", "FRENCH:NOPE", "bonjour"});
    EXPECT_EQ(missing.status, kExitError);
    EXPECT_EQ(missing.error, "wordmere-lookup: " LOOKUP_FIXTURE_DIR
                             "/NOPE.dic: missing dictionary file (cannot open it)\n");
    for (std::vector<std::string> args : {std::vector<std::string>{"--pair", "FRENCH:FRENCH", "x"},
                                          {"--pair", "FRENCH", "x"},
                                          {"--pair", "FRENCH:ITALIAN", "--dict", "GRENG", "x"},
                                          {"--list", "x"},
                                          {"--list", "--pair", "FRENCH:ITALIAN"}}) {
        EXPECT_EQ(RunArgs(args).status, -1) << args[0] << " " << args[1];
    }
}

namespace {

// Runs a built tool with the shell and collects what it prints; `stdoutTo` replaces the
// redirection of its standard output (">/dev/full", ">&-").
Result RunProgram(const std::string& command, const std::string& stdoutTo = "") {
    TempDirectory io;
    std::string out = io / "out", err = io / "err";
    std::string line =
        "cd / && " + command + " " + (stdoutTo.empty() ? ">" + out : stdoutTo) + " 2>" + err;
    int raw = std::system(line.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream o(out, std::ios::binary), e(err, std::ios::binary);
    result.out.assign(std::istreambuf_iterator<char>(o), std::istreambuf_iterator<char>());
    result.error.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
    return result;
}

void CopyFixture(const std::string& base, const std::string& to) {
    for (const char* ext : {".dic", ".ind"}) {
        std::filesystem::copy_file(std::string(LOOKUP_FIXTURE_DIR) + "/" + base + ext,
                                   to + "/" + base + ext);
    }
}

}  // namespace

TEST(LookupTools, AnswerHelpOnStandardOutput) {
    for (const char* program : {LOOKUP_PROGRAM, USERDICT_PROGRAM}) {
        Result help = RunProgram(std::string(program) + " --help");
        EXPECT_EQ(help.status, 0) << program;
        EXPECT_EQ(help.out.compare(0, 7, "usage: "), 0) << help.out;
        EXPECT_EQ(help.error, "");
        // Misuse names the tool and the problem before the usage, on standard error.
        Result misuse = RunProgram(program);
        EXPECT_EQ(misuse.status, kExitError) << program;
        EXPECT_EQ(misuse.out, "");
        std::string name = std::filesystem::path(program).filename().string();
        EXPECT_EQ(misuse.error.compare(0, name.size() + 2, name + ": "), 0) << misuse.error;
        EXPECT_NE(misuse.error.find("\nusage: " + name), std::string::npos) << misuse.error;
    }
    // After "--" it is a word like any other.
    EXPECT_EQ(RunProgram(std::string(LOOKUP_PROGRAM) + " --dir / -- --help").status, kExitError);
}

TEST(LookupTools, FindTheirDictionariesFromWhereTheyAreInstalled) {
    // A copied build tree: the tools in build/native/bin, the dictionaries in build/dist.
    TempDirectory tree;
    std::string bin = tree / "build/native/bin", dist = tree / "build/dist";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(dist);
    CopyFixture("GRENG", dist);
    std::filesystem::copy_file(LOOKUP_PROGRAM, bin + "/wordmere-lookup");
    std::filesystem::copy_file(USERDICT_PROGRAM, bin + "/wordmere-userdict");
    Result found = RunProgram(bin + "/wordmere-lookup house");
    EXPECT_EQ(found.status, kExitFound) << found.error;
    EXPECT_EQ(found.out, "house\n    οίκος\n    σπίτι\nhousehold\n    νοικοκυριό\n");
    Result added = RunProgram(bin + "/wordmere-userdict add ωραίο nice");
    EXPECT_EQ(added.status, kExitFound) << added.error;
    EXPECT_TRUE(std::filesystem::exists(dist + "/GRENG.usr"));
    EXPECT_FALSE(std::filesystem::exists(std::string(LOOKUP_FIXTURE_DIR) + "/GRENG.usr"));

    // Installed beside the dictionaries (the program directory), the tool uses its own folder.
    TempDirectory program;
    CopyFixture("GRENG", program.Path());
    std::filesystem::copy_file(LOOKUP_PROGRAM, program / "wordmere-lookup");
    EXPECT_EQ(RunProgram(program / "wordmere-lookup house").status, kExitFound);

    // Nothing there: the error names the folder it looked in.
    TempDirectory bare;
    std::filesystem::create_directories(bare / "x/bin");
    std::filesystem::copy_file(LOOKUP_PROGRAM, bare / "x/bin/wordmere-lookup");
    Result missing = RunProgram(bare / "x/bin/wordmere-lookup house");
    EXPECT_EQ(missing.status, kExitError);
    EXPECT_EQ(missing.error.compare(0, 17 + bare.Path().size() + 17,
                                    "wordmere-lookup: " + bare.Path() + "/dist/GRENG.dic: "),
              0)
        << missing.error;
}

TEST(LookupCli, OnlyRegularFilesAreOpenedAndNothingHangs) {
    TempDirectory dir;
    for (const char* base : {"GRENG", "FRENCH", "ITALIAN"}) {
        CopyFixture(base, dir.Path());
    }
    // A FIFO named like a dictionary would block whoever opens it: it is left out, as an
    // unusable dictionary is, and a directory too.
    ASSERT_EQ(mkfifo((dir / "STRAY.dic").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "FOLDER.dic");
    Result list = RunArgs({"--list"}, dir.Path());
    EXPECT_EQ(list.status, kExitFound);
    EXPECT_EQ(list.out, RunArgs({"--list"}).out);
    EXPECT_EQ(RunArgs({"--pair", "FRENCH:ITALIAN", "bonjour"}, dir.Path()).out,
              "bonjour\n    buongiorno\n");
    EXPECT_EQ(
        Lookup("x", "STRAY", {}, dir.Path()).error,
        "wordmere-lookup: " + (dir / "STRAY.dic") + ": cannot open it (not a regular file)\n");

    // An index that is a directory, or far too large, ends in a message at once.
    std::filesystem::remove(dir / "GRENG.ind");
    std::filesystem::create_directory(dir / "GRENG.ind");
    Result folder = Lookup("ab", "GRENG", {}, dir.Path());
    EXPECT_EQ(folder.status, kExitError);
    EXPECT_EQ(folder.error, "wordmere-lookup: " + (dir / "GRENG.ind") +
                                ": cannot open it (not a regular file)\n");
    std::filesystem::remove(dir / "GRENG.ind");
    std::filesystem::copy_file(std::string(LOOKUP_FIXTURE_DIR) + "/GRENG.ind", dir / "GRENG.ind");
    std::filesystem::resize_file(dir / "GRENG.ind", uint64_t(2) << 30);  // sparse: no disk used
    Result huge = Lookup("ab", "GRENG", {}, dir.Path());
    EXPECT_EQ(huge.error, "wordmere-lookup: " + (dir / "GRENG.ind") +
                              ": damaged index (larger than any index can be)\n");

    // A user dictionary that is not a file is named, not read as a damaged dictionary.
    std::filesystem::create_directory(dir / "FRENCH.usr");
    Result user = Lookup("bonjour", "FRENCH", {"--user"}, dir.Path());
    EXPECT_EQ(user.status, kExitError);
    EXPECT_EQ(user.error, "wordmere-lookup: " + (dir / "FRENCH.usr") +
                              ": cannot open it (not a regular file)\n");
}

TEST(LookupCli, OneDirectoryLengthLimitForTheListAndLookups) {
    std::string longest(kCataloguePathSize - 1, 'd');
    std::string tooLong(kCataloguePathSize, 'd');
    for (std::vector<std::string> args : {std::vector<std::string>{"--list"}, {"word"}}) {
        EXPECT_EQ(RunArgs(args, "/" + longest.substr(1)).error.find("too long"), std::string::npos)
            << args[0];
        Result r = RunArgs(args, "/" + tooLong.substr(1));
        EXPECT_EQ(r.status, kExitError) << args[0];
        EXPECT_EQ(r.error, "wordmere-lookup: /" + tooLong.substr(1) + ": directory name too long\n")
            << args[0];
    }
}

TEST(LookupTools, OutputThatCannotBeWrittenIsAnError) {
    std::string lookup = std::string(LOOKUP_PROGRAM) + " --dir " LOOKUP_FIXTURE_DIR " house";
    Result full = RunProgram(lookup, ">/dev/full");
    EXPECT_EQ(full.status, kExitError);
    EXPECT_EQ(full.error,
              "wordmere-lookup: standard output: write error (No space left on device)\n");
    Result closed = RunProgram(lookup, ">&-");
    EXPECT_EQ(closed.status, kExitError);
    EXPECT_EQ(closed.error,
              "wordmere-lookup: standard output: write error (Bad file descriptor)\n");
    EXPECT_EQ(RunProgram(std::string(LOOKUP_PROGRAM) + " --help", ">/dev/full").status, kExitError);
    EXPECT_EQ(RunProgram(lookup, ">/dev/null").status, kExitFound);
}

TEST(LookupCli, ControlBytesOfDictionaryTextNeverReachTheTerminalRaw) {
    TempDirectory dir;
    std::string summary;
    std::vector<std::string> messages;
    ASSERT_TRUE(
        CompileDictionaryText("@key 12\nred\x1B[31m\tκόκκινο\x07\tline\x08"
                              "break\n",
                              "source", dir / "ESC", false, &summary, &messages))
        << (messages.empty() ? "" : messages[0]);
    Result text = Lookup("red", "ESC", {}, dir.Path());
    EXPECT_EQ(text.status, kExitFound);
    EXPECT_EQ(text.out, "red\\x1B[31m\n    line\\x08break\n    κόκκινο\\x07\n");
    Result json = Lookup("red", "ESC", {"--json"}, dir.Path());
    EXPECT_NE(json.out.find("\"red\\u001b[31m\""), std::string::npos) << json.out;
}

TEST(LookupTools, RunningOutOfFileHandlesIsNamedAsSuch) {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the sanitizers' runtime needs descriptors of its own";
#endif
#endif
    // Room for the body only: the index cannot be opened, and that is not a damaged file.
    Result r = RunProgram("bash -c 'exec 3>&-; ulimit -n 4; exec " + std::string(LOOKUP_PROGRAM) +
                          " --dir " LOOKUP_FIXTURE_DIR " house'");
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.error, "wordmere-lookup: " LOOKUP_FIXTURE_DIR
                       "/GRENG.ind: cannot open it (too many open "
                       "files)\n");
}
