// The dictionary compiler: a UTF-8 source (header lines, then one entry per line) becomes a
// body (.dic) and an index (.ind). The format is described in tools/dictc/README.md.
#pragma once

#include <string>
#include <vector>

#include "engine/dictionary.h"

struct SourceLineEntry {
    std::string headword;            // stored bytes (Windows-1253 / Windows-1252)
    bool greek = false;              // the headword's script, told by its own characters
    std::vector<std::string> items;  // stored bytes, none empty
    int line = 0;
};

struct DictionarySourceFile {
    bool builtin = false;         // scrambled with the built-in key; a trailer only for About lines
    std::string key;              // the dictionary's key (ASCII, 0..12 bytes)
    DictionaryTrailer trailer{};  // header fields; magic and key are set when building
    std::vector<SourceLineEntry> entries;
    int skippedLines = 0;  // bad entry lines left out under skipBad
};

// Parses a source. Messages ("FILE:LINE: ...") go to `messages`. Returns false on any error;
// with skipBad, bad entry lines are reported and left out instead (header errors still fail).
bool ParseDictionarySource(const std::string& text, const std::string& fileName, bool skipBad,
                           DictionarySourceFile* source, std::vector<std::string>* messages);

// Orders the entries into index blocks and builds the scrambled body (with its trailer unless
// built in) and the index. False (with a message) when the body would be too large.
bool BuildDictionary(const DictionarySourceFile& source, std::string* body, std::string* index,
                     std::vector<std::string>* messages);

// Source text to OUTBASE.dic and OUTBASE.ind. Nothing is written when there are errors.
// `summary` receives the one-line summary.
bool CompileDictionaryText(const std::string& text, const std::string& fileName,
                           const std::string& outBase, bool skipBad, std::string* summary,
                           std::vector<std::string>* messages);
// The same from a source file.
bool CompileDictionaryFile(const std::string& sourcePath, const std::string& outBase, bool skipBad,
                           std::string* summary, std::vector<std::string>* messages);
