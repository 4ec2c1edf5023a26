#include "engine/greek_normalising.h"

#include <cstdint>

namespace {

constexpr uint8_t kAccent = 1;
constexpr uint8_t kDialytika = 2;

// U+1F00..U+1FFF: the low six bits are the base letter's offset from U+0390 (0: a spacing
// mark or an unassigned point), bit 6 an accent (oxia, varia or perispomeni) and bit 7 a
// dialytika. Breathings, the iota subscript and length marks are not kept.
const uint8_t kGreekExtended[256] = {
    33,  33,  97,  97,  97,  97,  97,  97,  1,   1,   65,  65,  65,  65,  65,  65,  37,  37,  101,
    101, 101, 101, 0,   0,   5,   5,   69,  69,  69,  69,  0,   0,   39,  39,  103, 103, 103, 103,
    103, 103, 7,   7,   71,  71,  71,  71,  71,  71,  41,  41,  105, 105, 105, 105, 105, 105, 9,
    9,   73,  73,  73,  73,  73,  73,  47,  47,  111, 111, 111, 111, 0,   0,   15,  15,  79,  79,
    79,  79,  0,   0,   53,  53,  117, 117, 117, 117, 117, 117, 0,   21,  0,   85,  0,   85,  0,
    85,  57,  57,  121, 121, 121, 121, 121, 121, 25,  25,  89,  89,  89,  89,  89,  89,  97,  97,
    101, 101, 103, 103, 105, 105, 111, 111, 117, 117, 121, 121, 0,   0,   33,  33,  97,  97,  97,
    97,  97,  97,  1,   1,   65,  65,  65,  65,  65,  65,  39,  39,  103, 103, 103, 103, 103, 103,
    7,   7,   71,  71,  71,  71,  71,  71,  57,  57,  121, 121, 121, 121, 121, 121, 25,  25,  89,
    89,  89,  89,  89,  89,  33,  33,  97,  33,  97,  0,   97,  97,  1,   1,   65,  65,  1,   0,
    41,  0,   0,   0,   103, 39,  103, 0,   103, 103, 69,  69,  71,  71,  7,   0,   0,   0,   41,
    41,  233, 233, 0,   0,   105, 233, 9,   9,   73,  73,  0,   0,   0,   0,   53,  53,  245, 245,
    49,  49,  117, 245, 21,  21,  85,  85,  17,  0,   0,   0,   0,   0,   121, 57,  121, 0,   121,
    121, 79,  79,  89,  89,  25,  0,   0,   0,
};

struct Letter {
    char32_t base;  // 0: not a Greek letter
    uint8_t marks;
};

// Monotonic accented letters and their bases.
struct AccentedLetter {
    char32_t accented;
    char32_t base;
    uint8_t marks;
};
const AccentedLetter kAccented[] = {
    {0x03AC, 0x03B1, kAccent},
    {0x03AD, 0x03B5, kAccent},
    {0x03AE, 0x03B7, kAccent},
    {0x03AF, 0x03B9, kAccent},
    {0x03CC, 0x03BF, kAccent},
    {0x03CD, 0x03C5, kAccent},
    {0x03CE, 0x03C9, kAccent},
    {0x0386, 0x0391, kAccent},
    {0x0388, 0x0395, kAccent},
    {0x0389, 0x0397, kAccent},
    {0x038A, 0x0399, kAccent},
    {0x038C, 0x039F, kAccent},
    {0x038E, 0x03A5, kAccent},
    {0x038F, 0x03A9, kAccent},
    {0x03CA, 0x03B9, kDialytika},
    {0x03CB, 0x03C5, kDialytika},
    {0x03AA, 0x0399, kDialytika},
    {0x03AB, 0x03A5, kDialytika},
    {0x0390, 0x03B9, kAccent | kDialytika},
    {0x03B0, 0x03C5, kAccent | kDialytika},
};

// Letter shapes of older print that Windows-1253 lacks, by the letter they are.
struct VariantLetter {
    char32_t variant;
    char32_t letter;
};
const VariantLetter kVariants[] = {
    {0x03D0, 0x03B2}, {0x03D1, 0x03B8}, {0x03D5, 0x03C6}, {0x03D6, 0x03C0}, {0x03F0, 0x03BA},
    {0x03F1, 0x03C1}, {0x03F5, 0x03B5}, {0x03F2, 0x03C3}, {0x03F9, 0x03A3}, {0x03D2, 0x03A5},
    {0x03F4, 0x0398}, {0x037B, 0x03C3}, {0x03FD, 0x03A3},
};

Letter Decompose(char32_t c) {
    if (c >= 0x1F00 && c <= 0x1FFF) {
        uint8_t entry = kGreekExtended[c - 0x1F00];
        if ((entry & 0x3F) == 0) {
            return {0, 0};
        }
        uint8_t marks = ((entry & 0x40) ? kAccent : 0) | ((entry & 0x80) ? kDialytika : 0);
        return {0x0390 + static_cast<char32_t>(entry & 0x3F), marks};
    }
    for (const AccentedLetter& letter : kAccented) {
        if (letter.accented == c) {
            return {letter.base, letter.marks};
        }
    }
    for (const VariantLetter& letter : kVariants) {
        if (letter.variant == c) {
            return {letter.letter, 0};
        }
    }
    if ((c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) || (c >= 0x03B1 && c <= 0x03C9)) {
        return {c, 0};
    }
    return {0, 0};
}

char32_t Compose(char32_t base, uint8_t marks) {
    if (marks == 0) {
        return base;
    }
    for (const AccentedLetter& letter : kAccented) {
        if (letter.base == base && letter.marks == marks) {
            return letter.accented;
        }
    }
    // A dialytika on a letter that takes none, or both marks on a capital: the accent wins,
    // as monotonic spelling writes it. A letter that takes no accent at all (a consonant under
    // a stray combining accent) is left bare.
    if ((marks & kAccent) && marks != kAccent) {
        return Compose(base, kAccent);
    }
    return base;
}

bool IsCombiningMark(char32_t c) {
    return c >= 0x0300 && c <= 0x036F;
}

uint8_t MarksOf(char32_t mark) {
    switch (mark) {
        case 0x0300:  // varia
        case 0x0301:  // oxia / tonos
        case 0x0340:
        case 0x0341:
        case 0x0342:  // perispomeni
            return kAccent;
        case 0x0308:
            return kDialytika;
        case 0x0344:
            return kAccent | kDialytika;
        default:  // breathings, iota subscript, macron, breve
            return 0;
    }
}

bool IsSpacingGreekMark(char32_t c) {
    return (c >= 0x1F00 && c <= 0x1FFF) || c == 0x037A;
}

}  // namespace

bool IsGreekLetterChar(char32_t c) {
    return Decompose(c).base != 0;
}

MonotonicChar NextMonotonicChar(const char32_t* chars, size_t count) {
    if (count == 0) {
        return {kNoMonotonicChar, 0};
    }
    Letter letter = Decompose(chars[0]);
    if (letter.base == 0) {
        if (IsSpacingGreekMark(chars[0])) {
            return {kNoMonotonicChar, 1};
        }
        return {chars[0], 1};
    }
    size_t used = 1;
    while (used < count && IsCombiningMark(chars[used])) {
        letter.marks |= MarksOf(chars[used]);
        ++used;
    }
    return {Compose(letter.base, letter.marks), used};
}

void PlaceSigmas(char32_t* chars, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (chars[i] != 0x03C3 && chars[i] != 0x03C2) {
            continue;
        }
        bool letterBefore = i > 0 && IsGreekLetterChar(chars[i - 1]);
        bool letterAfter = i + 1 < count && IsGreekLetterChar(chars[i + 1]);
        if (letterAfter) {
            chars[i] = 0x03C3;
        } else if (letterBefore) {
            chars[i] = 0x03C2;
        }
    }
}
