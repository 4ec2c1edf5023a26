#include "engine/folding.h"

#include <array>
#include <cstring>

namespace {

typedef std::array<unsigned char, 256> ByteTable;

constexpr ByteTable IdentityTable() {
    ByteTable t{};
    for (int i = 0; i < 256; ++i) {
        t[i] = static_cast<unsigned char>(i);
    }
    return t;
}

constexpr void MapTo(ByteTable& t, std::initializer_list<int> from, int to) {
    for (int b : from) {
        t[b] = static_cast<unsigned char>(to);
    }
}

constexpr void MapRangeTo(ByteTable& t, int first, int last, int to) {
    for (int b = first; b <= last; ++b) {
        t[b] = static_cast<unsigned char>(to);
    }
}

// The identity with the ASCII capitals lowered.
constexpr ByteTable AsciiLowered() {
    ByteTable t = IdentityTable();
    for (int b = 0x41; b <= 0x5A; ++b) {
        t[b] = static_cast<unsigned char>(b + 0x20);
    }
    return t;
}

// Lowers the Greek capitals 0xC1..last by their fixed distance to the small letters.
constexpr void LowerGreekCapitals(ByteTable& t, int last) {
    // 0xD2 is unassigned in Windows-1253; shifting it would turn it into final sigma.
    for (int b = 0xC1; b <= last; ++b) {
        if (b != 0xD2) {
            t[b] = static_cast<unsigned char>(b + 0x20);
        }
    }
}

constexpr ByteTable GreekFoldTable() {
    ByteTable t = AsciiLowered();
    // Ϊ and Ϋ lose their dialytika below.
    LowerGreekCapitals(t, 0xD9);
    MapTo(t, {0xA2, 0xDC}, 0xE1);
    MapTo(t, {0xB8, 0xDD}, 0xE5);
    MapTo(t, {0xB9, 0xDE}, 0xE7);
    MapTo(t, {0xBA, 0xC0, 0xDA, 0xDF, 0xFA}, 0xE9);
    MapTo(t, {0xBC, 0xFC}, 0xEF);
    MapTo(t, {0x9F, 0xBE, 0xDB, 0xE0, 0xFB, 0xFD}, 0xF5);
    MapTo(t, {0xBF, 0xFE}, 0xF9);
    MapTo(t, {0xF2}, 0xF3);
    return t;
}

constexpr ByteTable LatinFoldTable() {
    ByteTable t = AsciiLowered();
    MapRangeTo(t, 0xC0, 0xC5, 'a');
    MapRangeTo(t, 0xE0, 0xE5, 'a');
    MapRangeTo(t, 0xC8, 0xCB, 'e');
    MapRangeTo(t, 0xE8, 0xEB, 'e');
    MapRangeTo(t, 0xCC, 0xCF, 'i');
    MapRangeTo(t, 0xEC, 0xEF, 'i');
    MapRangeTo(t, 0xD2, 0xD6, 'o');
    MapRangeTo(t, 0xF2, 0xF6, 'o');
    MapRangeTo(t, 0xD9, 0xDC, 'u');
    MapRangeTo(t, 0xF9, 0xFC, 'u');
    MapTo(t, {0x8A, 0x9A, 0xDF}, 's');
    MapTo(t, {0x9F, 0xDD, 0xFD, 0xFF}, 'y');
    MapTo(t, {0xC7, 0xE7}, 'c');
    MapTo(t, {0xD1, 0xF1}, 'n');
    MapTo(t, {0x8C, 0x9C}, 0x9C);
    MapTo(t, {0xC6, 0xE6}, 0xE6);
    MapTo(t, {0xD0, 0xF0}, 0xF0);
    MapTo(t, {0xD8, 0xF8}, 0xF8);
    return t;
}

constexpr ByteTable GreekLowerTable() {
    ByteTable t = AsciiLowered();
    LowerGreekCapitals(t, 0xDB);
    MapTo(t, {0xA2}, 0xDC);
    MapTo(t, {0xB8}, 0xDD);
    MapTo(t, {0xB9}, 0xDE);
    MapTo(t, {0xBA}, 0xDF);
    MapTo(t, {0xBC}, 0xFC);
    MapTo(t, {0xBE}, 0xFD);
    MapTo(t, {0xBF}, 0xFE);
    return t;
}

constexpr ByteTable kGreekFold = GreekFoldTable();
constexpr ByteTable kLatinFold = LatinFoldTable();
constexpr ByteTable kGreekLower = GreekLowerTable();
constexpr ByteTable kAsciiLower = AsciiLowered();

bool IsGreekLetterByte(unsigned char c) {
    return c >= 0xA0;
}
bool IsLatinLetterByte(unsigned char c) {
    return c >= 0x41 && c <= 0x9F;
}

}  // namespace

unsigned char FoldGreekChar(unsigned char c) {
    return kGreekFold[c];
}
unsigned char FoldLatinChar(unsigned char c) {
    return kLatinFold[c];
}
unsigned char LowerGreekChar(unsigned char c) {
    return kGreekLower[c];
}

void FoldText(char* text, bool greek) {
    const ByteTable& table = greek ? kGreekFold : kLatinFold;
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
        *p = table[*p];
    }
}

void FoldBytes(char* text, size_t length, bool greek) {
    const ByteTable& table = greek ? kGreekFold : kLatinFold;
    unsigned char* p = reinterpret_cast<unsigned char*>(text);
    for (size_t i = 0; i < length; ++i) {
        p[i] = table[p[i]];
    }
}

void LowerText(char* text) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
        *p = kGreekLower[*p];
    }
}

void RemoveHyphens(char* text) {
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (*in != '-') {
            *out++ = *in;
        }
    }
    *out = '\0';
}

void TrimLeadingSpaces(char* text) {
    // The lookup and user dictionary windows hand over at most 99 bytes.
    size_t length = strnlen(text, 99);
    if (length < 2) {
        return;
    }
    size_t skip = 0;
    while (skip < length && text[skip] == ' ') {
        ++skip;
    }
    if (skip > 0) {
        memmove(text, text + skip, strlen(text + skip) + 1);
    }
}

void TrimTrailingSpaces(char* text) {
    size_t length = strlen(text);
    while (length > 0 && text[length - 1] == ' ') {
        text[--length] = '\0';
    }
}

bool HasGreekWord(const char* text, bool otherwise) {
    int greek = 0;
    int latin = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text);; ++p) {
        if (*p == ' ' || *p == '\0') {
            if (greek > 2 && latin == 0) {
                return true;
            }
            if (*p == '\0') {
                return otherwise;
            }
            greek = 0;
            latin = 0;
        } else if (IsGreekLetterByte(*p)) {
            ++greek;
        } else if (IsLatinLetterByte(*p)) {
            ++latin;
        }
    }
}

bool IsGreekText(const char* text) {
    size_t length = strlen(text);
    const char* blank = strchr(text, ' ');
    const char* hyphen = strchr(text, '-');
    bool separated = blank != nullptr || hyphen != nullptr;

    // A one- or two-character text with a separator is judged by what follows it.
    const unsigned char* from = reinterpret_cast<const unsigned char*>(text);
    bool stopAtBlank = false;
    if (length <= 2 && separated) {
        from = reinterpret_cast<const unsigned char*>(blank ? blank : hyphen) + 1;
        stopAtBlank = true;
    }
    int greek = 0;
    int latin = 0;
    for (const unsigned char* p = from; *p && !(stopAtBlank && *p == ' '); ++p) {
        if (IsGreekLetterByte(*p)) {
            ++greek;
        } else if (IsLatinLetterByte(*p)) {
            ++latin;
        }
    }
    if (latin == 0) {
        return greek > 0;
    }
    if (separated && length > 2) {
        return HasGreekWord(text, false);
    }
    return false;
}

bool SameAsciiNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (kAsciiLower[static_cast<unsigned char>(*a)] !=
            kAsciiLower[static_cast<unsigned char>(*b)]) {
            return false;
        }
    }
    return *a == *b;
}
