// How a FreeDict article becomes dictionary entries.
//
// FreeDict's dictd articles come in two layouts:
//  - "sense" layout (the WikDict-made databases, e.g. ell-eng, fra-ell): the first line is the
//    headword, its pronunciations ("/.../") and its part of speech ("<...>"); then, per sense, a
//    line of translations, numbered "1. ", "2. " when there are several senses, followed by
//    notes in the source language (definitions, domains). A translation line may end in a
//    stray sub-sense number (" 2."), and a note may be a bare sub-sense number (" 3.").
//  - "paragraph" layout (eng-ell): the header line, a blank line, then one paragraph of
//    translations that may wrap onto indented continuation lines.
//
// The mapping:
//  1. The headword is the header line without its part-of-speech marks and pronunciations (and
//     a stray trailing comma). In the paragraph layout a header "autumn, fall" lists variants:
//     each becomes an entry with the same translations. In the sense layout a comma inside the
//     headword belongs to a phrase ("τέλος καλό, όλα καλά"); the body cannot hold a comma, so
//     it is left out ("τέλος καλό όλα καλά", "ό τι").
//  2. The translations are, in the sense layout, the numbered lines (without their number) and
//     the first line after the header; every other line is a note and is dropped. Databases
//     into Greek (X-ell) number some of their notes as well, so there a line without a Greek
//     letter is a note too. In the paragraph layout the translations are the whole paragraph,
//     lines joined by a space. A trailing sense number (" 2.") is removed.
//  3. A translation line is split into items at its commas, except commas inside brackets,
//     which become ";" ("κηρύσσω (πόλεμο; την έναρξη κλπ)"). Multi-word items stay whole.
//  4. Runs of white space become one space; items are trimmed; empty items, repeats of an
//     item already in the entry and WikDict's placeholders for a missing translation ("ΧΧΧ")
//     are dropped.
#pragma once

#include <string>
#include <vector>

enum class ArticleLayout { Sense, Paragraph };

struct MappedArticle {
    std::vector<std::string> headwords;  // one or more variants sharing the items
    std::vector<std::string> items;
    std::string partOfSpeech;  // the first "<...>" mark's first word ("n", "v", "adj"), or ""
    int notesDropped = 0;      // note lines of the sense layout left out
    int placeholdersDropped = 0;
};

ArticleLayout DetectArticleLayout(const std::string& text);

// translationsAreGreek: the database translates into Greek (X-ell).
MappedArticle MapArticle(const std::string& text, bool translationsAreGreek);

// Step 1 and steps 3-4 by themselves, for the header line and for one line of translations.
std::vector<std::string> HeadwordsOfHeader(const std::string& header, ArticleLayout layout);
std::string PartOfSpeechOfHeader(const std::string& header);
std::vector<std::string> SplitTranslationLine(const std::string& line);

// Collapses white-space runs to one space and trims both ends.
std::string CleanSpaces(const std::string& text);
