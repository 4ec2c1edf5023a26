// The credits of a FreeDict database, read from its own information entry (00-database-info),
// and the About lines that name them in each dictionary built from it: the FreeDict data is
// licensed, and its sources, makers and licence travel with the program that ships it.
#pragma once

#include <string>
#include <vector>

struct DatabaseCredits {
    std::string database;  // "ell-fra"
    std::string title;     // the entry's first line
    std::string edition;
    std::string maintainer;  // "Maintainer:", else "converted by:"
    std::string licence;     // the first paragraph under "Availability:"
    std::string source;      // the first paragraph under "Source(s):", without its links
};

// Reads the fields out of the text of the information entry; missing ones stay empty.
DatabaseCredits ParseDatabaseInfo(const std::string& database, const std::string& info);

// The About lines of a dictionary made of these databases (UTF-8, each at most kCreditLineLength
// characters, 20 lines at most; the About list centres them): a heading, then per database its
// title, edition and maintainer, licence and source, with the labels in Greek when greek is set.
// Every character is one the dictionaries can store (a stand-in or "?" otherwise), and "@" of the
// data is written
// "(at)" so that the About list does not take it for a separator.
// `closing` texts come last, each after a separator; the FreeDict lines give way to them when
// all would not fit.
std::vector<std::string> CreditLines(const std::string& heading,
                                     const std::vector<DatabaseCredits>& databases, bool greek,
                                     const std::vector<std::string>& closing = {});

// The trailer holds 69 characters a line, but the About list shows only about 66 average
// characters of its font, with no horizontal scroll bar: a line of 69 Greek and Latin letters
// was cut at both ends. 60 leaves room for lines of wide letters.
constexpr size_t kCreditLineLength = 60;
constexpr size_t kCreditLineCount = 20;
