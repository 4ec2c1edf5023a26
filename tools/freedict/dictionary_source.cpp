#include "tools/freedict/dictionary_source.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "engine/code_pages.h"
#include "tools/freedict/code_page_fit.h"

size_t EncodedLength(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

bool DictionarySource::Fit(const std::string& text, std::string& out, const char* what,
                           bool headword) {
    char32_t bad = 0;
    switch (FitToCodePages(text, out, bad)) {
        case FitResult::Unchanged:
            break;
        case FitResult::Approximated:
            summary_.Count(std::string(what) + " with a character replaced by a close equivalent");
            break;
        case FitResult::Unstorable:
            summary_.Count(std::string(what) + " dropped: a character outside Windows-1252/1253");
            return false;
    }
    // A translation is shown in Windows-1253 when the language test calls it Greek and in
    // Windows-1252 otherwise; one that would not read back as written (a lone "à" reads as
    // the Greek "ΰ"; a Greek word ending in a Latin "s" as Latin letters) is left out rather
    // than shown garbled. A headword is found and listed in the script of the query that
    // finds it, so it needs only to be all of one script: "å" and "ö" stay.
    std::string stored;
    EncodeError error;
    CodePage page = IsGreekTypedText(out) ? CodePage::kWindows1253 : CodePage::kWindows1252;
    if (!Utf8ToStored(out, &stored, &error) ||
        (headword ? StoredToUtf8As(stored.c_str(), page) : StoredToUtf8(stored.c_str())) != out) {
        summary_.Count(std::string(what) + " dropped: would not show as written (mixed scripts)");
        return false;
    }
    return true;
}

void DictionarySource::Add(const std::string& headword, const std::vector<std::string>& items) {
    std::string word;
    if (!Fit(headword, word, "entries", true)) {
        return;
    }
    if (word.empty()) {
        summary_.Count("entries dropped: empty headword");
        return;
    }
    if (word[0] == '#' || word[0] == '@') {
        summary_.Count("entries dropped: headword starts with # or @");
        return;
    }
    if (EncodedLength(word) > kMaxWordBytes) {
        summary_.Count("entries dropped: headword over 149 bytes");
        return;
    }
    // Merged by the word as written: "nić" and "nic" both become "nic" but stay two entries.
    auto found = byHeadword_.find(headword);
    if (found == byHeadword_.end()) {
        found = byHeadword_.emplace(headword, entries_.size()).first;
        entries_.push_back({word, {}});
    } else {
        summary_.Count("headwords merged with an earlier entry of the same word");
    }
    SourceEntry& entry = entries_[found->second];
    for (const std::string& item : items) {
        std::string text;
        if (!Fit(item, text, "items", false)) {
            continue;
        }
        if (text.empty()) {
            continue;
        }
        if (EncodedLength(text) > kMaxWordBytes) {
            summary_.Count("items dropped: over 149 bytes");
            continue;
        }
        if (std::find(entry.items.begin(), entry.items.end(), text) != entry.items.end()) {
            continue;
        }
        entry.items.push_back(text);
    }
}

std::vector<SourceEntry> DictionarySource::Finish(ImportSummary& summary) {
    std::vector<SourceEntry> result;
    for (SourceEntry& entry : entries_) {
        // headword, its "," and the terminator, then each item and the comma before the next
        size_t bytes = EncodedLength(entry.headword) + 2;
        size_t kept = 0;
        for (; kept < entry.items.size(); ++kept) {
            size_t more = EncodedLength(entry.items[kept]) + (kept > 0 ? 1 : 0);
            if (bytes + more > kMaxEntryBytes) {
                break;
            }
            bytes += more;
        }
        summary_.Count("items cut: entry over 3000 bytes", long(entry.items.size() - kept));
        entry.items.resize(kept);
        if (entry.items.empty()) {
            summary_.Count("entries dropped: no translation left");
            continue;
        }
        summary_.entries += 1;
        summary_.items += static_cast<long>(entry.items.size());
        result.push_back(std::move(entry));
    }
    entries_.clear();
    byHeadword_.clear();
    summary = summary_;
    return result;
}

bool WriteSourceFile(const std::string& path, const std::vector<SourceHeaderLine>& header,
                     const std::vector<SourceEntry>& entries, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = path + ": cannot create";
        return false;
    }
    out << "# Made by wordmere-freedict from Debian's FreeDict databases; do not edit.\n";
    for (const SourceHeaderLine& line : header) {
        out << '@' << line.name;
        if (!line.value.empty()) {
            out << ' ' << line.value;
        }
        out << '\n';
    }
    for (const SourceEntry& entry : entries) {
        out << entry.headword;
        for (const std::string& item : entry.items) {
            out << '\t' << item;
        }
        out << '\n';
    }
    out.flush();
    if (!out) {
        error = path + ": write failed";
        return false;
    }
    return true;
}
