#include "engine/dictionary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "tests/engine/engine_fixture.h"

namespace {

std::string AllBytes() {
    std::string text;
    for (int b = 1; b < 256; ++b) {
        text += static_cast<char>(b);
    }
    return text;
}

void Scramble(const std::string& key, std::string* text, uint64_t offset) {
    ScrambleWithKey(reinterpret_cast<const uint8_t*>(key.data()), static_cast<int>(key.size()),
                    &(*text)[0], offset, text->size());
}

void Unscramble(const std::string& key, std::string* text, uint64_t offset) {
    DescrambleWithKey(reinterpret_cast<const uint8_t*>(key.data()), static_cast<int>(key.size()),
                      &(*text)[0], offset, text->size());
}

// A body of one-letter entries "a...a,x\0" of the given total sizes.
std::string EntriesOfSizes(const std::vector<size_t>& sizes) {
    std::string body;
    for (size_t size : sizes) {
        body += std::string(size - 3, 'a') + ",x" + std::string(1, '\0');
    }
    return body;
}

class CountingSink : public DiskErrorSink {
public:
    void ShowDiskError() override { ++errors; }
    int errors = 0;
};

}  // namespace

TEST(DescrambleTest, RoundTripAtArbitraryOffsets) {
    const std::string keys[] = {"9", "27182818", "0123456789ab", "gggggggggggg", "000000"};
    const uint64_t offsets[] = {0, 1, 5, 11, 12, 13, 1000003, 0x7FFFFFF0};
    for (const std::string& key : keys) {
        for (uint64_t offset : offsets) {
            std::string text = AllBytes();
            Scramble(key, &text, offset);
            if (key != "000000") {
                EXPECT_NE(text, AllBytes()) << key;
            }
            Unscramble(key, &text, offset);
            EXPECT_EQ(text, AllBytes()) << "key " << key << " offset " << offset;
        }
    }
}

TEST(DescrambleTest, PiecesAtTheirOwnOffsetsMatchTheWholeEntry) {
    const std::string key = "27182818";
    const std::string entry = Stored("βιβλιοθήκη,library,book case,") + std::string(1, '\0');
    const uint64_t entryOffset = 4097;
    std::string whole = entry;
    Scramble(key, &whole, entryOffset);
    std::string scrambled = whole;
    Unscramble(key, &whole, entryOffset);
    EXPECT_EQ(whole, entry);

    // Headword and items one at a time, each at its own file offset.
    std::string pieces = scrambled;
    size_t start = 0;
    for (size_t i = 0; i <= pieces.size(); ++i) {
        if (i == pieces.size() || pieces[i] == ',' || pieces[i] == '\0') {
            DescrambleWithKey(reinterpret_cast<const uint8_t*>(key.data()), 8, &pieces[start],
                              entryOffset + start, i - start);
            start = i + 1;
        }
    }
    EXPECT_EQ(pieces, entry);
}

TEST(DescrambleTest, SeparatorsAndZeroKeysAreLeftAlone) {
    const std::string kept = std::string(",- .\0\x01/\xFF", 8);
    for (const std::string& key : {std::string("9"), std::string("gggg")}) {
        std::string text = kept;
        Unscramble(key, &text, 3);
        EXPECT_EQ(text, kept);
    }
    std::string text = AllBytes();
    Unscramble(std::string(3, '\0'), &text, 7);
    EXPECT_EQ(text, AllBytes());
    Unscramble("", &text, 7);  // key length 0: not scrambled
    EXPECT_EQ(text, AllBytes());
}

TEST(DescrambleTest, RulesForEveryKeyByteRange) {
    struct Case {
        uint8_t key;
        unsigned char in;
        unsigned char out;
    };
    const Case cases[] = {
        {10, 250, 240},                   // c >= 255 - k
        {10, 100, 90},                    // c > k + 47
        {10, 50, 247},                    // wraps around: c - k + 207
        {48, 48, 207},                    // digit key, lowest value
        {48, 254, 206}, {200, 100, 156},  // large key byte: c - k modulo 256
        {200, 54, 61},
    };
    for (const Case& c : cases) {
        char byte = static_cast<char>(c.in);
        DescrambleWithKey(&c.key, 1, &byte, 0, 1);
        EXPECT_EQ(static_cast<unsigned char>(byte), c.out)
            << "key " << int(c.key) << " byte " << int(c.in);
    }
}

TEST(ReadBlockChunkTest, ScanBlockReadsEveryEntryOnceAcrossChunkEnds) {
    struct Case {
        const char* name;
        std::vector<size_t> entries;
        uint32_t blockLength;
    };
    const Case cases[] = {
        // Exactly 27720 bytes ending on a terminator: one chunk, nothing left.
        {"exact", {27000, 720}, 27720},
        // The 27720th byte lies in the last entry: one chunk of 27721 bytes.
        {"one over", {27000, 721}, 27721},
        // The chunk is extended to its entry's end; the rest comes as a second chunk.
        {"two chunks", {27710, 100, 50}, 27860},
        // Many chunks, entries of every size around the chunk end.
        {"many", std::vector<size_t>(400, 211), 400 * 211},
        // The block is shorter than a chunk.
        {"short", {10, 20}, 30},
    };
    for (const Case& c : cases) {
        // Behind the block: an entry the scan must not reach.
        std::string body = EntriesOfSizes(c.entries) + "aa,tail" + std::string(1, '\0');
        std::unique_ptr<Engine> engine(new Engine);
        engine->mainBody = OpenMemoryDictFile(body.data(), body.size());
        PlainLookupView view;
        view.words.SetCapacity(1000);
        SearchOptions options;
        BlockRange block;
        block.length = c.blockLength;
        EXPECT_EQ(ScanBlock(*engine, view, options, block, "a"), static_cast<int>(c.entries.size()))
            << c.name;
        // Each listed word points at its own translation: the running offset stays right
        // from one chunk to the next.
        ASSERT_EQ(view.words.Count(), static_cast<int>(c.entries.size())) << c.name;
        uint64_t entry = 0;
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(view.words.ItemData(static_cast<int>(i)), entry + c.entries[i] - 2)
                << c.name << " entry " << i;
            entry += c.entries[i];
        }
        EXPECT_EQ(view.diskErrors, 0) << c.name;
        CloseDictionaryFiles(*engine);
    }
}

TEST(ReadBlockChunkTest, DamagedEntriesStayInsideTheBuffer) {
    std::vector<char> buffer(kEngineBufferSize);  // exact size: ASan sees any overrun
    CountingSink sink;

    // No terminator at the end of the file: one is appended.
    std::string unterminated = "ab,cd";
    DictFile* file = OpenMemoryDictFile(unterminated.data(), unterminated.size());
    EXPECT_EQ(ReadBlockChunk(&sink, file, buffer.data(), 100), 6u);
    EXPECT_EQ(std::string(buffer.data()), "ab,cd");
    CloseDictFile(file);

    // An entry far longer than 3000 bytes is cut at the end of the buffer.
    std::string huge(50000, 'q');
    file = OpenMemoryDictFile(huge.data(), huge.size());
    uint32_t n = ReadBlockChunk(&sink, file, buffer.data(), 50000);
    EXPECT_EQ(n, kEngineBufferSize);
    EXPECT_EQ(buffer[n - 1], '\0');
    CloseDictFile(file);

    // A block that starts past the end of the file reads nothing.
    file = OpenMemoryDictFile(unterminated.data(), unterminated.size());
    SeekDictFile(file, 1000);
    EXPECT_EQ(ReadBlockChunk(&sink, file, buffer.data(), 100), 0u);
    CloseDictFile(file);
    EXPECT_EQ(sink.errors, 0);
}

TEST(GuardedReadTest, ReadErrorsShowTheDiskErrorAndReadAsNothing) {
    std::string data(100, 'x');
    DictFile* file = OpenMemoryDictFile(data.data(), data.size(), 50);
    CountingSink sink;
    char buffer[100];
    EXPECT_EQ(GuardedRead(&sink, file, buffer, 40), 40u);
    EXPECT_EQ(sink.errors, 0);
    EXPECT_EQ(GuardedRead(&sink, file, buffer, 40), 0u);
    EXPECT_EQ(sink.errors, 1);
    CloseDictFile(file);

    EXPECT_EQ(GuardedRead(&sink, nullptr, buffer, 10), 0u);  // a file that never opened
    EXPECT_EQ(sink.errors, 2);
    EXPECT_STREQ(kDiskErrorCaption, "Disk I/0 Error !!!");
    EXPECT_STREQ(kDiskErrorText,
                 "System can't read from disk. if you are using a CD Installation don't remove "
                 "the CD from drive");
}

TEST(TrailerTest, CompiledTrailerReadsBack) {
    auto dict = OpenFixture("greek_english");
    ASSERT_TRUE(dict->trailerValid);
    const DictionaryTrailer& t = dict->engine->trailer;
    EXPECT_EQ(t.magic, kTrailerMagic);
    EXPECT_STREQ(t.titleEnglish, "Greek-English sample");
    EXPECT_EQ(Utf8(t.titleGreek), "Ελληνοαγγλικό δείγμα");
    EXPECT_STREQ(t.descriptorEnglish, "Greek.2@English.1");
    EXPECT_EQ(std::string(t.pairLanguage), "English@" + Stored("Αγγλικά"));
    EXPECT_EQ(t.pairable, 1);
    EXPECT_EQ(t.format, 3);
    EXPECT_EQ(Utf8(t.startWord), "αβγό");
    EXPECT_STREQ(t.phoneticName, "System");
    EXPECT_STREQ(t.infoEnglish[0], "A small dictionary for tests.");
    EXPECT_STREQ(t.infoEnglish[1], "");
    EXPECT_EQ(t.keyLength, 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.key), 8), "27182818");
    // The trailer's magic sits 3494 bytes before the end, as AC 87 90 00.
    EXPECT_EQ(dict->body.substr(dict->body.size() - kTrailerSize, 4),
              std::string("\xAC\x87\x90\x00", 4));
}

TEST(TrailerTest, DamagedTrailersAreInvalid) {
    std::string body;
    std::string index;
    CompileFixture("greek_english", &body, &index);
    const size_t trailerAt = body.size() - kTrailerSize;
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string badMagic = body;
    badMagic[trailerAt] = '\xAD';
    std::string longKey = body;
    longKey[trailerAt + offsetof(DictionaryTrailer, keyLength)] = 13;
    const Case cases[] = {
        {"magic", badMagic},
        {"key length 13", longKey},
        {"shorter than a trailer", body.substr(body.size() - kTrailerSize + 1)},
        {"empty", ""},
    };
    CountingSink sink;
    for (const Case& c : cases) {
        DictFile* file = OpenMemoryDictFile(c.bytes.data(), c.bytes.size());
        DictionaryTrailer trailer;
        EXPECT_FALSE(ReadTrailer(&sink, file, &trailer)) << c.name;
        CloseDictFile(file);
    }
    EXPECT_EQ(sink.errors, 0);
}

TEST(TrailerTest, UnterminatedTextFieldsAreCut) {
    DictionaryTrailer source{};
    source.magic = kTrailerMagic;
    memset(source.titleEnglish, 'x', sizeof source.titleEnglish);
    memset(source.startWord, 'y', sizeof source.startWord);
    memset(source.infoGreek, 'z', sizeof source.infoGreek);
    std::string bytes(kTrailerSize, '\0');
    EncodeTrailer(source, reinterpret_cast<unsigned char*>(&bytes[0]));
    DictFile* file = OpenMemoryDictFile(bytes.data(), bytes.size());
    DictionaryTrailer trailer;
    ASSERT_TRUE(ReadTrailer(nullptr, file, &trailer));
    EXPECT_EQ(strlen(trailer.titleEnglish), 49u);
    EXPECT_EQ(strlen(trailer.startWord), 39u);
    EXPECT_EQ(strlen(trailer.infoGreek[19]), 69u);
    CloseDictFile(file);
}

TEST(BuiltinTest, KeyAndTrailers) {
    uint8_t key[kBuiltinKeyLength];
    BuiltinKey(key);
    for (uint8_t b : key) {
        EXPECT_TRUE(b >= '0' && b <= '9');
    }

    DictionaryTrailer greng;
    FillBuiltinTrailer(BuiltinDictionary::kGreekEnglish, DefaultInterfaceTexts(), &greng);
    EXPECT_EQ(greng.magic, kTrailerMagic);
    EXPECT_STREQ(greng.titleEnglish, "Greek-English dictionary");
    EXPECT_STREQ(greng.phoneticName, "PHONET");
    EXPECT_STREQ(greng.startWord, "ab");
    EXPECT_STREQ(greng.descriptorEnglish, "English.1@Greek.2");
    EXPECT_EQ(Utf8(greng.descriptorGreek), "Αγγλικά.1@Ελληνικά.2");
    EXPECT_EQ(greng.format, 2);
    EXPECT_EQ(greng.keyLength, kBuiltinKeyLength);
    EXPECT_EQ(memcmp(greng.key, key, kBuiltinKeyLength), 0);
    EXPECT_STRNE(greng.infoEnglish[0], "");
    EXPECT_STREQ(greng.infoEnglish[1], "");

    DictionaryTrailer thess;
    FillBuiltinTrailer(BuiltinDictionary::kThesaurus, DefaultInterfaceTexts(), &thess);
    EXPECT_STREQ(thess.titleEnglish, "Thesaurus of Greek language");
    EXPECT_STREQ(thess.phoneticName, "");
    EXPECT_STREQ(thess.startWord, "\xE1\xE2");
    EXPECT_STREQ(thess.descriptorEnglish, "Greek.2");
    EXPECT_EQ(Utf8(thess.descriptorGreek), "Ελληνικό.2");

    BuiltinDictionary which;
    EXPECT_TRUE(FindBuiltinDictionary("greng", &which));
    EXPECT_EQ(which, BuiltinDictionary::kGreekEnglish);
    EXPECT_TRUE(FindBuiltinDictionary("Thess", &which));
    EXPECT_EQ(which, BuiltinDictionary::kThesaurus);
    EXPECT_FALSE(FindBuiltinDictionary("PHONET", &which));
    EXPECT_FALSE(FindBuiltinDictionary("GRENGX", &which));
}

TEST(OpenDictionaryTest, OpensCompiledFilesFromDisk) {
    std::string dir = std::string(WORDMERE_ENGINE_TEST_OUT) + "/open." + std::to_string(getpid());
    ASSERT_EQ(system(("mkdir -p '" + dir + "'").c_str()), 0);
    std::string summary;
    std::vector<std::string> messages;
    ASSERT_TRUE(CompileDictionaryText("@builtin\nαβγό\tωό\n", "thess.txt", dir + "/Thess", false,
                                      &summary, &messages));
    ASSERT_TRUE(CompileDictionaryText("@key 42\nlogos\tλόγος\n", "x.txt", dir + "/WORDS", false,
                                      &summary, &messages));
    std::unique_ptr<Engine> engine(new Engine);
    PlainLookupView view;
    SearchOptions options;

    ASSERT_TRUE(OpenSingleDictionary(*engine, &view, dir.c_str(), "Thess"));
    EXPECT_STREQ(engine->trailer.titleEnglish, "Thesaurus of Greek language");
    char query[100] = "\xE1\xE2";  // αβ
    EXPECT_TRUE(SearchWord(*engine, view, options, query));
    ASSERT_EQ(view.words.Count(), 1);
    EXPECT_EQ(Utf8(view.words.TextAt(0)), "αβγό");
    EXPECT_EQ(Utf8(view.translations.TextAt(0)), "ωό");

    ASSERT_TRUE(OpenSingleDictionary(*engine, &view, dir.c_str(), "WORDS"));
    snprintf(query, sizeof query, "lo");
    EXPECT_TRUE(SearchWord(*engine, view, options, query));
    EXPECT_EQ(Utf8(view.translations.TextAt(0)), "λόγος");

    // A missing index leaves nothing open.
    ASSERT_EQ(remove((dir + "/WORDS.ind").c_str()), 0);
    EXPECT_FALSE(OpenSingleDictionary(*engine, &view, dir.c_str(), "WORDS"));
    EXPECT_EQ(engine->mainBody, nullptr);
    EXPECT_EQ(engine->mainIndex, nullptr);
    EXPECT_EQ(view.diskErrors, 0);
    system(("rm -rf '" + dir + "'").c_str());
}
