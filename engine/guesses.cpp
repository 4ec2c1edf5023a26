#include "engine/guesses.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/dictionary.h"
#include "engine/folding.h"
#include "engine/lookup_view.h"
#include "engine/sound_key.h"
#include "engine/word_forms.h"

namespace {

// Keys this short have too many neighbours one edit away to be worth offering.
constexpr size_t kMinKeyForNeighbours = 4;
// Guesses are offered for words of at least this many bytes.
constexpr size_t kMinGuessedWord = 3;
constexpr size_t kMaxFormLemmas = 5;

// FNV-1a of the text with the byte at `skip` left out (none when skip is past the end).
uint64_t HashText(const std::string& text, size_t skip = std::string::npos) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != skip) {
            hash ^= static_cast<unsigned char>(text[i]);
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

std::string Folded(const std::string& stored, bool greek) {
    std::string folded = stored;
    FoldBytes(&folded[0], folded.size(), greek);
    return folded;
}

}  // namespace

const char* MatchReasonName(MatchReason reason) {
    switch (reason) {
        case MatchReason::kExact:
            return "exact";
        case MatchReason::kPrefix:
            return "prefix";
        case MatchReason::kFormOf:
            return "form of";
        case MatchReason::kSpelling:
            return "spelling";
        case MatchReason::kTransliteration:
            return "transliteration";
        case MatchReason::kPhrase:
            return "phrase";
        case MatchReason::kClosest:
            return "closest";
    }
    return "";
}

struct Guesser::Index {
    struct Word {
        std::string text;            // as stored
        uint32_t translationOffset;  // item data
        uint32_t translationBytes;   // how much the entry says: long entries are common words
        uint32_t key;                // into keys (Greek headwords only)
    };
    const Engine* engine = nullptr;
    uint32_t generation = 0;
    std::vector<Word> words;
    std::vector<std::string> keys;
    std::vector<std::vector<uint32_t>> wordsOfKey;
    std::unordered_map<std::string, uint32_t> keyIds;
    // The hash of every key and of every key with one letter left out, with the key's id,
    // sorted: two keys one edit apart share an entry (symmetric deletion).
    std::vector<std::pair<uint64_t, uint32_t>> deletions;
    std::unordered_map<std::string, uint32_t> wordIds;  // first entry of each headword
    // Folded word -> the phrases (headwords with a blank) that hold it.
    std::unordered_map<std::string, std::vector<uint32_t>> phrasesOfWord;

    void Add(const char* text, size_t length, uint32_t translationOffset, uint32_t bytes);
    void Finish();
    bool Read(Engine& engine, DiskErrorSink* owner);
};

void Guesser::Index::Add(const char* text, size_t length, uint32_t translationOffset,
                         uint32_t bytes) {
    Word word{std::string(text, length), translationOffset, bytes, 0xFFFFFFFF};
    uint32_t id = static_cast<uint32_t>(words.size());
    wordIds.emplace(word.text, id);
    // Prefixes and suffixes ("καλλι-") are no words to offer for a word typed.
    bool affix = word.text.front() == '-' || word.text.back() == '-';
    if (IsGreekText(word.text.c_str()) && !affix) {
        std::string key = GreekSoundKey(word.text);
        auto found = keyIds.find(key);
        if (found == keyIds.end()) {
            found = keyIds.emplace(key, static_cast<uint32_t>(keys.size())).first;
            keys.push_back(key);
            wordsOfKey.emplace_back();
        }
        word.key = found->second;
        wordsOfKey[found->second].push_back(id);
    }
    if (word.text.find(' ') != std::string::npos) {
        size_t start = 0;
        while (start <= word.text.size()) {
            size_t end = word.text.find(' ', start);
            if (end == std::string::npos) {
                end = word.text.size();
            }
            if (end > start) {
                std::string part = word.text.substr(start, end - start);
                std::vector<uint32_t>& phrases =
                    phrasesOfWord[Folded(part, IsGreekText(part.c_str()))];
                if (phrases.empty() || phrases.back() != id) {
                    phrases.push_back(id);
                }
            }
            start = end + 1;
        }
    }
    words.push_back(std::move(word));
}

void Guesser::Index::Finish() {
    for (uint32_t id = 0; id < keys.size(); ++id) {
        const std::string& key = keys[id];
        deletions.emplace_back(HashText(key), id);
        if (key.size() < kMinKeyForNeighbours) {
            continue;
        }
        for (size_t i = 0; i < key.size(); ++i) {
            deletions.emplace_back(HashText(key, i), id);
        }
    }
    std::sort(deletions.begin(), deletions.end());
    deletions.erase(std::unique(deletions.begin(), deletions.end()), deletions.end());
}

// Every entry of every letter block of the main dictionary, walking the index as the search
// does: the letter records only forward, so a damaged index ends the walk.
bool Guesser::Index::Read(Engine& engine, DiskErrorSink* owner) {
    if (!engine.mainIndex || !engine.mainBody) {
        return false;
    }
    uint64_t at = 0;
    for (;;) {
        unsigned char bytes[kIndexLetterRecordSize];
        SeekDictFile(engine.mainIndex, at);
        if (GuardedRead(owner, engine.mainIndex, bytes, sizeof bytes) != sizeof bytes) {
            break;
        }
        IndexLetterRecord record;
        DecodeLetterRecord(bytes, &record);
        SeekDictFile(engine.mainBody, record.blockOffset);
        uint64_t running = record.blockOffset;
        uint32_t remaining = record.blockLength;
        char* buffer = engine.bufferA;
        while (remaining > 0) {
            uint32_t n = ReadBlockChunk(owner, engine.mainBody, buffer, remaining);
            if (n == 0) {
                break;
            }
            size_t entry = 0;
            while (entry < n) {
                size_t head = 0;
                while (entry + head < n && buffer[entry + head] != ',' &&
                       buffer[entry + head] != '\0') {
                    ++head;
                }
                size_t end = entry + head;
                while (end < n && buffer[end] != '\0') {
                    ++end;
                }
                uint64_t translation = running + entry + head + 1;
                if (head > 0 && head <= kMaxItemSize && translation < kUserDictItemFlag) {
                    Descramble(engine, buffer + entry, running + entry, head);
                    Add(buffer + entry, head, static_cast<uint32_t>(translation),
                        static_cast<uint32_t>(end - entry - head));
                }
                entry = end + 1;
            }
            running += n;
            remaining = n >= remaining ? 0 : remaining - n;
            if (n < kChunkSize) {
                break;
            }
        }
        if (record.next <= at) {
            break;
        }
        at = record.next;
    }
    Finish();
    return true;
}

FormLemmas WordFormsLemmas(const std::string& path) {
    struct Table {
        std::string path;
        WordForms forms;
        bool tried = false;
    };
    auto table = std::make_shared<Table>();
    table->path = path;
    return [table](std::string_view form) {
        if (!table->tried) {
            table->tried = true;
            table->forms.Open(table->path);
        }
        return table->forms.LemmasOf(form);
    };
}

Guesser::Guesser() = default;
Guesser::~Guesser() = default;

void Guesser::SetFormLemmas(FormLemmas lemmas) {
    formLemmas_ = std::move(lemmas);
}

void Guesser::EnsureIndex(Engine& engine, DiskErrorSink* owner) {
    if (index_ && index_->engine == &engine && index_->generation == engine.filesGeneration) {
        return;
    }
    index_.reset(new Index);
    index_->engine = &engine;
    index_->generation = engine.filesGeneration;
    index_->Read(engine, owner);
}

void Guesser::ForgetLast() {
    last_.clear();
    lastPhrases_.clear();
}

void Guesser::Prepare(Engine& engine, DiskErrorSink* owner) {
    EnsureIndex(engine, owner);
}

namespace {

std::string Lowered(const std::string& stored) {
    std::string lowered = stored;
    LowerText(&lowered[0]);
    return lowered;
}

bool StartsWithCapital(const std::string& stored) {
    return !stored.empty() && LowerGreekChar(static_cast<unsigned char>(stored[0])) !=
                                  static_cast<unsigned char>(stored[0]);
}

}  // namespace

void Guesser::AddSoundAlikes(const std::vector<std::string>& keys, const std::string& spelt,
                             bool neighbours, MatchReason reason,
                             std::vector<GuessedWord>* out) const {
    // How closely a candidate is spelt like the word, by rank: its key, its letters without
    // accents, a capital the word does not have, its letters with their accents, and then the
    // longer entry, the commoner word as a rule.
    struct Candidate {
        uint32_t word;
        int keyDistance;
        int letterDistance;
        bool capital;
        int accentDistance;
        size_t reading;  // which of the keys
    };
    const std::string folded = Folded(spelt, true);
    const std::string lowered = Lowered(spelt);
    // Greeklish has no accents to compare.
    const bool accents = reason == MatchReason::kSpelling;
    std::vector<Candidate> candidates;
    auto addKey = [&](uint32_t keyId, int distance, size_t reading) {
        for (uint32_t word : index_->wordsOfKey[keyId]) {
            const std::string& text = index_->words[word].text;
            candidates.push_back({word, distance, EditDistance(folded, Folded(text, true), 9),
                                  StartsWithCapital(text),
                                  accents ? EditDistance(lowered, Lowered(text), 9) : 0, reading});
        }
    };
    for (size_t reading = 0; reading < keys.size(); ++reading) {
        const std::string& key = keys[reading];
        if (key.size() < 2) {
            continue;
        }
        auto exact = index_->keyIds.find(key);
        if (exact != index_->keyIds.end()) {
            addKey(exact->second, 0, reading);
        }
        if (!neighbours || key.size() < kMinKeyForNeighbours) {
            continue;
        }
        std::vector<uint64_t> probes = {HashText(key)};
        for (size_t i = 0; i < key.size(); ++i) {
            probes.push_back(HashText(key, i));
        }
        std::vector<uint32_t> near;
        for (uint64_t probe : probes) {
            auto range = std::equal_range(
                index_->deletions.begin(), index_->deletions.end(), std::make_pair(probe, 0u),
                [](const std::pair<uint64_t, uint32_t>& a, const std::pair<uint64_t, uint32_t>& b) {
                    return a.first < b.first;
                });
            for (auto it = range.first; it != range.second; ++it) {
                near.push_back(it->second);
            }
        }
        std::sort(near.begin(), near.end());
        near.erase(std::unique(near.begin(), near.end()), near.end());
        for (uint32_t keyId : near) {
            if (index_->keys[keyId] != key && EditDistance(key, index_->keys[keyId], 1) == 1) {
                addKey(keyId, 1, reading);
            }
        }
    }
    const std::vector<Index::Word>& words = index_->words;
    std::sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        if (a.keyDistance != b.keyDistance) {
            return a.keyDistance < b.keyDistance;
        }
        if (a.letterDistance != b.letterDistance) {
            return a.letterDistance < b.letterDistance;
        }
        if (a.capital != b.capital) {
            return !a.capital;
        }
        if (a.accentDistance != b.accentDistance) {
            return a.accentDistance < b.accentDistance;
        }
        if (words[a.word].translationBytes != words[b.word].translationBytes) {
            return words[a.word].translationBytes > words[b.word].translationBytes;
        }
        if (a.reading != b.reading) {
            return a.reading < b.reading;
        }
        return a.word < b.word;
    });
    for (const Candidate& candidate : candidates) {
        if (out->size() >= kMaxSpellingGuesses) {
            break;
        }
        const Index::Word& word = words[candidate.word];
        bool listed = std::any_of(out->begin(), out->end(), [&](const GuessedWord& guess) {
            return guess.translationOffset == word.translationOffset;
        });
        if (!listed) {
            out->push_back({word.text, word.translationOffset, reason});
        }
    }
}

std::vector<GuessedWord> Guesser::Find(Engine& engine, DiskErrorSink* owner, const char* typed,
                                       bool greek, bool hasPrefixMatches) {
    last_.clear();
    std::string word = typed;
    if (word.size() < kMinGuessedWord) {
        return last_;
    }
    EnsureIndex(engine, owner);
    if (greek && formLemmas_) {
        for (const std::string& lemma : formLemmas_(word)) {
            auto found = index_->wordIds.find(lemma);
            bool listed = std::any_of(last_.begin(), last_.end(), [&](const GuessedWord& guess) {
                return guess.headword == lemma;
            });
            if (found != index_->wordIds.end() && lemma != word && !listed &&
                last_.size() < kMaxFormLemmas) {
                const Index::Word& entry = index_->words[found->second];
                last_.push_back({entry.text, entry.translationOffset, MatchReason::kFormOf});
            }
        }
    }
    // A word that sounds just like a headword is a slip even when headwords begin with it;
    // one an edit away is offered only when none do.
    if (greek) {
        AddSoundAlikes({GreekSoundKey(word)}, word, !hasPrefixMatches, MatchReason::kSpelling,
                       &last_);
    } else {
        AddSoundAlikes(GreeklishSoundKeys(word), GreeklishLetters(word), true,
                       MatchReason::kTransliteration, &last_);
    }
    return last_;
}

std::vector<GuessedWord> Guesser::PhrasesWith(Engine& engine, DiskErrorSink* owner,
                                              const char* word) {
    lastPhrases_.clear();
    std::string text = word;
    if (text.size() < kMinGuessedWord || text.find(' ') != std::string::npos) {
        return lastPhrases_;
    }
    EnsureIndex(engine, owner);
    auto found = index_->phrasesOfWord.find(Folded(text, IsGreekText(text.c_str())));
    if (found == index_->phrasesOfWord.end()) {
        return lastPhrases_;
    }
    for (uint32_t id : found->second) {
        if (lastPhrases_.size() >= kMaxPhrases) {
            break;
        }
        const Index::Word& phrase = index_->words[id];
        lastPhrases_.push_back({phrase.text, phrase.translationOffset, MatchReason::kPhrase});
    }
    return lastPhrases_;
}
