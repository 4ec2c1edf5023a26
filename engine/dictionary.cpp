#include "engine/dictionary.h"

#include <cstdio>
#include <cstring>

#include "engine/code_pages.h"
#include "engine/folding.h"

namespace {

uint32_t GetLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutLe32(uint32_t v, unsigned char* p) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

void CopyField(char* field, size_t size, const char* text) {
    size_t n = strlen(text);
    if (n >= size) {
        n = size - 1;
    }
    memset(field, 0, size);
    memcpy(field, text, n);
}

// Texts of the built-in trailers are written here in UTF-8 and stored as Windows-1253.
void CopyStoredField(char* field, size_t size, const char* utf8) {
    std::string stored;
    EncodeError error;
    if (!Utf8ToStored(utf8, &stored, &error)) {
        stored.clear();
    }
    CopyField(field, size, stored.c_str());
}

// Every text field ends in a NUL, whatever the file held, so readers never run past it.
void TerminateTextFields(DictionaryTrailer* t) {
    for (int i = 0; i < 20; ++i) {
        t->infoGreek[i][69] = '\0';
        t->infoEnglish[i][69] = '\0';
    }
    t->titleGreek[49] = '\0';
    t->titleEnglish[49] = '\0';
    t->listNameGreek[39] = '\0';
    t->listNameEnglish[39] = '\0';
    t->descriptorEnglish[69] = '\0';
    t->descriptorGreek[69] = '\0';
    t->pairLanguage[205] = '\0';
    t->startWord[39] = '\0';
    t->phoneticName[8] = '\0';
}

}  // namespace

void DecodeLetterRecord(const unsigned char bytes[kIndexLetterRecordSize], IndexLetterRecord* r) {
    r->letter = bytes[0];
    r->blockOffset = GetLe32(bytes + 1);
    r->blockLength = GetLe32(bytes + 5);
    r->next = GetLe32(bytes + 9);
}

void EncodeLetterRecord(const IndexLetterRecord& r, unsigned char bytes[kIndexLetterRecordSize]) {
    bytes[0] = r.letter;
    PutLe32(r.blockOffset, bytes + 1);
    PutLe32(r.blockLength, bytes + 5);
    PutLe32(r.next, bytes + 9);
}

void DecodePairRecord(const unsigned char bytes[kIndexPairRecordSize], IndexPairRecord* r) {
    r->key = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    r->blockOffset = GetLe32(bytes + 2);
    r->blockLength = GetLe32(bytes + 6);
}

void EncodePairRecord(const IndexPairRecord& r, unsigned char bytes[kIndexPairRecordSize]) {
    bytes[0] = static_cast<unsigned char>(r.key);
    bytes[1] = static_cast<unsigned char>(r.key >> 8);
    PutLe32(r.blockOffset, bytes + 2);
    PutLe32(r.blockLength, bytes + 6);
}

void EncodeTrailer(const DictionaryTrailer& trailer, unsigned char bytes[kTrailerSize]) {
    memcpy(bytes, &trailer, kTrailerSize);
    PutLe32(trailer.magic, bytes);
}

void DecodeTrailer(const unsigned char bytes[kTrailerSize], DictionaryTrailer* trailer) {
    memcpy(static_cast<void*>(trailer), bytes, kTrailerSize);
    trailer->magic = GetLe32(bytes);
}

void CloseDictionaryFiles(Engine& engine) {
    DictFile** handles[] = {&engine.mainBody, &engine.mainIndex, &engine.secondBody,
                            &engine.secondIndex, &engine.userDict};
    for (DictFile** handle : handles) {
        CloseDictFile(*handle);
        *handle = nullptr;
    }
    ++engine.filesGeneration;
}

size_t GuardedRead(DiskErrorSink* owner, DictFile* file, void* buffer, size_t count) {
    ReadStatus status;
    size_t n = ReadDictFile(file, buffer, count, &status);
    if (status == ReadStatus::kError) {
        if (owner) {
            owner->ShowDiskError();
        }
        return 0;
    }
    return n;
}

bool ReadTrailer(DiskErrorSink* owner, DictFile* file, DictionaryTrailer* trailer) {
    trailer->magic = 0;
    uint64_t size = DictFileSize(file);
    if (size < kTrailerSize) {
        return false;
    }
    unsigned char raw[kTrailerSize];
    SeekDictFile(file, size - kTrailerSize);
    if (GuardedRead(owner, file, raw, kTrailerSize) != kTrailerSize) {
        return false;
    }
    DecodeTrailer(raw, trailer);
    TerminateTextFields(trailer);
    // A key longer than its field would make every descrambling read past it.
    return trailer->magic == kTrailerMagic && trailer->keyLength <= kMaxKeyLength;
}

namespace {

// Rewrites every scrambled byte of text (48..254; the others are stored as they are) with
// `turn`, given the byte and the key byte its file offset falls on.
template <typename Turn>
void TurnWithKey(const uint8_t* key, int keyLength, char* text, uint64_t offset, size_t length,
                 Turn turn) {
    if (keyLength <= 0) {
        return;
    }
    if (keyLength > kMaxKeyLength) {
        keyLength = kMaxKeyLength;
    }
    size_t i = static_cast<size_t>(offset % static_cast<uint64_t>(keyLength));
    unsigned char* p = reinterpret_cast<unsigned char*>(text);
    for (size_t n = 0; n < length; ++n) {
        int c = p[n];
        if (c > 47 && c != 255) {
            p[n] = static_cast<unsigned char>(turn(c, key[i]));
        }
        if (++i == static_cast<size_t>(keyLength)) {
            i = 0;
        }
    }
}

}  // namespace

void DescrambleWithKey(const uint8_t* key, int keyLength, char* text, uint64_t offset,
                       size_t length) {
    TurnWithKey(key, keyLength, text, offset, length, [](int c, int k) {
        if (c >= 255 - k || c > k + 47) {
            return c - k;
        }
        return c - k + 207;
    });
}

void Descramble(const Engine& engine, char* text, uint64_t offset, size_t length) {
    DescrambleWithKey(engine.trailer.key, engine.trailer.keyLength, text, offset, length);
}

void ScrambleWithKey(const uint8_t* key, int keyLength, char* text, uint64_t offset,
                     size_t length) {
    // Descrambling rotates the 207 values 48..254 down by the key byte; go up instead.
    TurnWithKey(key, keyLength, text, offset, length,
                [](int c, int k) { return 48 + (c - 48 + k) % 207; });
}

uint32_t ReadBlockChunk(DiskErrorSink* owner, DictFile* file, char* buffer, uint32_t remaining) {
    uint32_t want = remaining < kChunkSize ? remaining : kChunkSize;
    size_t n = want ? GuardedRead(owner, file, buffer, want) : 0;
    if (n == 0) {
        return 0;
    }
    while (buffer[n - 1] != '\0') {
        if (n == kEngineBufferSize) {
            // An entry longer than the format allows: cut it here.
            buffer[n - 1] = '\0';
            break;
        }
        if (GuardedRead(owner, file, buffer + n, 1) == 0) {
            buffer[n++] = '\0';
            break;
        }
        ++n;
    }
    return static_cast<uint32_t>(n);
}

void BuiltinKey(uint8_t key[kBuiltinKeyLength]) {
    // Digits of 7^(i+3) mod 10 give a fixed six-digit sequence without a literal in the binary.
    unsigned power = 343;
    for (int i = 0; i < kBuiltinKeyLength; ++i) {
        key[i] = static_cast<uint8_t>('0' + (power + static_cast<unsigned>(i) * 3) % 10);
        power *= 7;
    }
}

bool FindBuiltinDictionary(const char* baseName, BuiltinDictionary* which) {
    if (SameAsciiNoCase(baseName, "GRENG")) {
        *which = BuiltinDictionary::kGreekEnglish;
        return true;
    }
    if (SameAsciiNoCase(baseName, "THESS")) {
        *which = BuiltinDictionary::kThesaurus;
        return true;
    }
    return false;
}

void FillBuiltinTrailer(BuiltinDictionary which, const InterfaceTexts& texts,
                        DictionaryTrailer* trailer) {
    memset(static_cast<void*>(trailer), 0, sizeof *trailer);
    trailer->magic = kTrailerMagic;
    trailer->format = 2;
    unsigned titleId =
        which == BuiltinDictionary::kGreekEnglish ? IDS_GREEK_ENGLISH_TITLE : IDS_THESAURUS_TITLE;
    texts.Load(titleId, false, trailer->titleEnglish, sizeof trailer->titleEnglish);
    texts.Load(titleId, true, trailer->titleGreek, sizeof trailer->titleGreek);
    CopyField(trailer->infoEnglish[0], 70, "Word data compiled for Wordmere.");
    CopyStoredField(trailer->infoGreek[0], 70, "Δεδομένα λέξεων για το Wordmere.");
    if (which == BuiltinDictionary::kGreekEnglish) {
        CopyField(trailer->phoneticName, sizeof trailer->phoneticName, "PHONET");
        CopyField(trailer->startWord, sizeof trailer->startWord, "ab");
        CopyField(trailer->descriptorEnglish, sizeof trailer->descriptorEnglish,
                  "English.1@Greek.2");
        CopyStoredField(trailer->descriptorGreek, sizeof trailer->descriptorGreek,
                        "Αγγλικά.1@Ελληνικά.2");
    } else {
        CopyStoredField(trailer->startWord, sizeof trailer->startWord, "αβ");
        CopyField(trailer->descriptorEnglish, sizeof trailer->descriptorEnglish, "Greek.2");
        CopyStoredField(trailer->descriptorGreek, sizeof trailer->descriptorGreek, "Ελληνικό.2");
    }
    trailer->keyLength = kBuiltinKeyLength;
    BuiltinKey(trailer->key);
}

bool FormatDictionaryPath(char* out, size_t size, const char* dir, const char* base,
                          const char* ext) {
#ifdef _WIN32
    const char* pattern = "%s\\%s.%s";
#else
    const char* pattern = "%s/%s.%s";
#endif
    int n = snprintf(out, size, pattern, dir, base, ext);
    return n >= 0 && static_cast<size_t>(n) < size;
}

bool OpenSingleDictionary(Engine& engine, DiskErrorSink* owner, const char* dir,
                          const char* baseName, DictionaryOpenProblem* problem) {
    DictionaryOpenProblem ignored;
    if (!problem) {
        problem = &ignored;
    }
    *problem = DictionaryOpenProblem();
    CloseDictionaryFiles(engine);
    engine.pairMode = false;
    char bodyPath[400];
    char indexPath[400];
    if (!FormatDictionaryPath(bodyPath, sizeof bodyPath, dir, baseName, "dic") ||
        !FormatDictionaryPath(indexPath, sizeof indexPath, dir, baseName, "ind")) {
        problem->fault = DictionaryFault::kPathTooLong;
        return false;
    }
    engine.mainBody = OpenDictFile(bodyPath, DictFileMode::kRead, &problem->failure);
    if (!engine.mainBody) {
        problem->fault = DictionaryFault::kBodyNotOpened;
        return false;
    }
    engine.mainIndex = OpenDictFile(indexPath, DictFileMode::kRead, &problem->failure);
    if (!engine.mainIndex) {
        problem->fault = DictionaryFault::kIndexNotOpened;
        CloseDictionaryFiles(engine);
        return false;
    }
    BuiltinDictionary which;
    if (FindBuiltinDictionary(baseName, &which)) {
        FillBuiltinTrailer(which, *engine.texts, &engine.trailer);
    } else if (!ReadTrailer(owner, engine.mainBody, &engine.trailer)) {
        problem->fault = DictionaryFault::kBadTrailer;
        CloseDictionaryFiles(engine);
        return false;
    }
    return true;
}

namespace {

// Reads exactly `count` bytes at `offset`; false at the end of the file or on a read error.
bool ReadIndexBytes(DictFile* index, uint64_t offset, unsigned char* bytes, size_t count,
                    bool* readError) {
    ReadStatus status = ReadStatus::kOk;
    SeekDictFile(index, offset);
    size_t n = ReadDictFile(index, bytes, count, &status);
    if (status != ReadStatus::kOk) {
        *readError = true;
    }
    return n == count && status == ReadStatus::kOk;
}

}  // namespace

IndexCheck CheckDictionaryIndex(DictFile* index, uint64_t entryBytes) {
    IndexCheck check;
    uint64_t size = DictFileSize(index);
    if (size > kMaxIndexSize) {
        check.problem = IndexProblem::kTooLarge;
        return check;
    }
    if (size == 0) {
        check.problem = entryBytes > 0 ? IndexProblem::kEmpty : IndexProblem::kNone;
        return check;
    }
    auto inBody = [entryBytes](uint32_t offset, uint32_t length) {
        return uint64_t(offset) + length <= entryBytes;
    };
    bool readError = false;
    bool outside = false;
    uint64_t lettersEnd = 0;
    uint64_t at = 0;
    while (at < size) {
        unsigned char bytes[kIndexLetterRecordSize];
        if (size - at < kIndexLetterRecordSize ||
            !ReadIndexBytes(index, at, bytes, sizeof bytes, &readError)) {
            check.problem = readError ? IndexProblem::kReadError : IndexProblem::kRecordCut;
            return check;
        }
        IndexLetterRecord letter;
        DecodeLetterRecord(bytes, &letter);
        // The last letter's pair records run to the end of the file.
        uint64_t end = letter.next >= size ? size : letter.next;
        if (letter.next < at + kIndexLetterRecordSize ||
            (end - at - kIndexLetterRecordSize) % kIndexPairRecordSize != 0) {
            check.problem = IndexProblem::kChainBroken;
            return check;
        }
        if (letter.blockOffset != lettersEnd) {
            check.lettersEndToEnd = false;
        }
        lettersEnd = uint64_t(letter.blockOffset) + letter.blockLength;
        outside = outside || !inBody(letter.blockOffset, letter.blockLength);
        uint64_t pairsEnd = letter.blockOffset;
        for (uint64_t p = at + kIndexLetterRecordSize; p < end; p += kIndexPairRecordSize) {
            unsigned char pairBytes[kIndexPairRecordSize];
            if (!ReadIndexBytes(index, p, pairBytes, sizeof pairBytes, &readError)) {
                check.problem = readError ? IndexProblem::kReadError : IndexProblem::kRecordCut;
                return check;
            }
            IndexPairRecord pair;
            DecodePairRecord(pairBytes, &pair);
            outside = outside || !inBody(pair.blockOffset, pair.blockLength);
            if (pair.blockOffset != pairsEnd) {
                check.lettersEndToEnd = false;
            }
            pairsEnd = uint64_t(pair.blockOffset) + pair.blockLength;
        }
        if (end > at + kIndexLetterRecordSize && pairsEnd != lettersEnd) {
            check.lettersEndToEnd = false;
        }
        at = end;
    }
    if (outside) {
        check.problem = IndexProblem::kBlockOutsideBody;
    }
    return check;
}

const char* DescribeIndexProblem(IndexProblem problem) {
    switch (problem) {
        case IndexProblem::kNone:
            return "sound index";
        case IndexProblem::kReadError:
            return "read error";
        case IndexProblem::kEmpty:
            return "damaged index (it is empty)";
        case IndexProblem::kTooLarge:
            return "damaged index (larger than any index can be)";
        case IndexProblem::kRecordCut:
            return "damaged index (a letter record is cut short)";
        case IndexProblem::kChainBroken:
            return "damaged index (the letter records do not chain up)";
        case IndexProblem::kBlockOutsideBody:
            return "damaged index (a block lies outside the body)";
    }
    return "damaged index";
}

namespace {

constexpr char kStampStart[] = "\x01\x02\x03\x04";
constexpr size_t kStampStartSize = sizeof kStampStart - 1;
constexpr int kFingerprintDigits = 16;

}  // namespace

uint64_t IndexFingerprint(const unsigned char* bytes, size_t size) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001B3ull;
    }
    return hash;
}

void MakeIndexStamp(uint64_t fingerprint, char stamp[kIndexStampSize]) {
    memcpy(stamp, kStampStart, kStampStartSize);
    // One control byte 0x10..0x1F per hexadecimal digit: no separator, no terminator, nothing
    // that scrambling changes.
    for (int i = 0; i < kFingerprintDigits; ++i) {
        stamp[kStampStartSize + i] =
            static_cast<char>(0x10 | ((fingerprint >> (60 - 4 * i)) & 0xF));
    }
    stamp[kIndexStampSize - 2] = ',';
    stamp[kIndexStampSize - 1] = '\0';
}

uint64_t DictionaryEntryEnd(DictFile* body, bool builtin) {
    uint64_t size = DictFileSize(body);
    if (size < kTrailerSize) {
        return size;
    }
    if (builtin) {
        unsigned char magic[4] = {};
        ReadStatus status = ReadStatus::kOk;
        SeekDictFile(body, size - kTrailerSize);
        if (ReadDictFile(body, magic, sizeof magic, &status) != sizeof magic ||
            (magic[0] | magic[1] << 8 | magic[2] << 16 | uint32_t(magic[3]) << 24) !=
                kTrailerMagic) {
            return size;
        }
    }
    return size - kTrailerSize;
}

namespace {

// The fingerprint the body's stamp names; false when the body carries none.
bool ReadIndexStamp(DictFile* body, uint64_t entryEnd, uint64_t* fingerprint, bool* readError) {
    if (entryEnd < kIndexStampSize) {
        return false;
    }
    char stamp[kIndexStampSize];
    ReadStatus status = ReadStatus::kOk;
    SeekDictFile(body, entryEnd - kIndexStampSize);
    if (ReadDictFile(body, stamp, sizeof stamp, &status) != sizeof stamp) {
        *readError = status != ReadStatus::kOk;
        return false;
    }
    if (memcmp(stamp, kStampStart, kStampStartSize) != 0 || stamp[kIndexStampSize - 2] != ',' ||
        stamp[kIndexStampSize - 1] != '\0') {
        return false;
    }
    uint64_t value = 0;
    for (int i = 0; i < kFingerprintDigits; ++i) {
        unsigned char digit = static_cast<unsigned char>(stamp[kStampStartSize + i]);
        if ((digit & 0xF0) != 0x10) {
            return false;
        }
        value = value << 4 | (digit & 0xF);
    }
    *fingerprint = value;
    return true;
}

// The fingerprint of the whole index, read in pieces; false on a read error.
bool FingerprintIndex(DictFile* index, uint64_t* fingerprint) {
    uint64_t hash = 0xCBF29CE484222325ull;
    unsigned char piece[4096];
    SeekDictFile(index, 0);
    for (;;) {
        ReadStatus status = ReadStatus::kOk;
        size_t n = ReadDictFile(index, piece, sizeof piece, &status);
        if (status != ReadStatus::kOk) {
            return false;
        }
        if (n == 0) {
            break;
        }
        for (size_t i = 0; i < n; ++i) {
            hash = (hash ^ piece[i]) * 0x100000001B3ull;
        }
    }
    *fingerprint = hash;
    return true;
}

}  // namespace

DictionaryCheck CheckDictionaryFiles(DictFile* body, DictFile* index, bool builtin) {
    DictionaryCheck result;
    if (DictFileSize(body) == 0) {
        result.damage = DictionaryDamage::kBodyEmpty;
        return result;
    }
    uint64_t entryEnd = DictionaryEntryEnd(body, builtin);
    IndexCheck check = CheckDictionaryIndex(index, entryEnd);
    bool readError = check.problem == IndexProblem::kReadError;
    uint64_t wanted = 0;
    bool stamped = !readError && ReadIndexStamp(body, entryEnd, &wanted, &readError);
    uint64_t actual = 0;
    if (stamped && !FingerprintIndex(index, &actual)) {
        readError = true;
    }
    if (readError) {
        result.damage = DictionaryDamage::kReadError;
    } else if (stamped && actual == wanted) {
        // Exactly the index the compiler wrote with this body.
    } else if (stamped) {
        // The body names another index: this one is damaged or from another compile.
        result.damage = check.problem == IndexProblem::kNone ? DictionaryDamage::kIndexForeign
                                                             : DictionaryDamage::kIndexDamaged;
        result.indexProblem = check.problem;
    } else if (check.problem == IndexProblem::kBlockOutsideBody && check.lettersEndToEnd &&
               !stamped) {
        // An index that holds together in every block yet reaches past the entries: the body
        // lost its end (and with it any stamp).
        result.damage = DictionaryDamage::kBodyCut;
    } else if (check.problem != IndexProblem::kNone) {
        result.damage = DictionaryDamage::kIndexDamaged;
        result.indexProblem = check.problem;
    }
    return result;
}

const char* DescribeDictionaryDamage(const DictionaryCheck& check) {
    switch (check.damage) {
        case DictionaryDamage::kNone:
            return "sound dictionary";
        case DictionaryDamage::kReadError:
            return "read error";
        case DictionaryDamage::kBodyEmpty:
            return "empty dictionary file";
        case DictionaryDamage::kBodyCut:
            return "damaged dictionary (cut short: the index reaches past its end)";
        case DictionaryDamage::kIndexDamaged:
            return check.indexProblem == IndexProblem::kNone
                       ? "damaged index (it is not the index its dictionary was written with)"
                       : DescribeIndexProblem(check.indexProblem);
        case DictionaryDamage::kIndexForeign:
            return "index of another build: it does not belong with its .dic (an interrupted "
                   "compile?)";
    }
    return "damaged dictionary";
}
