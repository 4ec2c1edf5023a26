// Word search: finds the query's block through the index, lists the headwords that begin
// with the query, retries with shorter words when asked, and shows translations.
#pragma once

#include <cstdint>

#include "engine/dictionary.h"
#include "engine/folding.h"
#include "engine/lookup_view.h"

constexpr size_t kMaxQueryLength = 39;

// The script of the query. Stored 8-bit text cannot always tell ("ö" and "φ" are the same
// byte), so a caller that starts from Unicode text (IsGreekTypedText) says which it is; a query
// that comes as stored bytes only is judged by the language test (IsGreekText).
enum class QueryScript { kFromBytes, kGreek, kLatin };

// The settings a search reads, filled by the caller.
struct SearchOptions {
    QueryScript queryScript = QueryScript::kFromBytes;
    bool accent = false;       // compare without accents and case
    bool root = false;         // retry with ever shorter words when nothing matches
    bool useGreek = false;     // Greek interface texts
    bool useUserDict = false;  // let the user dictionary add its matches
    // With a guesser in the engine: list the phrases that hold the word after the words found.
    bool listPhrases = false;
};

struct BlockRange {
    uint32_t offset = 0;
    uint32_t length = 0;  // 0: not found
};

// Searches `query` (a NUL-terminated buffer of at least kMaxQueryLength + 1 bytes). The query
// is changed in place: trimmed, cut to 39 bytes, folded when accent is on, and shortened by
// the closest-word retries. Returns whether the index found something (the word, words that
// begin with it, or with Root a closest word); guesses listed for a word the index does not
// find leave it false.
bool SearchWord(Engine& engine, LookupView& view, const SearchOptions& options, char* query);

// Block of the query's first letter / first two letters in the main index, the keys folded
// by the query-script flag.
BlockRange LookupLetterBlock(Engine& engine, DiskErrorSink* owner, const char* query);
BlockRange LookupPairBlock(Engine& engine, DiskErrorSink* owner, const char* query);

// The same over any index with a given fold (the second index of a language pair). The
// walks only move forward and stay inside the file, so a damaged index ends in "not found".
BlockRange LookupIndexLetterBlock(DiskErrorSink* owner, DictFile* index, const char* word,
                                  CharFold fold);
BlockRange LookupIndexPairBlock(DiskErrorSink* owner, DictFile* index, const char* word,
                                CharFold fold);

// Lists the headwords of a block of the main body that begin with the query; the number
// listed. Writes the scan result message (14503 or the empty 14504) unless the block is empty.
int ScanBlock(Engine& engine, LookupView& view, const SearchOptions& options, BlockRange block,
              const char* query);
// Lists the matches of one chunk in bufferA whose first byte is at body offset
// `runningOffset`; the number listed, or -1 when the word list is full.
int ListMatches(Engine& engine, LookupView& view, const SearchOptions& options,
                uint64_t runningOffset, uint32_t bytes, const char* query);

// Fills the translation list for the selected word (single dictionary).
void ShowTranslations(Engine& engine, LookupView& view, const SearchOptions& options);
// Fills the translation list the way the open dictionary needs: the pair hook in pair mode,
// ShowTranslations otherwise. The lookup dialog calls this when the selection changes.
void ShowSelectedTranslations(Engine& engine, LookupView& view, const SearchOptions& options);

// Splits the translation text at the start of bufferA (body offset `offset`), up to its first
// 0x00. List mode adds the items to the translation list (-1 when it is full); collect mode
// stores them in the pivot slots after engine.pivotCount (cut to 59 bytes) and returns 1 once
// the 20th slot is filled. Returns the number of items otherwise.
int SplitTranslations(Engine& engine, LookupView& view, uint32_t offset, SplitMode mode);

// Empties the pivot slots.
void ClearPivots(Engine& engine);

// Lists the phrases that hold `word` (stored bytes; compared without accents or case) in the
// word list, with the first one's translations, and says so where the view shows why a list is
// not the word's own; the number listed. With no phrase (or no guesser) nothing changes.
int ListPhrasesWith(Engine& engine, LookupView& view, const SearchOptions& options,
                    const char* word);

// Loads an interface text for the interface language of the options.
void LoadInterfaceText(const Engine& engine, const SearchOptions& options, unsigned id,
                       char* buffer, size_t size);
