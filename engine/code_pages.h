// Conversion between UTF-8/UTF-16 and the stored 8-bit text, table-driven.
//
// Encoding is per character: Greek letters (and the Greek-only signs of Windows-1253) go to
// Windows-1253, everything else to Windows-1252. A stored text is decoded as Windows-1253
// when IsGreekText holds for it, else as Windows-1252.
#pragma once

#include <cstddef>
#include <string>

enum class CodePage { kWindows1252, kWindows1253 };

// The character of a byte; U+FFFD for a byte the code page leaves undefined.
char32_t DecodeCodePageByte(CodePage page, unsigned char byte);
// The byte of a character in one code page, or -1.
int EncodeCodePageChar(CodePage page, char32_t c);
// The stored byte of a character by the per-character rule, or -1 when neither page holds it.
int EncodeStoredChar(char32_t c);

struct EncodeError {
    size_t offset = 0;       // byte (UTF-8) or unit (UTF-16) offset of the bad character
    char32_t character = 0;  // the character no code page holds, or 0 for malformed input
};

// UTF-8 to stored bytes; false (with the first bad character in `error`) when the input is
// malformed or holds a character neither code page has. `out` is replaced.
bool Utf8ToStored(const std::string& utf8, std::string* out, EncodeError* error);
bool Utf16ToStored(const std::u16string& utf16, std::string* out, EncodeError* error);

// Text the user typed (or gave on a command line) to the stored bytes, character by
// character: a Greek letter to Windows-1253, any other character to Windows-1252, and a
// character neither holds to its closest stand-in (see StandInChar). False, with the first
// character that has no stand-in in `error` (character 0 for malformed input), when the text cannot
// be stored. `approximated`, when given, tells whether a stand-in was used. `out` is replaced. The
// lookup window and the shell tools both use this.
bool TypedToStored(const std::string& utf8, std::string* out, EncodeError* error,
                   bool* approximated = nullptr);
bool TypedToStored(const std::u16string& utf16, std::string* out, EncodeError* error,
                   bool* approximated = nullptr);

// A character as text to be stored: the character itself when a code page holds it, else a
// close stand-in (Latin letters with diacritics the code pages lack by their base letter,
// "ł" by "l", "ș" by "s", no-break and narrow spaces by a space, dashes and the minus sign by
// "-", sub- and superscript digits by the digit), kNoStandIn for a character with none, and
// kDroppedChar for one that is best left out (zero-width and directional marks).
// The no-break space becomes a space too: its byte 0xA0 would count as a Greek letter.
constexpr char32_t kNoStandIn = 0;
constexpr char32_t kDroppedChar = 0xFFFF;
char32_t StandInChar(char32_t c);

// Whether typed text is Greek: the language test of stored text (IsGreekText), applied to
// the characters themselves, so that "ö" counts as Latin and "φ" as Greek although both are
// byte 0xF6 once stored. Callers that start from Unicode text use this to tell the search
// the query's script.
bool IsGreekTypedText(const std::string& utf8);
bool IsGreekTypedText(const std::u16string& utf16);

// Stored bytes to UTF-8 / UTF-16, the code page chosen by IsGreekText of the whole text.
std::string StoredToUtf8(const char* stored);
std::u16string StoredToUtf16(const char* stored);
// The same with a given code page.
std::string StoredToUtf8As(const char* stored, CodePage page);
std::u16string StoredToUtf16As(const char* stored, CodePage page);

// Appends the UTF-8 form of one character.
void AppendUtf8(char32_t c, std::string* out);
