// Reading a dictd database as Debian installs it: a text index ("word TAB offset TAB length",
// numbers in dictd's base64) and the article text in a dictzip (gzip) file.
#pragma once

#include <string>
#include <vector>

struct DictdArticle {
    std::string indexWord;  // the index's (normalised) word of the article's first index line
    std::string text;       // the article as dictd serves it, UTF-8
};

// Decodes one of dictd's base64 numbers; false on a character outside the alphabet or overflow.
bool DecodeDictdNumber(const std::string& text, unsigned long long& value);

// Reads every article of the database once (several index lines may share an article), in the
// order the articles stand in the data file, skipping the "00-database" information entries.
// On failure returns false with a one-line message naming the file and the problem.
bool ReadDictdDatabase(const std::string& indexPath, const std::string& dictPath,
                       std::vector<DictdArticle>& articles, std::string& error);

// The text of the database's information entry ("00-database-info", or "00databaseinfo" as
// older tools index it). False with a one-line message when the files cannot be read or the
// database has no such entry.
bool ReadDictdInformation(const std::string& indexPath, const std::string& dictPath,
                          std::string& info, std::string& error);
