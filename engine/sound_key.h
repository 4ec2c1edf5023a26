// Sound-alike keys: a spelling of a Greek word by how it sounds, so that the slips learners make
// by ear meet the word they meant.
//
// The key is ASCII. Every spelling of a sound gives the same letter:
//   ι η υ ει οι υι -> i      ε αι -> e      ο ω -> o      α -> a      ου -> u
//   αυ ευ ηυ -> af ef if before θ κ ξ π σ τ φ χ ψ or at the end, av ev iv elsewhere
//   β -> v   γ -> y   γγ γκ νγ -> g   δ -> D   ντ -> d   μπ -> b   ζ -> z   θ -> 8   κ -> k
//   λ -> l   μ -> m   ν -> n   ξ -> ks   π -> p   ρ -> r   σ ς -> s   τ -> t   φ -> f
//   χ -> h   ψ -> ps
// Accents, case and the dialytika go (a dialytika still keeps its vowel apart: "οϊ" is o-i, not
// i); a doubled consonant counts once; blanks stay, so a phrase keeps its words; any other
// character is left out.
//
// Greeklish (Greek in Latin letters) maps into the same keys. A Latin letter that stands for
// more than one Greek sound gives one key for each (h: η or χ; x: χ or ξ; u: υ or ου; b: β or
// μπ; d: δ or ντ; g: γ or γκ; c: κ or σ); the digraphs th, ch, kh, ps, ks, ph, ou, ei, oi, ai,
// mp, nt, gg, gk, ng, au, eu, ay, ey and the digits 8 (θ) and 3 (ξ) are read as one sound.
#pragma once

#include <string>
#include <vector>

// The key of a Greek word given as stored bytes (Windows-1253).
std::string GreekSoundKey(const std::string& stored);

// The keys a Latin word (stored bytes, Windows-1252) may stand for as Greeklish, the most
// likely reading first; at most kMaxGreeklishKeys. Empty when the word has no Latin letter.
constexpr size_t kMaxGreeklishKeys = 16;
std::vector<std::string> GreeklishSoundKeys(const std::string& stored);

// The most literal Greek spelling of a Latin word read as Greeklish (stored bytes,
// Windows-1253), to rank the headwords of one key by.
std::string GreeklishLetters(const std::string& stored);

// The edit distance between two texts, counting a swap of two neighbours as one edit
// (optimal string alignment); stops counting at `limit` and returns limit + 1 beyond it.
int EditDistance(const std::string& a, const std::string& b, int limit);
