#include "tools/freedict/dictd_database.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

struct IndexLine {
    std::string word;
    unsigned long long offset;
    unsigned long long length;
};

bool InflateWholeFile(const std::string& path, std::string& data, std::string& error) {
    // gzread also reads plain, uncompressed files, which dictd accepts as well.
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        error = path + ": cannot open";
        return false;
    }
    data.clear();
    char buffer[65536];
    for (;;) {
        int n = gzread(file, buffer, sizeof buffer);
        if (n < 0) {
            int code = 0;
            error = path + ": damaged compressed data (" + gzerror(file, &code) + ")";
            gzclose(file);
            return false;
        }
        if (n == 0) {
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    gzclose(file);
    return true;
}

bool IsInformationEntry(const std::string& word) {
    return word.compare(0, 10, "00database") == 0 || word.compare(0, 11, "00-database") == 0;
}

}  // namespace

bool DecodeDictdNumber(const std::string& text, unsigned long long& value) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (text.empty() || text.size() > 10) {
        return false;
    }
    value = 0;
    for (char c : text) {
        const char* p = c ? std::char_traits<char>::find(kAlphabet, 64, c) : nullptr;
        if (!p) {
            return false;
        }
        value = value * 64 + static_cast<unsigned long long>(p - kAlphabet);
    }
    return true;
}

bool ReadDictdDatabase(const std::string& indexPath, const std::string& dictPath,
                       std::vector<DictdArticle>& articles, std::string& error) {
    std::ifstream index(indexPath, std::ios::binary);
    if (!index) {
        error = indexPath + ": cannot open";
        return false;
    }
    std::vector<IndexLine> lines;
    std::string line;
    int lineNumber = 0;
    while (std::getline(index, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        IndexLine entry;
        if (tab2 == std::string::npos ||
            !DecodeDictdNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), entry.offset) ||
            !DecodeDictdNumber(line.substr(tab2 + 1), entry.length)) {
            error = indexPath + ": line " + std::to_string(lineNumber) + " is not an index line";
            return false;
        }
        entry.word = line.substr(0, tab1);
        if (!IsInformationEntry(entry.word)) {
            lines.push_back(entry);
        }
    }

    std::string data;
    if (!InflateWholeFile(dictPath, data, error)) {
        return false;
    }

    std::stable_sort(lines.begin(), lines.end(),
                     [](const IndexLine& a, const IndexLine& b) { return a.offset < b.offset; });
    articles.clear();
    std::set<std::pair<unsigned long long, unsigned long long>> seen;
    for (const IndexLine& entry : lines) {
        if (entry.offset > data.size() || entry.length > data.size() - entry.offset) {
            error = indexPath + ": entry \"" + entry.word + "\" points past the end of " + dictPath;
            return false;
        }
        if (!seen.insert({entry.offset, entry.length}).second) {
            continue;
        }
        articles.push_back({entry.word, data.substr(entry.offset, entry.length)});
    }
    return true;
}

bool ReadDictdInformation(const std::string& indexPath, const std::string& dictPath,
                          std::string& info, std::string& error) {
    std::ifstream index(indexPath, std::ios::binary);
    if (!index) {
        error = indexPath + ": cannot open";
        return false;
    }
    unsigned long long offset = 0, length = 0;
    bool found = false;
    for (std::string line; !found && std::getline(index, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        const std::string word = line.substr(0, tab1);
        found = (word == "00-database-info" || word == "00databaseinfo") &&
                tab2 != std::string::npos &&
                DecodeDictdNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), offset) &&
                DecodeDictdNumber(line.substr(tab2 + 1), length);
    }
    if (!found) {
        error = indexPath + ": no information entry";
        return false;
    }
    std::string data;
    if (!InflateWholeFile(dictPath, data, error)) {
        return false;
    }
    if (offset > data.size() || length > data.size() - offset) {
        error = indexPath + ": the information entry points past the end of " + dictPath;
        return false;
    }
    info = data.substr(offset, length);
    return true;
}
