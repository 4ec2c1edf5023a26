// Dictionary files: the body (.dic) with its trailer, the index (.ind), the scrambling of body
// text, chunked block reads, and the engine state that owns the open files and buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/dict_file.h"
#include "engine/interface_texts.h"

constexpr uint32_t kTrailerMagic = 0x009087AC;
constexpr size_t kTrailerSize = 3494;
constexpr int kMaxKeyLength = 12;
constexpr int kBuiltinKeyLength = 6;

constexpr size_t kEngineBufferSize = 30720;
constexpr uint32_t kChunkSize = 27720;  // leaves 3000 bytes to complete the last entry
constexpr size_t kMaxEntrySize = 3000;  // a whole entry, terminator included
constexpr size_t kMaxItemSize = 149;    // a headword or translation item
constexpr size_t kTranslationReadSize = 3001;
constexpr int kPivotSlots = 20;
constexpr size_t kPivotSlotSize = 60;

constexpr size_t kIndexLetterRecordSize = 13;
constexpr size_t kIndexPairRecordSize = 10;

#pragma pack(push, 1)
// The last 3494 bytes of a body file, byte for byte (texts NUL-terminated in their fields).
struct DictionaryTrailer {
    uint32_t magic;  // little-endian on disk; ReadTrailer decodes it
    char reserved[100];
    char infoGreek[20][70];    // About lines, Greek interface
    char infoEnglish[20][70];  // About lines, English interface
    char titleGreek[50];
    char titleEnglish[50];
    uint8_t pairable;  // 1: Greek and one other language, can form pairs
    uint8_t format;
    char listNameGreek[40];
    char listNameEnglish[40];
    char descriptorEnglish[70];  // e.g. "English.1@Greek.2"
    char descriptorGreek[70];
    char pairLanguage[206];  // "<English name>@<Greek name>"
    char startWord[40];
    char phoneticName[9];
    uint8_t keyLength;  // 0..12
    uint8_t key[12];
};
#pragma pack(pop)

static_assert(sizeof(DictionaryTrailer) == kTrailerSize, "trailer size");
static_assert(offsetof(DictionaryTrailer, infoGreek) == 104, "trailer layout");
static_assert(offsetof(DictionaryTrailer, infoEnglish) == 1504, "trailer layout");
static_assert(offsetof(DictionaryTrailer, titleGreek) == 2904, "trailer layout");
static_assert(offsetof(DictionaryTrailer, titleEnglish) == 2954, "trailer layout");
static_assert(offsetof(DictionaryTrailer, pairable) == 3004, "trailer layout");
static_assert(offsetof(DictionaryTrailer, format) == 3005, "trailer layout");
static_assert(offsetof(DictionaryTrailer, listNameGreek) == 3006, "trailer layout");
static_assert(offsetof(DictionaryTrailer, listNameEnglish) == 3046, "trailer layout");
static_assert(offsetof(DictionaryTrailer, descriptorEnglish) == 3086, "trailer layout");
static_assert(offsetof(DictionaryTrailer, descriptorGreek) == 3156, "trailer layout");
static_assert(offsetof(DictionaryTrailer, pairLanguage) == 3226, "trailer layout");
static_assert(offsetof(DictionaryTrailer, startWord) == 3432, "trailer layout");
static_assert(offsetof(DictionaryTrailer, phoneticName) == 3472, "trailer layout");
static_assert(offsetof(DictionaryTrailer, keyLength) == 3481, "trailer layout");
static_assert(offsetof(DictionaryTrailer, key) == 3482, "trailer layout");

// Index record of one folded first letter; the pair records of that letter follow it.
struct IndexLetterRecord {
    uint8_t letter;
    uint32_t blockOffset;
    uint32_t blockLength;
    uint32_t next;  // index offset of the next letter record
};

// Index record of two folded letters: key = first | second << 8.
struct IndexPairRecord {
    uint16_t key;
    uint32_t blockOffset;
    uint32_t blockLength;
};

void DecodeLetterRecord(const unsigned char bytes[kIndexLetterRecordSize], IndexLetterRecord* r);
void EncodeLetterRecord(const IndexLetterRecord& r, unsigned char bytes[kIndexLetterRecordSize]);
void DecodePairRecord(const unsigned char bytes[kIndexPairRecordSize], IndexPairRecord* r);
void EncodePairRecord(const IndexPairRecord& r, unsigned char bytes[kIndexPairRecordSize]);
// Trailer to and from its on-disk bytes (the magic as little-endian).
void EncodeTrailer(const DictionaryTrailer& trailer, unsigned char bytes[kTrailerSize]);
void DecodeTrailer(const unsigned char bytes[kTrailerSize], DictionaryTrailer* trailer);

enum class SplitMode { kList, kCollect };

// Extensions that build on the search; each may be null.
struct Engine;
class Guesser;
class LookupView;
struct SearchOptions;
struct SearchHooks {
    // Fills the translation list in pair mode, in place of ShowTranslations.
    void (*showPairTranslations)(Engine& engine, LookupView& view,
                                 const SearchOptions& options) = nullptr;
    // Adds the user dictionary's matches for the query to the word list.
    void (*listUserDictMatches)(Engine& engine, LookupView& view, const char* query) = nullptr;
    // Shows the translation of a user dictionary item (item data with the top bit set).
    void (*listUserDictTranslations)(Engine& engine, LookupView& view, uint32_t itemData) = nullptr;
};

// The engine's process-wide state, owned by the main window for the life of the program
// (about 62 KB: allocate it once, never on a small stack).
struct Engine {
    // The five open files; nullptr when closed.
    DictFile* mainBody = nullptr;
    DictFile* mainIndex = nullptr;
    DictFile* secondBody = nullptr;  // second half of a language pair
    DictFile* secondIndex = nullptr;
    DictFile* userDict = nullptr;

    // The trailer of the dictionary in use; its key is the key in force for descrambling.
    DictionaryTrailer trailer{};
    // The trailer of the second dictionary of a language pair.
    DictionaryTrailer secondTrailer{};

    // Body text: bufferA for lists and translations, bufferB for the pair reverse check.
    // One spare byte each keeps a terminator behind a full read.
    char bufferA[kEngineBufferSize + 1] = {};
    char bufferB[kEngineBufferSize + 1] = {};

    // Pivot words of a language pair, filled by SplitTranslations in collect mode.
    char pivots[kPivotSlots][kPivotSlotSize] = {};
    int pivotCount = 0;

    bool queryIsGreek = false;  // the current query is Greek: selects the fold
    bool pairMode = false;      // a language pair is open
    char lastSearched[40] = {};

    const InterfaceTexts* texts = &DefaultInterfaceTexts();
    SearchHooks hooks;

    // Counts every closing of the files, so that what was read from them can tell it is stale.
    uint32_t filesGeneration = 0;
    // The guesses for a word that is not a headword (guesses.h); none when null.
    Guesser* guesser = nullptr;
    // Translation offsets of the guesses listed ahead of the search's own words, which the
    // scan then leaves out so that no word is listed twice.
    std::vector<uint32_t> listedAhead;
};

// Closes every open dictionary file (and the user dictionary) and clears the handles.
void CloseDictionaryFiles(Engine& engine);

// Reads up to count bytes at the file's position; 0 at the end of the file. A read error
// (or a closed file) shows the disk error through `owner` (when not null) and returns 0.
size_t GuardedRead(DiskErrorSink* owner, DictFile* file, void* buffer, size_t count);

// Reads the trailer of an open body file into `trailer`; valid when the magic matches and
// the key length is at most 12. A file shorter than the trailer is invalid.
bool ReadTrailer(DiskErrorSink* owner, DictFile* file, DictionaryTrailer* trailer);

// Descrambles `length` bytes in place as the bytes at body offset `offset` onward.
void DescrambleWithKey(const uint8_t* key, int keyLength, char* text, uint64_t offset,
                       size_t length);
// The same with the key in force (the current trailer's).
void Descramble(const Engine& engine, char* text, uint64_t offset, size_t length);
// The inverse, for building dictionaries: key bytes must lie in 0..103.
void ScrambleWithKey(const uint8_t* key, int keyLength, char* text, uint64_t offset, size_t length);

// Reads the next chunk of a block into buffer (kEngineBufferSize bytes): up to 27720 bytes,
// then byte by byte to the end of the entry the chunk stops in. Returns the bytes now in the
// buffer, which always end with a 0x00 when there are any. An entry that would overflow the
// buffer is cut: its last buffered byte becomes 0x00. `remaining` is the part of the block
// not yet read.
uint32_t ReadBlockChunk(DiskErrorSink* owner, DictFile* file, char* buffer, uint32_t remaining);

// The key of GRENG and THESS, built at run time.
void BuiltinKey(uint8_t key[kBuiltinKeyLength]);

enum class BuiltinDictionary { kGreekEnglish, kThesaurus };
// Fills a trailer with the built-in description of GRENG or THESS (titles from `texts`).
void FillBuiltinTrailer(BuiltinDictionary which, const InterfaceTexts& texts,
                        DictionaryTrailer* trailer);
// GRENG or THESS by base name (without regard to case); false for any other name.
bool FindBuiltinDictionary(const char* baseName, BuiltinDictionary* which);

// "dir/base.ext" with the platform's separator; false when it does not fit.
bool FormatDictionaryPath(char* out, size_t size, const char* dir, const char* base,
                          const char* ext);

// The largest index there can be: a letter record for each of 256 folded first letters, each
// followed by a pair record for each of 256 second letters.
constexpr uint64_t kMaxIndexSize = 256 * (kIndexLetterRecordSize + 256 * kIndexPairRecordSize);

enum class IndexProblem {
    kNone,
    kReadError,
    kEmpty,             // no letter record, though the body has entries
    kTooLarge,          // larger than any index can be
    kRecordCut,         // a letter record is cut short
    kChainBroken,       // the letter records do not follow one another forward
    kBlockOutsideBody,  // a block reaches past the body's entries
};

struct IndexCheck {
    IndexProblem problem = IndexProblem::kNone;
    // Whether the letter blocks, in index order, lie end to end from offset 0 as the compiler
    // writes them, and each letter's two-letter blocks end to end across its letter block. An
    // index that does, yet reaches past the body's entries, tells of a body that was cut short
    // rather than of a damaged index.
    bool lettersEndToEnd = true;
};

// Whether an index holds together as the search reads it: letter records that follow one
// another forward, whole pair records between them, every block inside the body's first
// `entryBytes` bytes. One pass, record by record, in constant memory; an index larger than
// kMaxIndexSize is refused unread. This is the one definition of a sound index.
IndexCheck CheckDictionaryIndex(DictFile* index, uint64_t entryBytes);
// The problem in words, for messages: "damaged index (...)".
const char* DescribeIndexProblem(IndexProblem problem);

// The index stamp: the compiler ends a body's entries (before any trailer) with one entry that
// no index block covers, so no search ever reads it, whose headword is a fingerprint of the
// index written with it. A body and an index that were not written together (a compile killed
// between its two renames, a file copied over one of them) are told apart by it. Its bytes
// all lie below 48, which scrambling leaves as they are. Bodies without one (older builds) are
// taken on trust.
constexpr size_t kIndexStampSize = 22;
// FNV-1a over the index's bytes.
uint64_t IndexFingerprint(const unsigned char* bytes, size_t size);
void MakeIndexStamp(uint64_t fingerprint, char stamp[kIndexStampSize]);

// Where a body's entries end: before the trailer of a dictionary that has one (a built-in one
// has one only when its magic is there, to carry About lines).
uint64_t DictionaryEntryEnd(DictFile* body, bool builtin);

// What a check of a dictionary's two files found, and so which file is at fault.
enum class DictionaryDamage {
    kNone,
    kReadError,
    kBodyEmpty,     // the body: empty
    kBodyCut,       // the body: shorter than the sound index it goes with
    kIndexDamaged,  // the index: see indexProblem
    kIndexForeign,  // the index: sound, but not the one the body was written with
};
struct DictionaryCheck {
    DictionaryDamage damage = DictionaryDamage::kNone;
    IndexProblem indexProblem = IndexProblem::kNone;
    bool BlamesIndex() const {
        return damage == DictionaryDamage::kIndexDamaged ||
               damage == DictionaryDamage::kIndexForeign;
    }
};
// Checks that the index holds together over the body's entries and, when the body carries an
// index stamp, that it is the index the body was written with. Reads the whole index (at most
// kMaxIndexSize bytes) and the stamp; the entries themselves are not read.
DictionaryCheck CheckDictionaryFiles(DictFile* body, DictFile* index, bool builtin);
// The damage in words, for a message after the name of the file at fault.
const char* DescribeDictionaryDamage(const DictionaryCheck& check);

// Opens the body and index of one dictionary as the main files and fills the current
// trailer (built in for GRENG and THESS, else read from the body). Closes everything first.
// False when a file does not open or the trailer is invalid; nothing stays open then.
// `problem`, when given, tells what failed.
enum class DictionaryFault { kNone, kPathTooLong, kBodyNotOpened, kIndexNotOpened, kBadTrailer };
struct DictionaryOpenProblem {
    DictionaryFault fault = DictionaryFault::kNone;
    OpenFailure failure = OpenFailure::kNone;  // why the body or index did not open
};
bool OpenSingleDictionary(Engine& engine, DiskErrorSink* owner, const char* dir,
                          const char* baseName, DictionaryOpenProblem* problem = nullptr);
