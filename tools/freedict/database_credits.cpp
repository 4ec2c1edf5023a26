#include "tools/freedict/database_credits.h"

#include <algorithm>

#include <sstream>

#include "tools/freedict/code_page_fit.h"

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool Indented(const std::string& line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

// "Name: value" at the start of an unindented line.
bool FieldValue(const std::string& line, const char* name, std::string& value) {
    const std::string prefix = std::string(name) + ":";
    if (line.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    value = Trim(line.substr(prefix.size()));
    return true;
}

// The first paragraph of the indented block under a heading line: its lines joined by single
// spaces; a new paragraph starts at a line indented deeper than 2 after the first.
std::string FirstParagraph(const std::vector<std::string>& lines, size_t heading) {
    std::string text;
    for (size_t i = heading + 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Trim(line).empty()) {
            if (!text.empty()) {
                break;
            }
            continue;
        }
        if (!Indented(line)) {
            break;
        }
        if (!text.empty() && line.compare(0, 4, "    ") == 0) {
            break;
        }
        text += (text.empty() ? "" : " ") + Trim(line);
    }
    return text;
}

// Links in square brackets say nothing in a dialog line.
std::string WithoutLinks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '[') {
            const size_t end = text.find(']', i);
            if (end != std::string::npos) {
                i = end;
                while (!out.empty() && out.back() == ' ') {
                    out.pop_back();
                }
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// Every character storable in the dictionaries' code pages, and no "@".
std::string Storable(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        const size_t start = at;
        const char32_t c = NextCodePoint(text, at);
        if (c == U'@') {
            out += "(at)";
            continue;
        }
        std::string fitted;
        char32_t bad;
        if (FitToCodePages(text.substr(start, at - start), fitted, bad) == FitResult::Unstorable) {
            out += '?';
        } else {
            out += fitted;
        }
    }
    return out;
}

size_t CharCount(const std::string& text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); NextCodePoint(text, at)) {
        ++count;
    }
    return count;
}

// Wraps text at spaces into lines of at most width characters; the lines after the first start
// with indent. A word longer than a line is cut.
void Wrap(const std::string& text, const std::string& indent, std::vector<std::string>& lines) {
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        while (CharCount(indent) + CharCount(word) > kCreditLineLength) {
            size_t at = 0;
            for (size_t n = 0; n < kCreditLineLength - CharCount(indent) - 1; ++n) {
                NextCodePoint(word, at);
            }
            if (!line.empty()) {
                lines.push_back(line);
            }
            lines.push_back((lines.empty() ? "" : indent) + word.substr(0, at));
            line.clear();
            word = word.substr(at);
        }
        const std::string candidate =
            line.empty() ? (lines.empty() ? "" : indent) + word : line + " " + word;
        if (CharCount(candidate) > kCreditLineLength) {
            lines.push_back(line);
            line = indent + word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
}

// The About list decodes each line by its script, so a line keeps to one: Greek is named
// "Greek" in the databases' titles, and the Greek lines write accented Latin letters plain.
std::string InOneScript(const std::string& text, bool greek) {
    static const char* const kPlain[][2] = {
        {"à", "a"}, {"á", "a"}, {"â", "a"}, {"ä", "a"}, {"ã", "a"}, {"å", "a"}, {"ç", "c"},
        {"è", "e"}, {"é", "e"}, {"ê", "e"}, {"ë", "e"}, {"ì", "i"}, {"í", "i"}, {"î", "i"},
        {"ï", "i"}, {"ñ", "n"}, {"ò", "o"}, {"ó", "o"}, {"ô", "o"}, {"ö", "o"}, {"õ", "o"},
        {"ù", "u"}, {"ú", "u"}, {"û", "u"}, {"ü", "u"}, {"ý", "y"}, {"ÿ", "y"}, {"Å", "A"},
        {"Ä", "A"}, {"Ö", "O"}, {"Ü", "U"}, {"É", "E"}, {"ß", "ss"}};
    std::string out = text;
    // The databases' titles name Greek in Greek among Latin words; such a line would be
    // decoded as Latin in either list.
    for (const char* name : {"ελληνικά", "Ελληνικά"}) {
        for (size_t at = out.find(name); at != std::string::npos; at = out.find(name)) {
            out.replace(at, std::string(name).size(), "Greek");
        }
    }
    if (!greek) {
        return out;
    }
    for (const auto& pair : kPlain) {
        for (size_t at = out.find(pair[0]); at != std::string::npos; at = out.find(pair[0])) {
            out.replace(at, std::string(pair[0]).size(), pair[1]);
        }
    }
    return out;
}

}  // namespace

DatabaseCredits ParseDatabaseInfo(const std::string& database, const std::string& info) {
    DatabaseCredits credits;
    credits.database = database;
    std::vector<std::string> lines;
    std::istringstream in(info);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // dictd's copy of the entry may start with the entry's own name.
        if (lines.empty() &&
            (line.compare(0, 11, "00-database") == 0 || line.compare(0, 10, "00database") == 0)) {
            continue;
        }
        lines.push_back(line);
    }
    std::string convertedBy;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (credits.title.empty()) {
            credits.title = Trim(line);
            continue;
        }
        if (Indented(line)) {
            continue;
        }
        std::string value;
        if (FieldValue(line, "Maintainer", value) && credits.maintainer.empty()) {
            credits.maintainer = value;
        } else if (FieldValue(line, "converted by", value) && convertedBy.empty()) {
            convertedBy = value;
        } else if (FieldValue(line, "Edition", value) && credits.edition.empty()) {
            credits.edition = value;
        } else if (line.compare(0, 13, "Availability:") == 0 && credits.licence.empty()) {
            credits.licence = FirstParagraph(lines, i);
        } else if (line.compare(0, 10, "Source(s):") == 0 && credits.source.empty()) {
            credits.source = WithoutLinks(FirstParagraph(lines, i));
        }
    }
    if (credits.maintainer.empty()) {
        credits.maintainer = convertedBy;
    }
    return credits;
}

std::vector<std::string> CreditLines(const std::string& heading,
                                     const std::vector<DatabaseCredits>& databases, bool greek,
                                     const std::vector<std::string>& closing) {
    std::vector<std::string> lines;
    // marker goes before the first line as it is, after the data was made storable.
    auto add = [&](const std::string& text, const std::string& indent,
                   const std::string& marker = "") {
        std::vector<std::string> wrapped;
        Wrap(marker + Storable(InOneScript(text, greek)), indent, wrapped);
        lines.insert(lines.end(), wrapped.begin(), wrapped.end());
    };
    add(heading, "");
    add(greek ? "Δεδομένα από το έργο FreeDict (freedict.org):"
              : "Data from the FreeDict project (freedict.org):",
        "");
    for (const DatabaseCredits& d : databases) {
        // A separator before each database.
        add(d.database + ": " + d.title, "", "@line ");
        std::string edition;
        if (!d.edition.empty()) {
            edition = (greek ? "έκδοση " : "edition ") + d.edition;
        }
        if (!d.maintainer.empty()) {
            edition += (edition.empty() ? "" : ", ") +
                       std::string(greek ? "συντήρηση: " : "maintainer ") + d.maintainer;
        }
        if (!edition.empty()) {
            add(edition, "");
        }
        if (!d.licence.empty()) {
            add(std::string(greek ? "Άδεια: " : "Licence: ") + d.licence, "");
        }
        if (!d.source.empty()) {
            add(std::string(greek ? "Πηγή: " : "Source: ") + d.source, "");
        }
    }
    std::vector<std::string> freeDictLines;
    freeDictLines.swap(lines);
    for (const std::string& text : closing) {
        add(text, "", "@line ");
    }
    size_t room = kCreditLineCount - std::min(lines.size(), kCreditLineCount);
    if (freeDictLines.size() > room) {
        freeDictLines.resize(room);
    }
    lines.insert(lines.begin(), freeDictLines.begin(), freeDictLines.end());
    lines.resize(std::min(lines.size(), kCreditLineCount));
    return lines;
}
