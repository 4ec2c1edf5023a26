// The Greek thesaurus, derived from the Greek-English data: two Greek words are related when
// they translate to the same English word. For each Greek word, the other Greek words that
// share an English translation with it are ranked by the evidence: every shared English word
// adds 1 / (number of other Greek words it translates), so a specific word ("lamb": αρνί,
// αρνάκι, αμνός) counts much more than a general one, and English words that stand for more than
// kMaxGroup Greek words ("get", "make") count nothing. Words of different parts of speech (as
// ell-eng marks them) are not related, which keeps "fast" from joining γρήγορα and νηστεία; and
// an English word whose Greek words have different parts of speech has several senses ("fine":
// γράφω, to fine; ωραίος), so through it a word of unknown part of speech is related to none.
// The best kMaxRelated are kept; words that differ from the headword only by accents or case
// are not offered.
//
// Greek words come from the Greek headwords of ell-eng (each with its English items) and from
// the Greek items of eng-ell that are plain words or short phrases (without brackets, at most
// three words), each related to its English headword. English words are compared in lower
// case and without bracketed remarks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/freedict/freedict_article.h"

constexpr size_t kMaxGroup = 30;
constexpr size_t kMaxRelated = 12;

struct ThesaurusEntry {
    std::string headword;
    std::vector<std::string> related;  // best first
};

std::vector<ThesaurusEntry> DeriveThesaurus(const std::vector<MappedArticle>& greekEnglish,
                                            const std::vector<MappedArticle>& englishGreek);

// Lower case without accents, diaeresis or final sigma (Greek) and lower-case ASCII.
std::string FoldForComparison(const std::string& utf8);

bool IsGreekOnlyText(const std::string& utf8);
