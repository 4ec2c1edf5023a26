// Inflection rules for Modern Greek nouns, adjectives and verbs, used at build time to find
// which attested word forms belong to which headword. Words are stored bytes (Windows-1253,
// lower case). The rules work on accentless keys: the accent of an inflected form moves by
// rules of its own (άνθρωπος, ανθρώπου; γράφω, έγραψα), and the list of attested forms says
// where it really falls, so a candidate only names the letters.
#pragma once

#include <string>
#include <vector>

// The word without its accents and with a final sigma written as a medial one: the key under
// which attested forms are matched. The diaeresis stays (it changes the letters' sound).
std::string AccentlessKey(const std::string& word);

// The keys of the forms a headword may have, in groups: the declension of a noun or adjective
// by its ending (all genders and classes that ending allows), comparatives and adverbs, and for
// a verb its present, imperfect, aorist (with and without the syllabic augment), future and
// subjunctive, imperative, passive and participle forms from the stems its ending gives. Many
// candidates are not words; the attested list decides. The headword's own key may be among
// them.
struct CandidateGroup {
    std::vector<std::string> keys;
    // Keys whose attestation shows the headword really inflects this way (a verb's present,
    // an adjective's comparative); empty when the group needs no such sign.
    std::vector<std::string> evidence;
    // Without an attested sign the group is left out (true), or its forms rank after the
    // forms of other headwords (false).
    bool dropWithoutEvidence = false;
};
std::vector<CandidateGroup> CandidateGroups(const std::string& headword);
