// Translation through a language pair A-->B: the Greek translations of the word selected in the
// main dictionary (A) are the pivot words; each is looked up in the second dictionary (B), and
// every translation found there is listed when B's own entry for it gives that pivot word back.
#pragma once

#include "engine/dictionary.h"
#include "engine/folding.h"
#include "engine/lookup_view.h"
#include "engine/search.h"

// Fills the translation list for the word selected in the word list, in pair mode. A user
// dictionary item shows the user dictionary's own translation. The catalogue installs this as
// the engine's pair hook whenever it opens a pair.
void ShowPairTranslations(Engine& engine, LookupView& view, const SearchOptions& options);

// True when the second dictionary lists `pivot` among the translations of `candidate`. Reads
// through bufferB, so a chunk of the second body in bufferA survives it; moves the second
// body's read position.
bool ReverseCheck(Engine& engine, DiskErrorSink* owner, const char* pivot, const char* candidate);

// The two-letter block of `word` in the second index, both keys folded by `fold`.
BlockRange LookupSecondPairBlock(Engine& engine, DiskErrorSink* owner, const char* word,
                                 CharFold fold);
