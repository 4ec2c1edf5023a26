// Greek text as people paste it (polytonic, the oxia/varia twins of the tonos letters,
// decomposed accents, final and medial sigma in the wrong place) folded to the monotonic
// letters the dictionaries hold. Breathings, the iota subscript and length marks go; an acute,
// grave or circumflex accent becomes the tonos; the dialytika stays.
#pragma once

#include <cstddef>

struct MonotonicChar {
    char32_t c;   // the monotonic character
    size_t used;  // how many characters of the input it stands for (1 + combining marks)
};

// The monotonic character for chars[0] together with the combining marks that follow it. A
// character that is neither a Greek letter nor a combining mark comes back as itself with
// used = 1; a lone breathing or spacing accent comes back as kNoMonotonicChar (left out).
constexpr char32_t kNoMonotonicChar = 0xFFFF;
MonotonicChar NextMonotonicChar(const char32_t* chars, size_t count);

// Whether a character is a Greek lower- or upper-case letter (U+0386..U+03FF).
bool IsGreekLetterChar(char32_t c);

// Puts the final sigma where a word ends and the medial one inside a word, over characters
// already monotonic. A lone sigma (no Greek letter before it) stays as it is.
void PlaceSigmas(char32_t* chars, size_t count);
