#include "engine/search.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/guesses.h"

namespace {

constexpr uint32_t kMaxItemData = 0x7FFFFFFF;  // larger values mark user dictionary records

// A block holds the headwords of one first letter or of one pair of first letters.
constexpr size_t kBlockKeyLength = 2;

void CopyItem(char* out, size_t size, const char* text, size_t length) {
    if (length >= size) {
        length = size - 1;
    }
    memcpy(out, text, length);
    out[length] = '\0';
}

void ShowMessage(Engine& engine, LookupView& view, const SearchOptions& options, unsigned id) {
    char text[150];
    LoadInterfaceText(engine, options, id, text, sizeof text);
    view.SetStatusText(text);
}

// Finds the letter record of `key`. The walk follows next-offsets only forward, so a damaged
// index (next-offset 0, backwards, past the end, a cycle) ends in "not found".
bool FindLetterRecord(DiskErrorSink* owner, DictFile* index, unsigned char key,
                      IndexLetterRecord* record, uint64_t* recordOffset) {
    uint64_t at = 0;
    for (;;) {
        // A file that did not open reads as a disk error, like one that fails.
        unsigned char bytes[kIndexLetterRecordSize];
        SeekDictFile(index, at);
        if (GuardedRead(owner, index, bytes, sizeof bytes) != sizeof bytes) {
            return false;
        }
        DecodeLetterRecord(bytes, record);
        if (record->letter == key) {
            *recordOffset = at;
            return true;
        }
        if (record->next <= at) {
            return false;
        }
        at = record->next;
    }
}

// A chunk of a block holds at most one item per entry ("headword,translations\0"): room for
// them all before the fill.
void ReserveChunkItems(ListBox& words, const char* buffer, size_t bytes) {
    int entries = 0;
    size_t headBytes = 0;
    size_t entry = 0;
    while (entry < bytes) {
        size_t end = entry;
        size_t head = 0;
        bool inHead = true;
        while (end < bytes && buffer[end] != '\0') {
            inHead = inHead && buffer[end] != ',';
            head += inHead ? 1 : 0;
            ++end;
        }
        if (head > 0) {
            ++entries;
            headBytes += head + 1;
        }
        entry = end + 1;
    }
    if (entries > 0) {
        words.Reserve(entries, headBytes);
    }
}

bool ListedAhead(const Engine& engine, uint32_t translationOffset) {
    return !engine.listedAhead.empty() &&
           std::find(engine.listedAhead.begin(), engine.listedAhead.end(), translationOffset) !=
               engine.listedAhead.end();
}

// Whether the word list holds the query itself (compared as the search compares).
bool WordListHoldsQuery(const Engine& engine, LookupView& view, const SearchOptions& options,
                        const char* query) {
    char text[kMaxItemSize + 1];
    for (int i = 0; i < view.Words().Count(); ++i) {
        view.Words().Text(i, text, sizeof text);
        if (options.accent) {
            FoldText(text, engine.queryIsGreek);
        }
        if (strcmp(text, query) == 0) {
            return true;
        }
    }
    return false;
}

bool WordListHoldsItem(LookupView& view, uint32_t data) {
    for (int i = 0; i < view.Words().Count(); ++i) {
        if (view.Words().ItemData(i) == data) {
            return true;
        }
    }
    return false;
}

// Appends words not yet listed; false when the list is full.
bool AddGuessedWords(LookupView& view, const std::vector<GuessedWord>& words, size_t from,
                     size_t to) {
    for (size_t i = from; i < to; ++i) {
        if (WordListHoldsItem(view, words[i].translationOffset)) {
            continue;
        }
        int index = view.Words().Add(words[i].headword.c_str());
        if (index < 0) {
            return false;
        }
        view.Words().SetItemData(index, words[i].translationOffset);
    }
    return true;
}

unsigned GuessMessage(MatchReason reason) {
    switch (reason) {
        case MatchReason::kFormOf:
            return IDS_FORM_OF;
        case MatchReason::kTransliteration:
            return IDS_IN_GREEK_LETTERS;
        default:
            return IDS_DID_YOU_MEAN;
    }
}

// What the guesses added: the status line's label and the word it names.
struct GuessListing {
    unsigned message = 0;
    std::string headword;
    bool exact = false;  // the query is a headword: nothing was guessed
};

// For a query that is no headword, the guesses, ahead of the words that begin with the query
// but for Greeklish readings of a Latin word, which follow the English words. `listed` is what the
// block scan listed, and becomes what it lists again after the guesses put ahead of it.
GuessListing ListGuesses(Engine& engine, LookupView& view, const SearchOptions& options,
                         const char* typed, const char* query, BlockRange block, int* listed) {
    GuessListing result;
    if (*listed > 0 && WordListHoldsQuery(engine, view, options, query)) {
        result.exact = true;
        return result;
    }
    std::vector<GuessedWord> guesses =
        engine.guesser->Find(engine, &view, typed, engine.queryIsGreek, *listed > 0);
    if (guesses.empty()) {
        return result;
    }
    // Greek guesses all go ahead (those for a word that begins headwords sound just like it);
    // Greeklish ones follow the English words that begin with the word.
    size_t ahead = 0;
    while (ahead < guesses.size() &&
           (*listed == 0 || guesses[ahead].reason != MatchReason::kTransliteration)) {
        ++ahead;
    }
    if (ahead > 0) {
        view.Words().Clear();
        AddGuessedWords(view, guesses, 0, ahead);
        for (size_t i = 0; i < ahead; ++i) {
            engine.listedAhead.push_back(guesses[i].translationOffset);
        }
        if (*listed > 0) {
            *listed = ScanBlock(engine, view, options, block, query);
        }
    }
    AddGuessedWords(view, guesses, ahead, guesses.size());
    result.message = GuessMessage(guesses[0].reason);
    result.headword = guesses[0].headword;
    return result;
}

}  // namespace

void LoadInterfaceText(const Engine& engine, const SearchOptions& options, unsigned id,
                       char* buffer, size_t size) {
    engine.texts->Load(id, options.useGreek, buffer, size);
}

BlockRange LookupIndexLetterBlock(DiskErrorSink* owner, DictFile* index, const char* word,
                                  CharFold fold) {
    BlockRange block;
    IndexLetterRecord record;
    uint64_t recordOffset;
    if (word[0] && FindLetterRecord(owner, index, fold(static_cast<unsigned char>(word[0])),
                                    &record, &recordOffset)) {
        block.offset = record.blockOffset;
        block.length = record.blockLength;
    }
    return block;
}

BlockRange LookupIndexPairBlock(DiskErrorSink* owner, DictFile* index, const char* word,
                                CharFold fold) {
    BlockRange block;
    IndexLetterRecord letter;
    uint64_t letterOffset;
    if (!word[0] || !FindLetterRecord(owner, index, fold(static_cast<unsigned char>(word[0])),
                                      &letter, &letterOffset)) {
        return block;
    }
    uint16_t key = static_cast<uint16_t>(fold(static_cast<unsigned char>(word[0])) |
                                         fold(static_cast<unsigned char>(word[1])) << 8);
    // The pair records of a letter end where the next letter record begins; the last letter's
    // records (or those of a letter whose next-offset is damaged) end with the file.
    uint64_t limit = letter.next > letterOffset ? letter.next : DictFileSize(index);
    uint64_t at = letterOffset + kIndexLetterRecordSize;
    SeekDictFile(index, at);
    while (at + kIndexPairRecordSize <= limit) {
        unsigned char bytes[kIndexPairRecordSize];
        if (GuardedRead(owner, index, bytes, sizeof bytes) != sizeof bytes) {
            break;
        }
        IndexPairRecord pair;
        DecodePairRecord(bytes, &pair);
        if (pair.key == key) {
            block.offset = pair.blockOffset;
            block.length = pair.blockLength;
            break;
        }
        at += kIndexPairRecordSize;
    }
    return block;
}

BlockRange LookupLetterBlock(Engine& engine, DiskErrorSink* owner, const char* query) {
    return LookupIndexLetterBlock(owner, engine.mainIndex, query,
                                  FoldForScript(engine.queryIsGreek));
}

BlockRange LookupPairBlock(Engine& engine, DiskErrorSink* owner, const char* query) {
    return LookupIndexPairBlock(owner, engine.mainIndex, query, FoldForScript(engine.queryIsGreek));
}

int ListMatches(Engine& engine, LookupView& view, const SearchOptions& options,
                uint64_t runningOffset, uint32_t bytes, const char* query) {
    size_t queryLength = strnlen(query, kMaxQueryLength);
    char* buffer = engine.bufferA;
    if (bytes > kEngineBufferSize) {
        bytes = kEngineBufferSize;
    }
    // A query no longer than the block's key lists every entry of the chunk (a letter button
    // lists thousands); a longer one lists a few, and counting the entries first would only
    // double the walk.
    if (queryLength <= kBlockKeyLength) {
        ReserveChunkItems(view.Words(), buffer, bytes);
    }
    int listed = 0;
    size_t entry = 0;
    while (entry < bytes) {
        size_t headLength = 0;
        while (entry + headLength < bytes && buffer[entry + headLength] != ',' &&
               buffer[entry + headLength] != '\0') {
            ++headLength;
        }
        bool hasSeparator = entry + headLength < bytes && buffer[entry + headLength] == ',';
        if (headLength >= queryLength && headLength > 0) {
            char* head = buffer + entry;
            uint64_t entryOffset = runningOffset + entry;
            Descramble(engine, head, entryOffset, headLength);
            char folded[kMaxQueryLength + 1];
            memcpy(folded, head, queryLength);
            if (options.accent) {
                FoldBytes(folded, queryLength, engine.queryIsGreek);
            }
            uint64_t translationOffset = entryOffset + headLength + (hasSeparator ? 1 : 0);
            bool listable = memcmp(folded, query, queryLength) == 0 &&
                            !(engine.pairMode && memchr(head, ' ', headLength)) &&
                            translationOffset <= kMaxItemData &&
                            !ListedAhead(engine, static_cast<uint32_t>(translationOffset));
            if (listable) {
                char text[kMaxItemSize + 1];
                CopyItem(text, sizeof text, head, headLength);
                int index = view.Words().Add(text);
                if (index < 0) {
                    return -1;
                }
                view.Words().SetItemData(index, static_cast<uint32_t>(translationOffset));
                ++listed;
            }
        }
        size_t end = entry + headLength;
        while (end < bytes && buffer[end] != '\0') {
            ++end;
        }
        entry = end + 1;
    }
    return listed;
}

int ScanBlock(Engine& engine, LookupView& view, const SearchOptions& options, BlockRange block,
              const char* query) {
    if (block.length == 0) {
        return 0;
    }
    int total = 0;
    bool full = false;
    SeekDictFile(engine.mainBody, block.offset);
    uint64_t running = block.offset;
    uint32_t remaining = block.length;
    for (;;) {
        uint32_t n = ReadBlockChunk(&view, engine.mainBody, engine.bufferA, remaining);
        if (n == 0) {
            break;
        }
        int listed = ListMatches(engine, view, options, running, n, query);
        if (listed < 0) {
            full = true;
            break;
        }
        total += listed;
        running += n;
        remaining = n >= remaining ? 0 : remaining - n;
        if (n < kChunkSize || remaining == 0) {
            break;
        }
    }
    // Written in every form; a form without the status line ignores it.
    ShowMessage(engine, view, options, full ? IDS_TOO_MANY_WORDS : IDS_STATUS_CLEAR);
    return total;
}

void ClearPivots(Engine& engine) {
    memset(engine.pivots, 0, sizeof engine.pivots);
    engine.pivotCount = 0;
}

int SplitTranslations(Engine& engine, LookupView& view, uint32_t offset, SplitMode mode) {
    if (mode == SplitMode::kCollect && engine.pivotCount >= kPivotSlots) {
        return 1;
    }
    char* buffer = engine.bufferA;
    // The spare byte behind the buffer is never read into, so the walk always ends.
    buffer[kEngineBufferSize] = '\0';
    int count = 0;
    size_t at = 0;
    for (;;) {
        size_t start = at;
        while (buffer[at] != '\0' && buffer[at] != ',') {
            ++at;
        }
        size_t length = at - start;
        if (length > 0) {
            char* item = buffer + start;
            Descramble(engine, item, static_cast<uint64_t>(offset) + start, length);
            if (mode == SplitMode::kList) {
                char text[kMaxItemSize + 1];
                CopyItem(text, sizeof text, item, length);
                if (view.Translations().Add(text) < 0) {
                    return -1;
                }
            }
            ++count;
            if (mode == SplitMode::kCollect) {
                CopyItem(engine.pivots[engine.pivotCount], kPivotSlotSize, item, length);
                if (++engine.pivotCount == kPivotSlots) {
                    return 1;
                }
            }
        }
        if (buffer[at] == '\0') {
            break;
        }
        ++at;
    }
    return count;
}

void ShowTranslations(Engine& engine, LookupView& view, const SearchOptions& options) {
    ListBox& translations = view.Translations();
    translations.Clear();
    int selection = view.Words().Selection();
    uint32_t data = selection >= 0 ? view.Words().ItemData(selection) : kNoItemData;
    if (data == kNoItemData) {
        // Nothing selected.
    } else if (IsUserDictItem(data)) {
        // Not a body offset: only the user dictionary can show it.
        if (options.useUserDict && engine.hooks.listUserDictTranslations) {
            engine.hooks.listUserDictTranslations(engine, view, data);
        }
    } else {
        SeekDictFile(engine.mainBody, data);
        size_t n = GuardedRead(&view, engine.mainBody, engine.bufferA, kTranslationReadSize);
        // A translation text longer than the format allows is cut at 3000 bytes.
        engine.bufferA[n < kMaxEntrySize ? n : kMaxEntrySize] = '\0';
        if (n > 0) {
            SplitTranslations(engine, view, data, SplitMode::kList);
        }
    }
    translations.Select(0);
}

void ShowSelectedTranslations(Engine& engine, LookupView& view, const SearchOptions& options) {
    if (engine.pairMode && engine.hooks.showPairTranslations) {
        engine.hooks.showPairTranslations(engine, view, options);
    } else {
        ShowTranslations(engine, view, options);
    }
}

int ListPhrasesWith(Engine& engine, LookupView& view, const SearchOptions& options,
                    const char* word) {
    if (!engine.guesser || engine.pairMode) {
        return 0;
    }
    std::vector<GuessedWord> phrases = engine.guesser->PhrasesWith(engine, &view, word);
    if (phrases.empty()) {
        return 0;
    }
    view.ShowWaitCursor();
    view.Words().Clear();
    view.Translations().Clear();
    engine.listedAhead.clear();
    AddGuessedWords(view, phrases, 0, phrases.size());
    view.Words().Select(0);
    ShowSelectedTranslations(engine, view, options);
    char label[150];
    char message[200];
    LoadInterfaceText(engine, options, IDS_PHRASES_WITH, label, sizeof label);
    snprintf(message, sizeof message, "%s %s", label, word);
    view.ShowGuessReason(message);
    view.RestoreCursor();
    int count = view.Words().Count();
    if (view.ShowsStatus()) {
        char text[16];
        snprintf(text, sizeof text, "%d", count);
        view.SetCountText(text);
    }
    return count;
}

bool SearchWord(Engine& engine, LookupView& view, const SearchOptions& options, char* query) {
    TrimLeadingSpaces(query);
    if (strlen(query) > kMaxQueryLength) {
        query[kMaxQueryLength] = '\0';
    }
    memcpy(engine.lastSearched, query, strlen(query) + 1);
    if (query[0] == '\0') {
        return false;
    }
    bool fullForm = view.ShowsStatus();
    view.ShowWaitCursor();
    if (fullForm) {
        view.SetCountText("0");
    }
    engine.queryIsGreek = options.queryScript == QueryScript::kFromBytes
                              ? IsGreekText(query)
                              : options.queryScript == QueryScript::kGreek;
    // The word as typed, before the fold: the forms table and the guesses want its accents.
    char typed[kMaxQueryLength + 1];
    memcpy(typed, query, strlen(query) + 1);
    if (options.accent) {
        FoldText(query, engine.queryIsGreek);
    }
    view.Words().Clear();
    view.Translations().Clear();
    engine.listedAhead.clear();
    if (engine.guesser) {
        engine.guesser->ForgetLast();
    }

    size_t length = strlen(query);
    BlockRange block = length == 1 ? LookupLetterBlock(engine, &view, query)
                                   : LookupPairBlock(engine, &view, query);
    int listed = block.length == 0 ? 0 : ScanBlock(engine, view, options, block, query);
    GuessListing guesses;
    bool guessing = engine.guesser && !engine.pairMode;
    if (guessing) {
        guesses = ListGuesses(engine, view, options, typed, query, block, &listed);
    }
    if (block.length == 0 && view.Words().Count() == 0) {
        view.RestoreCursor();
        if (fullForm) {
            ShowMessage(engine, view, options, IDS_CANT_FIND_WORD);
        }
        return false;
    }

    // What the index walk found, whatever the guesses: a caller that falls back on something
    // else when the word is not in the dictionary (a dictionary change) still does.
    bool found = block.length > 0;
    if (options.root && length > kBlockKeyLength && listed == 0 && block.length > 0) {
        // The closest word: the longest prefix of the query that begins a headword of the
        // block the first two letters chose. It follows any guesses.
        while (listed == 0 && length >= kBlockKeyLength) {
            query[--length] = '\0';
            if (fullForm) {
                char label[150];
                char message[200];
                LoadInterfaceText(engine, options, IDS_SEARCHING_FOR, label, sizeof label);
                snprintf(message, sizeof message, "%s %s", label, query);
                view.SetStatusText(message);
            }
            listed = ScanBlock(engine, view, options, block, query);
        }
        found = listed != 0;
    }
    if (guessing && options.listPhrases && view.Words().Count() > 0 &&
        (guesses.exact || guesses.message == IDS_FORM_OF)) {
        // The phrases of the word itself, or of the headword it is a form of.
        const char* word = guesses.exact ? typed : guesses.headword.c_str();
        std::vector<GuessedWord> phrases = engine.guesser->PhrasesWith(engine, &view, word);
        AddGuessedWords(view, phrases, 0, phrases.size());
    }
    if (guesses.message != 0) {
        char label[150];
        char message[200];
        LoadInterfaceText(engine, options, guesses.message, label, sizeof label);
        snprintf(message, sizeof message, "%s %s", label, guesses.headword.c_str());
        view.ShowGuessReason(message);
    }

    view.Words().Select(0);
    ShowSelectedTranslations(engine, view, options);
    if (options.useUserDict && engine.hooks.listUserDictMatches) {
        engine.hooks.listUserDictMatches(engine, view, query);
    }
    view.RestoreCursor();
    if (fullForm) {
        char count[16];
        snprintf(count, sizeof count, "%d", view.Words().Count());
        view.SetCountText(count);
    }
    return found;
}
