// What the user most likely meant when the word typed is not a headword: the headword an
// inflected form belongs to, headwords that sound the same (misspellings by ear), Greek words
// typed in Latin letters (Greeklish), and the phrases a word is part of.
//
// The guesses come from an index of the open dictionary's Greek headwords by their sound-alike
// key (sound_key.h), read from the dictionary files on the first question and again after the
// files change. Headwords within one edit of the key are candidates too, so a slip in the
// first letters is recovered as well as one at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/interface_texts.h"

struct Engine;

// How a listed word was reached.
enum class MatchReason {
    kExact,            // the word typed is this headword
    kPrefix,           // the headword begins with the word typed
    kFormOf,           // the word typed is an inflected form of this headword
    kSpelling,         // sounds like the word typed
    kTransliteration,  // the word typed in Latin letters is this Greek headword
    kPhrase,           // a phrase the word typed is part of
    kClosest,          // begins with the longest beginning of the word that some headword has
};
// The reason's name in the shell tool's output: "exact", "prefix", "form of", ...
const char* MatchReasonName(MatchReason reason);

struct GuessedWord {
    std::string headword;        // stored bytes
    uint32_t translationOffset;  // the word list's item data
    MatchReason reason;
};

// The headwords an inflected form (stored bytes, accented, lower case) belongs to, best first.
typedef std::function<std::vector<std::string>(std::string_view form)> FormLemmas;

// The lemmas of the word-form table file at `path` (word_forms.h), the file opened on the first
// question: a program that never misses a word never reads it, and without the file, or with a
// damaged one, there are no forms and the other guesses go on as before.
FormLemmas WordFormsLemmas(const std::string& path);

constexpr size_t kMaxSpellingGuesses = 8;
constexpr size_t kMaxPhrases = 40;

class Guesser {
public:
    Guesser();
    ~Guesser();
    Guesser(const Guesser&) = delete;
    Guesser& operator=(const Guesser&) = delete;

    // Where the lemmas of inflected forms come from; asked only for a Greek word that is no
    // headword. None by default.
    void SetFormLemmas(FormLemmas lemmas);

    // The guesses for `typed` (stored bytes as typed, lower case, unfolded), which is not a
    // headword of the open dictionary, best first: the headwords it is a form of, then the
    // headwords that sound just like it, then, when nothing in the dictionary begins with it
    // (`hasPrefixMatches` false), those that sound one edit away. A Latin word gets its
    // Greeklish readings instead of the spelling guesses. Reads the dictionary when its index is
    // stale; a read error goes to `owner` and leaves fewer guesses.
    std::vector<GuessedWord> Find(Engine& engine, DiskErrorSink* owner, const char* typed,
                                  bool greek, bool hasPrefixMatches);

    // The phrases (headwords of several words) that hold `word` as one of their words,
    // compared without accents or case; in the dictionary's order, at most kMaxPhrases.
    std::vector<GuessedWord> PhrasesWith(Engine& engine, DiskErrorSink* owner, const char* word);

    // What the last Find and the last PhrasesWith returned, for callers that tell why a word
    // is listed.
    const std::vector<GuessedWord>& LastGuesses() const { return last_; }
    const std::vector<GuessedWord>& LastPhrases() const { return lastPhrases_; }
    // Empties both, at the start of a search.
    void ForgetLast();

    // Reads the open dictionary's headwords now if they are not read yet (for measurements).
    void Prepare(Engine& engine, DiskErrorSink* owner);

private:
    struct Index;
    void EnsureIndex(Engine& engine, DiskErrorSink* owner);
    // Adds the headwords whose key is one of `keys` and, with `neighbours`, those one edit
    // away, closest first; `spelt` is the word in Greek letters, to rank spellings by.
    void AddSoundAlikes(const std::vector<std::string>& keys, const std::string& spelt,
                        bool neighbours, MatchReason reason, std::vector<GuessedWord>* out) const;

    std::unique_ptr<Index> index_;
    FormLemmas formLemmas_;
    std::vector<GuessedWord> last_;
    std::vector<GuessedWord> lastPhrases_;
};
