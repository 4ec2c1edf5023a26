// The word-form table made from its sources: the dictionary's Greek headwords, the attested
// forms of a spell-checker's word list, the inflection rules and a written table of irregular
// forms. Everything here is stored bytes (Windows-1253) unless it says UTF-8.
#pragma once

#include <string>
#include <vector>

#include "engine/word_forms.h"

// A line of the irregular table: the forms of one headword. The headword may be given in
// several spellings (πηγαίνω|πάω); the first that is a headword of the dictionary is used.
struct IrregularForms {
    std::vector<std::string> headwords;
    std::vector<std::string> forms;
};

// Whether a word is one lower-case Greek word: the only kind the table holds.
bool IsLowerGreekWord(const std::string& word);

// Reads the irregular table (UTF-8): "headword[|headword...]: form form ...", '#' comments and
// blank lines ignored. False with a message naming the line for a line it cannot read.
bool ReadIrregularTable(const std::string& utf8, std::vector<IrregularForms>* table,
                        std::string* error);

// A headword of the dictionary (stored bytes) and its translations (as the source has them).
struct SourceHeadword {
    std::string headword;
    std::vector<std::string> translations;
};

// The headwords of a compiler source (UTF-8): every entry line whose first field is a
// lower-case Greek word, with the fields after it.
std::vector<SourceHeadword> ReadSourceHeadwords(const std::string& utf8);

// The attested forms of a word list in ISO 8859-7, one word a line (a hunspell .dic without
// affix flags; its first line, the count, and words with capitals are left out).
std::vector<std::string> ReadAttestedForms(const std::string& iso88597);

// The table: each attested form whose letters a rule makes from a headword, with that
// headword, and every irregular form with its headword. A form's headwords come best first:
// the irregular table's, then those made by rules the headword shows signs of following, then
// those that are no form of another candidate, then those whose accent falls on the same
// syllable, then those with more forms, then those sharing the longest beginning with the
// form. A headword is not listed as a form of itself.
std::vector<WordFormEntry> BuildFormEntries(const std::vector<SourceHeadword>& headwords,
                                            const std::vector<std::string>& attested,
                                            const std::vector<IrregularForms>& irregular);
