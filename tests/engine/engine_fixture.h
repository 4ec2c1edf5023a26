// Helpers for engine tests: dictionaries compiled from the sources in data/ (or built from
// entries in the test), opened from memory so that parallel tests share no files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "tools/dictc/dictc.h"

// UTF-8 to stored bytes (the test fails on text that cannot be stored).
std::string Stored(const std::string& utf8);
// Stored bytes to UTF-8.
std::string Utf8(const std::string& stored);

// Compiles a UTF-8 source text (header lines and entries, as dictc reads them).
void CompileSource(const std::string& text, std::string* body, std::string* index);
// The source text of a pairable dictionary between Greek and one language: its header (names
// in English and Greek, keyboard code 8, its own key) and the entry lines given.
std::string PairableSource(const std::string& english, const std::string& greek,
                           const std::string& key, const std::string& entries);

// Compiles data/<name>.txt into body and index bytes.
void CompileFixture(const std::string& name, std::string* body, std::string* index);
// Builds body and index from entries given in stored bytes (items may be empty).
void BuildEntries(const std::vector<std::vector<std::string>>& entries, const std::string& key,
                  std::string* body, std::string* index);

// An engine with a dictionary open from memory, a plain lookup view and options.
class OpenDictionary {
public:
    OpenDictionary(std::string body, std::string index, bool builtin = false);
    ~OpenDictionary();

    // Searches a UTF-8 query; the query as the search left it is in `query`.
    bool Search(const std::string& utf8Query);
    // The word list / translation list as UTF-8 texts.
    std::vector<std::string> Words() const;
    std::vector<std::string> Translations() const;

    std::string body;
    std::string index;
    std::unique_ptr<Engine> engine;
    PlainLookupView view;
    SearchOptions options;
    char query[100] = {};
    bool trailerValid = false;
};

std::unique_ptr<OpenDictionary> OpenFixture(const std::string& name);
