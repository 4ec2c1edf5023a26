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

// Stored bytes to UTF-8 / UTF-16, the code page chosen by IsGreekText of the whole text.
std::string StoredToUtf8(const char* stored);
std::u16string StoredToUtf16(const char* stored);
// The same with a given code page.
std::string StoredToUtf8As(const char* stored, CodePage page);
std::u16string StoredToUtf16As(const char* stored, CodePage page);

// Appends the UTF-8 form of one character.
void AppendUtf8(char32_t c, std::string* out);
