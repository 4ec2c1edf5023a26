// Byte-wise folding of 8-bit text (Windows-1253 Greek, Windows-1252 Latin) and the language
// test that decides which fold applies to a word.
#pragma once

#include <cstddef>

// One-byte mappings; bytes a table does not name come back unchanged.
unsigned char FoldGreekChar(unsigned char c);   // lower case, no accents, final sigma medial
unsigned char FoldLatinChar(unsigned char c);   // lower case, no diacritics
unsigned char LowerGreekChar(unsigned char c);  // lower case only, accents kept

// A character fold as used for index keys.
typedef unsigned char (*CharFold)(unsigned char c);
inline CharFold FoldForScript(bool greek) {
    return greek ? FoldGreekChar : FoldLatinChar;
}

// Folds a NUL-terminated string in place: FoldGreekChar when `greek` (the query-script flag)
// holds, FoldLatinChar otherwise.
void FoldText(char* text, bool greek);
// The same over exactly `length` bytes (NULs included).
void FoldBytes(char* text, size_t length, bool greek);
// Lower-cases in place with LowerGreekChar, whatever the script.
void LowerText(char* text);
// Deletes every '-' and closes the gaps.
void RemoveHyphens(char* text);
// Removes leading spaces from a string of at least 2 bytes (looks at no more than 99 bytes);
// a string of 0 or 1 byte stays as it is.
void TrimLeadingSpaces(char* text);
// Overwrites trailing spaces with NULs.
void TrimTrailingSpaces(char* text);

// Whether two NUL-terminated names are the same but for the case of their ASCII letters (file
// names, registry value names).
bool SameAsciiNoCase(const char* a, const char* b);

// Whether the text counts as Greek (bytes 0xA0..0xFF are Greek letters, 0x41..0x9F Latin).
bool IsGreekText(const char* text);
// True when a blank-separated word of the text is purely Greek with more than two Greek
// letters; `otherwise` when there is none.
bool HasGreekWord(const char* text, bool otherwise);
