// Collecting entries for one dictionary source file: fitting the text to the code pages,
// keeping the format's limits, merging repeated headwords, and counting everything that was
// left out, by reason.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// The body format's limits, in bytes of the 8-bit encoding (one byte per character).
constexpr size_t kMaxWordBytes = 149;
constexpr size_t kMaxEntryBytes = 3000;

struct SourceEntry {
    std::string headword;
    std::vector<std::string> items;
};

struct ImportSummary {
    long entries = 0;
    long items = 0;
    std::map<std::string, long> left;  // "entries dropped: ...", "items cut: ..." -> count
    void Count(const std::string& reason, long n = 1) {
        if (n > 0) {
            left[reason] += n;
        }
    }
};

class DictionarySource {
public:
    // Adds translations to a headword; a headword added before gets the new items that it does
    // not hold yet (the same word from two articles, or from both directions of a pair).
    void Add(const std::string& headword, const std::vector<std::string>& items);

    // The entries in the order their headwords first came, each cut to the entry limit, and
    // without the entries that kept no translation. Fills the summary's counts.
    std::vector<SourceEntry> Finish(ImportSummary& summary);

    ImportSummary& Summary() { return summary_; }

private:
    bool Fit(const std::string& text, std::string& out, const char* what, bool headword);

    std::vector<SourceEntry> entries_;
    std::map<std::string, size_t> byHeadword_;
    ImportSummary summary_;
};

// Number of bytes the text takes in the 8-bit encoding.
size_t EncodedLength(const std::string& utf8);

struct SourceHeaderLine {
    std::string name;  // without the "@"
    std::string value;
};

// Writes the compiler's source file: header lines, then "headword TAB item TAB item" lines.
bool WriteSourceFile(const std::string& path, const std::vector<SourceHeaderLine>& header,
                     const std::vector<SourceEntry>& entries, std::string& error);
