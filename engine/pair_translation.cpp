#include "engine/pair_translation.h"

#include <cstring>

namespace {

void DescrambleSecond(const Engine& engine, char* text, uint64_t offset, size_t length) {
    DescrambleWithKey(engine.secondTrailer.key, engine.secondTrailer.keyLength, text, offset,
                      length);
}

// Length of the headword of the entry at `entry` (up to its first "," or 0x00).
size_t HeadwordLength(const char* buffer, size_t entry, size_t bytes) {
    size_t n = 0;
    while (entry + n < bytes && buffer[entry + n] != ',' && buffer[entry + n] != '\0') {
        ++n;
    }
    return n;
}

// The byte after the entry's terminating 0x00.
size_t NextEntry(const char* buffer, size_t at, size_t bytes) {
    while (at < bytes && buffer[at] != '\0') {
        ++at;
    }
    return at + 1;
}

// Calls visit(item, length, offset) for each non-empty translation item of the entry whose
// headword ends at `at` (its "," or 0x00), descrambling each at its own body offset; stops when
// visit returns false. Returns false when visit did.
template <typename Visit>
bool VisitItems(const Engine& engine, char* buffer, size_t at, size_t bytes, uint64_t runningOffset,
                Visit visit) {
    while (at < bytes && buffer[at] == ',') {
        size_t start = ++at;
        while (at < bytes && buffer[at] != ',' && buffer[at] != '\0') {
            ++at;
        }
        size_t length = at - start;
        if (length == 0) {
            continue;
        }
        char* item = buffer + start;
        DescrambleSecond(engine, item, runningOffset + start, length);
        if (!visit(item, length)) {
            return false;
        }
    }
    return true;
}

// Reads a block of the second body chunk by chunk into `buffer` and calls
// visitEntry(entry, headLength, bytes, runningOffset) for each entry whose headword has exactly
// `wordLength` bytes, its headword descrambled; stops when visitEntry returns false. Returns
// false when it was stopped.
template <typename VisitEntry>
bool ScanSecondBlock(Engine& engine, DiskErrorSink* owner, BlockRange block, char* buffer,
                     size_t wordLength, VisitEntry visitEntry) {
    SeekDictFile(engine.secondBody, block.offset);
    uint64_t running = block.offset;
    uint32_t remaining = block.length;
    while (remaining > 0) {
        uint32_t n = ReadBlockChunk(owner, engine.secondBody, buffer, remaining);
        if (n == 0) {
            break;
        }
        size_t entry = 0;
        while (entry < n) {
            size_t headLength = HeadwordLength(buffer, entry, n);
            if (headLength == wordLength) {
                DescrambleSecond(engine, buffer + entry, running + entry, headLength);
                if (!visitEntry(entry, headLength, static_cast<size_t>(n), running)) {
                    return false;
                }
            }
            entry = NextEntry(buffer, entry + headLength, n);
        }
        running += n;
        remaining = n >= remaining ? 0 : remaining - n;
        if (n < kChunkSize) {
            break;
        }
    }
    return true;
}

}  // namespace

BlockRange LookupSecondPairBlock(Engine& engine, DiskErrorSink* owner, const char* word,
                                 CharFold fold) {
    return LookupIndexPairBlock(owner, engine.secondIndex, word, fold);
}

bool ReverseCheck(Engine& engine, DiskErrorSink* owner, const char* pivot, const char* candidate) {
    size_t candidateLength = strlen(candidate);
    if (candidateLength <= 1) {
        return false;
    }
    BlockRange block =
        LookupSecondPairBlock(engine, owner, candidate, FoldForScript(engine.queryIsGreek));
    if (block.length == 0) {
        return false;
    }
    size_t pivotLength = strlen(pivot);
    char* buffer = engine.bufferB;
    bool found = false;
    ScanSecondBlock(engine, owner, block, buffer, candidateLength,
                    [&](size_t entry, size_t headLength, size_t bytes, uint64_t running) {
                        if (memcmp(buffer + entry, candidate, candidateLength) != 0) {
                            return true;
                        }
                        VisitItems(engine, buffer, entry + headLength, bytes, running,
                                   [&](const char* item, size_t length) {
                                       found = length == pivotLength &&
                                               memcmp(item, pivot, length) == 0;
                                       return !found;
                                   });
                        return !found;
                    });
    return found;
}

void ShowPairTranslations(Engine& engine, LookupView& view, const SearchOptions& options) {
    ListBox& words = view.Words();
    ListBox& translations = view.Translations();
    translations.Clear();
    int selection = words.Selection();
    uint32_t data = selection >= 0 ? words.ItemData(selection) : kNoItemData;
    if (data == kNoItemData) {
        translations.Select(0);
        return;
    }
    if (IsUserDictItem(data)) {
        // A user's word has no body offset: it shows the translation the user gave it.
        if (options.useUserDict && engine.hooks.listUserDictTranslations) {
            engine.hooks.listUserDictTranslations(engine, view, data);
        }
        translations.Select(0);
        return;
    }

    // The entry's translation text ends before the next listed entry's; an entry is at most
    // 3000 bytes, so no more is read than that in any case.
    uint32_t next = words.ItemData(selection + 1);
    size_t want = kTranslationReadSize;
    if (next != kNoItemData && !IsUserDictItem(next) && next > data &&
        next - data + 1 < kTranslationReadSize) {
        want = next - data + 1;
    }
    SeekDictFile(engine.mainBody, data);
    size_t n = GuardedRead(&view, engine.mainBody, engine.bufferA, want);
    engine.bufferA[n < kMaxEntrySize ? n : kMaxEntrySize] = '\0';
    ClearPivots(engine);
    if (n > 0) {
        SplitTranslations(engine, view, data, SplitMode::kCollect);
    }

    view.ShowWaitCursor();
    char* buffer = engine.bufferA;
    bool full = false;
    for (int p = 0; p < kPivotSlots && engine.pivots[p][0] && !full; ++p) {
        const char* pivot = engine.pivots[p];
        size_t pivotLength = strlen(pivot);
        BlockRange block = LookupSecondPairBlock(engine, &view, pivot, FoldGreekChar);
        if (block.length == 0) {
            continue;
        }
        ScanSecondBlock(engine, &view, block, buffer, pivotLength,
                        [&](size_t entry, size_t headLength, size_t bytes, uint64_t running) {
                            if (memcmp(buffer + entry, pivot, pivotLength) != 0) {
                                return true;
                            }
                            VisitItems(engine, buffer, entry + headLength, bytes, running,
                                       [&](const char* item, size_t length) {
                                           char candidate[kMaxItemSize + 1];
                                           if (length > kMaxItemSize) {
                                               length = kMaxItemSize;
                                           }
                                           memcpy(candidate, item, length);
                                           candidate[length] = '\0';
                                           if (memchr(candidate, ' ', length) ||
                                               translations.FindExact(candidate) >= 0) {
                                               return true;
                                           }
                                           uint64_t position = TellDictFile(engine.secondBody);
                                           full = ReverseCheck(engine, &view, pivot, candidate) &&
                                                  translations.Add(candidate) < 0;
                                           SeekDictFile(engine.secondBody, position);
                                           return !full;
                                       });
                            return !full;
                        });
    }
    view.RestoreCursor();
    // A full list ends the operation with nothing selected.
    if (!full) {
        translations.Select(0);
    }
}
