// Making FreeDict text storable: the dictionaries hold Greek in Windows-1253 and everything else
// in Windows-1252, one byte per character. A character neither code page holds is replaced by
// the stand-in the whole program uses (StandInChar: Polish "ł" by "l", "ș" by "s", a narrow
// no-break space by a space, a directional mark by nothing); otherwise the text cannot be
// stored and the caller drops it. Nothing is ever written as a stand-in byte.
#pragma once

#include <string>

enum class FitResult { Unchanged, Approximated, Unstorable };

// Whether Windows-1252 or Windows-1253 holds the character.
bool IsStorableChar(char32_t c);

// Fits UTF-8 text; on Unstorable `bad` is the first character that could not be stored
// (0xFFFD for a byte sequence that is not UTF-8). `out` receives the UTF-8 result.
FitResult FitToCodePages(const std::string& text, std::string& out, char32_t& bad);

// Next code point of UTF-8 text at `pos` (advanced); 0xFFFD and one byte on a bad sequence.
char32_t NextCodePoint(const std::string& text, size_t& pos);
