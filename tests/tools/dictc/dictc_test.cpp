#include "tools/dictc/dictc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/code_pages.h"
#include "engine/folding.h"
#include "tests/temp_directory.h"

namespace {

typedef std::vector<std::string> Messages;

bool Parse(const std::string& text, DictionarySourceFile* source, Messages* messages,
           bool skipBad = false) {
    return ParseDictionarySource(text, "src.txt", skipBad, source, messages);
}

std::string Stored(const std::string& utf8) {
    std::string out;
    EncodeError error;
    EXPECT_TRUE(Utf8ToStored(utf8, &out, &error));
    return out;
}

struct BodyEntry {
    size_t offset;
    std::string headword;  // descrambled
    std::string folded;
};

// Descrambles a built body and splits it into entries.
std::vector<BodyEntry> ReadBody(const std::string& body, bool hasTrailer, const uint8_t* key,
                                int keyLength) {
    std::string plain = body.substr(0, hasTrailer ? body.size() - kTrailerSize : body.size());
    DescrambleWithKey(key, keyLength, &plain[0], 0, plain.size());
    std::vector<BodyEntry> entries;
    size_t at = 0;
    while (at < plain.size()) {
        size_t end = plain.find('\0', at);
        std::string entry = plain.substr(at, end - at);
        BodyEntry e;
        e.offset = at;
        e.headword = entry.substr(0, entry.find(','));
        e.folded = e.headword;
        FoldText(&e.folded[0], IsGreekText(e.headword.c_str()));
        entries.push_back(e);
        at = end + 1;
    }
    return entries;
}

// Every letter block and two-letter block is one byte range that holds exactly the entries
// with that folded start, and the records chain through the whole index.
void ExpectConsistentIndex(const std::string& index, const std::vector<BodyEntry>& entries,
                           size_t bodyLength) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(index.data());
    size_t at = 0;
    int previousLetter = -1;
    size_t covered = 0;
    while (at < index.size()) {
        ASSERT_LE(at + kIndexLetterRecordSize, index.size());
        IndexLetterRecord letter;
        DecodeLetterRecord(bytes + at, &letter);
        EXPECT_GT(letter.letter, previousLetter);
        previousLetter = letter.letter;
        for (const BodyEntry& e : entries) {
            bool inBlock = e.offset >= letter.blockOffset &&
                           e.offset < letter.blockOffset + letter.blockLength;
            EXPECT_EQ(inBlock, static_cast<unsigned char>(e.folded[0]) == letter.letter)
                << e.headword;
        }
        covered += letter.blockLength;
        ASSERT_GT(letter.next, at);
        for (size_t p = at + kIndexLetterRecordSize; p < letter.next; p += kIndexPairRecordSize) {
            IndexPairRecord pair;
            DecodePairRecord(bytes + p, &pair);
            EXPECT_EQ(pair.key & 0xFF, letter.letter);
            for (const BodyEntry& e : entries) {
                unsigned second = e.folded.size() > 1 ? static_cast<unsigned char>(e.folded[1]) : 0;
                bool inBlock =
                    e.offset >= pair.blockOffset && e.offset < pair.blockOffset + pair.blockLength;
                bool sameKey = static_cast<unsigned char>(e.folded[0]) == letter.letter &&
                               second == static_cast<unsigned>(pair.key >> 8);
                EXPECT_EQ(inBlock, sameKey) << e.headword;
            }
        }
        at = letter.next;
    }
    EXPECT_EQ(at, index.size());
    EXPECT_EQ(covered, bodyLength);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

TEST(DictcTest, HeadersFillTheTrailer) {
    DictionarySourceFile source;
    Messages messages;
    ASSERT_TRUE(
        Parse("# comment\r\n\r\n@title-en Title\r\n@key 0g9A\r\n@pairable 1\r\n"
              "@format 255\r\n@info-en one\r\n@info-en two\r\n"
              "@pair-language French@Γαλλικά\r\n@phonetic System\r\nword\titem\r\n",
              &source, &messages));
    EXPECT_EQ(source.key, "0g9A");
    EXPECT_STREQ(source.trailer.titleEnglish, "Title");
    EXPECT_EQ(source.trailer.pairable, 1);
    EXPECT_EQ(source.trailer.format, 255);
    EXPECT_STREQ(source.trailer.infoEnglish[1], "two");
    EXPECT_EQ(std::string(source.trailer.pairLanguage), "French@" + Stored("Γαλλικά"));
    EXPECT_STREQ(source.trailer.phoneticName, "System");
    ASSERT_EQ(source.entries.size(), 1u);
    EXPECT_EQ(source.entries[0].items, std::vector<std::string>{"item"});  // no '\r'
}

TEST(DictcTest, HeaderErrors) {
    std::string infos;
    for (int i = 0; i < 21; ++i) {
        infos += "@info-el γραμμή\n";
    }
    const std::pair<std::string, std::string> cases[] = {
        {"@colour blue\n", "src.txt:1: unknown header @colour"},
        {"@key 1234567890123\n", "src.txt:1: @key needs 1 to 12 characters"},
        {"@key 12h\n", "src.txt:1: @key characters must be bytes 48..103"},
        {"@pairable 2\n", "src.txt:1: @pairable must be 0 or 1"},
        {"@format 256\n", "src.txt:1: @format must be a number 0..255"},
        {"@title-en " + std::string(50, 'x') + "\n", "src.txt:1: text longer than 49 bytes"},
        {"@phonetic ΦΩΝΗΤΙΚΟ1\n", "src.txt:1: text longer than 8 bytes"},
        {infos, "src.txt:21: more than 20 @info-el lines"},
        {"@start-word a\n@start-word b\n", "src.txt:2: header @start-word given twice"},
        {"a\tb\n@title-en late\n", "src.txt:2: header line after the first entry"},
        {"@builtin\n@key 12\n", "src.txt: @builtin and @key exclude each other"},
        {"@title-el ϴ\n", "src.txt:1: character U+03F4 'ϴ' is in neither"},
    };
    for (const auto& c : cases) {
        DictionarySourceFile source;
        Messages messages;
        EXPECT_FALSE(Parse(c.first, &source, &messages, true)) << c.first;
        ASSERT_EQ(messages.size(), 1u) << c.first;
        EXPECT_EQ(messages[0].compare(0, c.second.size(), c.second), 0) << messages[0];
    }
}

TEST(DictcTest, EntryErrorsFailOrAreSkipped) {
    const std::string good = "good\tεντάξει\n";
    const std::pair<std::string, std::string> cases[] = {
        {"\titem\n", "empty headword"},
        {"a,b\titem\n", "comma in the headword"},
        {"word\tone\ttwo, three\n", "comma in translation item 2"},
        {std::string(150, 'h') + "\tx\n", "headword longer than 149 bytes"},
        {"word\t" + std::string(150, 'i') + "\n", "translation item 1 longer than 149 bytes"},
        {"word\tφ\xCF\xB4\n", "character U+03F4 'ϴ' is in neither Windows-1252 nor Windows-1253"},
        {"word\tbad\xFFutf\n", "malformed UTF-8 at byte 4"},
    };
    for (const auto& c : cases) {
        const std::string text = good + c.first + good;
        DictionarySourceFile source;
        Messages messages;
        EXPECT_FALSE(Parse(text, &source, &messages)) << c.second;
        ASSERT_EQ(messages.size(), 1u) << c.second;
        EXPECT_EQ(messages[0], "src.txt:2: " + c.second);

        DictionarySourceFile skipped;
        messages.clear();
        EXPECT_TRUE(Parse(text, &skipped, &messages, true)) << c.second;
        EXPECT_EQ(messages, Messages{"src.txt:2: " + c.second + " (line skipped)"});
        EXPECT_EQ(skipped.entries.size(), 2u);
        EXPECT_EQ(skipped.skippedLines, 1);
    }

    // An entry of 3001 bytes: 39-byte headword, 21 items of 140 bytes, 21 commas, terminator.
    std::string line = std::string(39, 'w');
    for (int i = 0; i < 21; ++i) {
        line += "\t" + std::string(140, 'x');
    }
    DictionarySourceFile source;
    Messages messages;
    EXPECT_FALSE(Parse(line + "\n", &source, &messages));
    EXPECT_EQ(messages, Messages{"src.txt:1: entry longer than 3000 bytes (3001)"});
    messages.clear();
    line.erase(0, 1);
    EXPECT_TRUE(Parse(line + "\n", &source, &messages));
}

TEST(DictcTest, EmptyItemsAreDroppedAndSpacesKept) {
    DictionarySourceFile source;
    Messages messages;
    ASSERT_TRUE(Parse("\xEF\xBB\xBFword\t\ta b\t\t\nalone\n", &source, &messages));
    ASSERT_EQ(source.entries.size(), 2u);
    EXPECT_EQ(source.entries[0].items, std::vector<std::string>{"a b"});
    EXPECT_TRUE(source.entries[1].items.empty());
    EXPECT_EQ(source.entries[1].line, 2);
}

TEST(DictcTest, BlocksAreByteRangesInFoldedOrder) {
    const std::string text =
        "@key 27182818\n"
        "ωραίος\tnice\nΆλφα\tA\nαλφάβητο\talphabet\nά\ta\nάλφα\talpha\nzebra\tζέβρα\n"
        "Été\tsummer\nete\tx\nab\ty\nA\tz\nΑΒ\tcapital\nλ\tl\nλόγος\tword\nΛΟΓΟΣ\tWORD\n"
        "a priori\tp\n";
    DictionarySourceFile source;
    Messages messages;
    ASSERT_TRUE(Parse(text, &source, &messages));
    std::string body;
    std::string index;
    ASSERT_TRUE(BuildDictionary(source, &body, &index, &messages));
    const uint8_t* key = reinterpret_cast<const uint8_t*>("27182818");
    std::vector<BodyEntry> entries = ReadBody(body, true, key, 8);
    // The entries end with the index's stamp, which no block covers.
    ASSERT_EQ(entries.size(), source.entries.size() + 1);
    char stamp[kIndexStampSize];
    MakeIndexStamp(
        IndexFingerprint(reinterpret_cast<const unsigned char*>(index.data()), index.size()),
        stamp);
    EXPECT_EQ(body.substr(body.size() - kTrailerSize - kIndexStampSize, kIndexStampSize),
              std::string(stamp, sizeof stamp));
    entries.pop_back();
    std::vector<std::string> order;
    for (const BodyEntry& e : entries) {
        order.push_back(StoredToUtf8(e.headword.c_str()));
    }
    // Stable: equal folded headwords keep their source order (Άλφα before άλφα).
    EXPECT_EQ(order, (std::vector<std::string>{"A", "a priori", "ab", "Été", "ete", "zebra", "ά",
                                               "ΑΒ", "Άλφα", "άλφα", "αλφάβητο", "λ", "λόγος",
                                               "ΛΟΓΟΣ", "ωραίος"}));
    ExpectConsistentIndex(index, entries, body.size() - kTrailerSize - kIndexStampSize);
}

TEST(DictcTest, KeysAndTrailers) {
    const std::string entries = "αβγό\tωό\nabc\tdef\n";
    struct Case {
        std::string header;
        bool trailer;
        std::string key;
    };
    uint8_t builtin[kBuiltinKeyLength];
    BuiltinKey(builtin);
    const Case cases[] = {
        {"", true, ""},
        {"@key 5\n", true, "5"},
        {"@builtin\n", false, std::string(reinterpret_cast<char*>(builtin), kBuiltinKeyLength)},
        // A built-in dictionary's About lines need a trailer to be stored in.
        {"@builtin\n@info-en Data: FreeDict\n", true,
         std::string(reinterpret_cast<char*>(builtin), kBuiltinKeyLength)},
    };
    for (const Case& c : cases) {
        DictionarySourceFile source;
        Messages messages;
        ASSERT_TRUE(Parse(c.header + entries, &source, &messages));
        std::string body;
        std::string index;
        ASSERT_TRUE(BuildDictionary(source, &body, &index, &messages));
        size_t entryBytes = Stored("αβγό,ωό").size() + 1 + strlen("abc,def") + 1 + kIndexStampSize;
        ASSERT_EQ(body.size(), entryBytes + (c.trailer ? kTrailerSize : 0)) << c.header;
        std::vector<BodyEntry> read =
            ReadBody(body, c.trailer, reinterpret_cast<const uint8_t*>(c.key.data()),
                     static_cast<int>(c.key.size()));
        ASSERT_EQ(read.size(), 3u);  // the two entries and the index stamp
        EXPECT_EQ(read[0].headword, "abc") << c.header;
        EXPECT_EQ(read[1].headword, Stored("αβγό")) << c.header;
        if (c.key.empty()) {
            EXPECT_EQ(body.substr(0, 7), "abc,def") << "not scrambled";
        }
        if (c.trailer) {
            DictionaryTrailer trailer;
            DecodeTrailer(reinterpret_cast<const unsigned char*>(body.data()) + entryBytes,
                          &trailer);
            EXPECT_EQ(trailer.magic, kTrailerMagic);
            EXPECT_EQ(trailer.keyLength, c.key.size());
            EXPECT_EQ(std::string(reinterpret_cast<char*>(trailer.key), c.key.size()), c.key);
        }
    }
}

TEST(DictcProgramTest, WritesFilesOrNothing) {
    const std::string dir = std::string(DICTC_TEST_OUT) + "/run." + std::to_string(getpid());
    ASSERT_EQ(system(("mkdir -p '" + dir + "'").c_str()), 0);
    auto run = [&](const std::string& source, const std::string& args, std::string* output) {
        std::ofstream(dir + "/src.txt", std::ios::binary) << source;
        std::string command =
            std::string(DICTC_PROGRAM) + " " + args + " > '" + dir + "/out.txt' 2>&1";
        int status = system(command.c_str());
        *output = ReadFile(dir + "/out.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string output;
    const std::string src = "'" + dir + "/src.txt'";
    const std::string base = dir + "/DICT";

    EXPECT_EQ(run("@key 12\nword\tλέξη\nwork\tδουλειά\n", src + " '" + base + "'", &output), 0);
    EXPECT_EQ(output, base + ": 2 entries, " + std::to_string(ReadFile(base + ".dic").size()) +
                          " bytes body, 23 bytes index\n");
    EXPECT_EQ(ReadFile(base + ".ind").size(), 23u);  // one letter and one pair record

    remove((base + ".dic").c_str());
    remove((base + ".ind").c_str());
    EXPECT_EQ(run("word\tλέξη\nbad\tα,β\n", src + " '" + base + "'", &output), 1);
    EXPECT_EQ(output, dir + "/src.txt:2: comma in translation item 1\n" +
                          "wordmere-dictc: nothing written\n");
    EXPECT_FALSE(Exists(base + ".dic"));
    EXPECT_FALSE(Exists(base + ".ind"));

    EXPECT_EQ(run("word\tλέξη\nbad\tα,β\n", "--skip-bad " + src + " '" + base + "'", &output), 0);
    EXPECT_NE(output.find("(line skipped)"), std::string::npos);
    EXPECT_NE(output.find("1 entries"), std::string::npos);
    EXPECT_TRUE(Exists(base + ".ind"));

    EXPECT_EQ(run("", src, &output), 2);
    EXPECT_EQ(output.compare(0, 6, "usage:"), 0);
    EXPECT_EQ(run("", "'" + dir + "/missing.txt' '" + base + "'", &output), 1);
    EXPECT_NE(output.find("missing.txt: cannot open"), std::string::npos);
    system(("rm -rf '" + dir + "'").c_str());
}

TEST(DictcProgramTest, AFailedWriteLeavesTheOldDictionaryWhole) {
    TempDirectory dir;
    std::string base = dir / "DICT";
    std::string source = dir / "src.txt";
    // Two-letter headwords without a trailer: the index is larger than the body, so a limit
    // between their sizes lets the body through and stops the index.
    std::string text = "@builtin\n";
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'x'; ++b) {
            text += std::string{a, b} + "\tx\n";
        }
    }
    std::ofstream(source) << "@key 12\nword\tλέξη\n";
    std::string compile = std::string(DICTC_PROGRAM) + " " + source + " " + base;
    ASSERT_EQ(system((compile + " >/dev/null").c_str()), 0);
    std::string oldDic = ReadFile(base + ".dic");
    std::string oldInd = ReadFile(base + ".ind");

    std::ofstream(source, std::ios::trunc) << text;
    // An ignored SIGXFSZ stays ignored in the compiler, whose write then fails with EFBIG.
    std::string limited =
        "trap '' XFSZ; ulimit -f 4; " + compile + " >/dev/null 2>" + (dir / "err");
    int status = system(("bash -c \"" + limited + "\"").c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(ReadFile(dir / "err").find("DICT.ind: write failed"), std::string::npos)
        << ReadFile(dir / "err");
    EXPECT_EQ(ReadFile(base + ".dic"), oldDic);
    EXPECT_EQ(ReadFile(base + ".ind"), oldInd);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"DICT.dic", "DICT.ind", "err", "src.txt"}));

    // Without the limit the same source replaces both files.
    ASSERT_EQ(system((compile + " >/dev/null").c_str()), 0);
    EXPECT_EQ(ReadFile(base + ".ind").size(), 26u * 13 + 26u * 24 * 10);

    // A directory is no source: an error, not an empty dictionary.
    std::filesystem::create_directory(dir / "folder");
    status = system((std::string(DICTC_PROGRAM) + " " + (dir / "folder") + " " + base +
                     " >/dev/null 2>" + (dir / "err"))
                        .c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(ReadFile(dir / "err").find("folder: is a directory"), std::string::npos);
    EXPECT_EQ(ReadFile(base + ".ind").size(), 26u * 13 + 26u * 24 * 10);
}

namespace {

// The state a compile killed between its two renames leaves: the new body over the old one, the
// old index, the new index still in its temporary file and a link to the old body.
struct HalfReplaced {
    std::string oldDic, oldInd, newDic, newInd;
};

HalfReplaced KillBetweenRenames(const TempDirectory& dir) {
    std::string base = dir / "FRENCH";
    std::vector<std::string> messages;
    std::string summary;
    HalfReplaced state;
    EXPECT_TRUE(CompileDictionaryText("@key 5\nab\tx\nabîme\tgouffre\n", "old.txt", base, false,
                                      &summary, &messages));
    state.oldDic = ReadFile(base + ".dic");
    state.oldInd = ReadFile(base + ".ind");
    EXPECT_TRUE(CompileDictionaryText("@key 5\nabysse\tabîme\nab\tx\nbas\tlow\n", "new.txt", base,
                                      false, &summary, &messages));
    state.newDic = ReadFile(base + ".dic");
    state.newInd = ReadFile(base + ".ind");
    std::ofstream(base + ".dic.old.4242", std::ios::binary) << state.oldDic;
    std::ofstream(base + ".ind", std::ios::binary) << state.oldInd;
    std::ofstream(base + ".ind.tmp.Ab12Cd", std::ios::binary) << state.newInd;
    return state;
}

DictionaryCheck CheckPair(const std::string& base) {
    DictFile* body = OpenDictFile((base + ".dic").c_str(), DictFileMode::kRead);
    DictFile* index = OpenDictFile((base + ".ind").c_str(), DictFileMode::kRead);
    DictionaryCheck check = CheckDictionaryFiles(body, index, false);
    CloseDictFile(body);
    CloseDictFile(index);
    return check;
}

}  // namespace

TEST(DictcTest, APairHalfReplacedIsToldAndTheNextCompileMendsIt) {
    struct Case {
        bool newIndexLeft;  // the new index's temporary file is still there
        const char* note;
    } cases[] = {{true, "finished the replacement"}, {false, "undid the replacement"}};
    for (const Case& c : cases) {
        TempDirectory dir;
        std::string base = dir / "FRENCH";
        HalfReplaced state = KillBetweenRenames(dir);
        if (!c.newIndexLeft) {
            std::filesystem::remove(base + ".ind.tmp.Ab12Cd");
        }
        DictionaryCheck check = CheckPair(base);
        EXPECT_EQ(check.damage, DictionaryDamage::kIndexForeign);
        EXPECT_TRUE(check.BlamesIndex());

        // Even a compile that fails on its source mends the pair first.
        std::vector<std::string> messages;
        std::string summary;
        EXPECT_FALSE(
            CompileDictionaryText("@bogus\n", "bad.txt", base, false, &summary, &messages));
        EXPECT_NE(messages.at(0).find(c.note), std::string::npos) << messages.at(0);
        EXPECT_EQ(CheckPair(base).damage, DictionaryDamage::kNone) << c.note;
        EXPECT_EQ(ReadFile(base + ".dic"), c.newIndexLeft ? state.newDic : state.oldDic);
        EXPECT_EQ(ReadFile(base + ".ind"), c.newIndexLeft ? state.newInd : state.oldInd);
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            files.push_back(entry.path().filename().string());
        }
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{"FRENCH.dic", "FRENCH.ind"})) << c.note;
    }
}
