#include "engine/code_pages.h"

#include <vector>

#include "engine/folding.h"
#include "engine/greek_normalising.h"

namespace {

constexpr char16_t kUndefined = 0xFFFD;

// Characters of bytes 0x80..0x9F of Windows-1252.
const char16_t k1252High[32] = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178,
};

// Characters of bytes 0x80..0xBF of Windows-1253 (0xC0..0xFE follow U+0390 on, see below).
const char16_t k1253High[64] = {
    0x20AC,     kUndefined, 0x201A,     0x0192, 0x201E,     0x2026,     0x2020,     0x2021,
    kUndefined, 0x2030,     kUndefined, 0x2039, kUndefined, kUndefined, kUndefined, kUndefined,
    kUndefined, 0x2018,     0x2019,     0x201C, 0x201D,     0x2022,     0x2013,     0x2014,
    kUndefined, 0x2122,     kUndefined, 0x203A, kUndefined, kUndefined, kUndefined, kUndefined,
    0x00A0,     0x0385,     0x0386,     0x00A3, 0x00A4,     0x00A5,     0x00A6,     0x00A7,
    0x00A8,     0x00A9,     kUndefined, 0x00AB, 0x00AC,     0x00AD,     0x00AE,     0x2015,
    0x00B0,     0x00B1,     0x00B2,     0x00B3, 0x0384,     0x00B5,     0x00B6,     0x00B7,
    0x0388,     0x0389,     0x038A,     0x00BB, 0x038C,     0x00BD,     0x038E,     0x038F,
};

bool IsGreekCharacter(char32_t c) {
    return (c >= 0x0370 && c <= 0x03FF) || c == 0x2015;
}

void AppendUtf16(char32_t c, std::u16string* out) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out->push_back(static_cast<char16_t>(c));
    }
}

// Decodes one UTF-8 sequence at s[*i]; 0xFFFFFFFF when malformed.
char32_t NextUtf8(const std::string& s, size_t* i) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t n = s.size();
    unsigned char b = p[*i];
    int extra;
    char32_t c;
    char32_t minimum;
    if (b < 0x80) {
        ++*i;
        return b;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, c = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, c = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, c = b & 0x07, minimum = 0x10000;
    } else {
        return 0xFFFFFFFF;
    }
    if (*i + extra >= n) {
        return 0xFFFFFFFF;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char t = p[*i + k];
        if ((t & 0xC0) != 0x80) {
            return 0xFFFFFFFF;
        }
        c = (c << 6) | (t & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0xFFFFFFFF;
    }
    *i += extra + 1;
    return c;
}

// Base letters of U+0100..U+017F; '?' where no single Windows-1252 letter stands in.
const char kLatinExtendedA[129] =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "Ii??JjKkkLlLlLlL"
    "lLlNnNnNn???OoOo"
    "Oo??RrRrRrSsSsSs"
    "??TtTtTtUuUuUuUu"
    "UuUuWwYy?ZzZz??s";

// A character of typed text and where it starts (byte or unit offset).
struct TypedChar {
    char32_t c;  // 0xFFFFFFFF: malformed input
    size_t offset;
};

std::vector<TypedChar> DecodeTyped(const std::string& utf8) {
    std::vector<TypedChar> chars;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t at = i;
        char32_t c = NextUtf8(utf8, &i);
        chars.push_back({c, at});
        if (c == 0xFFFFFFFF) {
            break;
        }
    }
    return chars;
}

std::vector<TypedChar> DecodeTyped(const std::u16string& utf16) {
    std::vector<TypedChar> chars;
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        size_t at = i;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            chars.push_back({0xFFFFFFFF, at});
            break;
        }
        chars.push_back({c, at});
    }
    return chars;
}

// The stored bytes of the characters, each as itself: no stand-ins. Malformed input, a NUL or
// a character neither code page holds stops it.
bool CharsToStored(const std::vector<TypedChar>& chars, std::string* out, EncodeError* error) {
    out->clear();
    for (const TypedChar& typed : chars) {
        int b = typed.c == 0xFFFFFFFF ? -1 : EncodeStoredChar(typed.c);
        if (b < 0 || typed.c == 0) {
            error->offset = typed.offset;
            error->character = typed.c == 0xFFFFFFFF ? 0 : typed.c;
            return false;
        }
        out->push_back(static_cast<char>(b));
    }
    return true;
}

// Polytonic and decomposed Greek as the monotonic letters the dictionaries hold, each
// character keeping the offset where its first input character began. Malformed input stays
// as it is, to be reported.
std::vector<TypedChar> MonotonicTyped(const std::vector<TypedChar>& chars) {
    std::vector<char32_t> plain;
    for (const TypedChar& typed : chars) {
        plain.push_back(typed.c);
    }
    std::vector<TypedChar> monotonic;
    std::vector<char32_t> letters;
    size_t i = 0;
    while (i < plain.size()) {
        if (plain[i] == 0xFFFFFFFF) {
            monotonic.push_back(chars[i]);
            letters.push_back(plain[i]);
            ++i;
            continue;
        }
        MonotonicChar next = NextMonotonicChar(plain.data() + i, plain.size() - i);
        if (next.c != kNoMonotonicChar) {
            monotonic.push_back({next.c, chars[i].offset});
            letters.push_back(next.c);
        }
        i += next.used;
    }
    PlaceSigmas(letters.data(), letters.size());
    for (size_t k = 0; k < monotonic.size(); ++k) {
        monotonic[k].c = letters[k];
    }
    return monotonic;
}

bool EncodeTyped(const std::vector<TypedChar>& typedChars, std::string* out, EncodeError* error,
                 bool* approximated) {
    out->clear();
    if (approximated) {
        *approximated = false;
    }
    std::vector<TypedChar> chars = MonotonicTyped(typedChars);
    if (approximated && chars.size() != typedChars.size()) {
        *approximated = true;
    }
    for (size_t k = 0; k < chars.size(); ++k) {
        const TypedChar& typed = chars[k];
        if (approximated && k < typedChars.size() && typed.c != typedChars[k].c) {
            *approximated = true;
        }
        char32_t c = typed.c == 0xFFFFFFFF ? kNoStandIn : StandInChar(typed.c);
        if (c == kNoStandIn) {
            error->offset = typed.offset;
            error->character = typed.c == 0xFFFFFFFF ? 0 : typed.c;
            return false;
        }
        if (c != typed.c && approximated) {
            *approximated = true;
        }
        if (c != kDroppedChar) {
            out->push_back(static_cast<char>(EncodeStoredChar(c)));
        }
    }
    return true;
}

bool IsLatinLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7) ||
           (c >= 0x1E00 && c <= 0x1EFF);
}

// The language test over characters: each Greek letter stands as a Greek letter byte, each
// other letter as a Latin one, blanks and hyphens as themselves, anything else as a byte that
// is neither.
bool IsGreekTyped(const std::vector<TypedChar>& chars) {
    std::string classes;
    for (const TypedChar& typed : chars) {
        char32_t c = typed.c;
        if ((c >= 0x0386 && c <= 0x03FF && c != 0x0387) || (c >= 0x1F00 && c <= 0x1FFF)) {
            classes.push_back(static_cast<char>(0xE1));
        } else if (IsLatinLetter(c)) {
            classes.push_back('a');
        } else if (c == ' ' || c == '-') {
            classes.push_back(static_cast<char>(c));
        } else {
            classes.push_back('.');
        }
    }
    return IsGreekText(classes.c_str());
}

}  // namespace

char32_t StandInChar(char32_t c) {
    // Control characters (among them the body's 0x00 terminator) are never text.
    if (c < 0x20 || c == 0x7F) {
        return kNoStandIn;
    }
    if (c != 0x00A0 && EncodeStoredChar(c) >= 0) {
        return c;
    }
    if (c >= 0x0100 && c <= 0x017F) {
        char base = kLatinExtendedA[c - 0x0100];
        return base == '?' ? kNoStandIn : static_cast<char32_t>(base);
    }
    switch (c) {
        case 0x00A0:
        case 0x2002:
        case 0x2003:
        case 0x2007:
        case 0x2008:
        case 0x2009:
        case 0x200A:
        case 0x202F:
            return ' ';
        case 0x200B:
        case 0x200C:
        case 0x200D:
        case 0x200E:
        case 0x200F:
        case 0x2060:
        case 0xFEFF:
            return kDroppedChar;
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2212:
            return '-';
        case 0x2032:
            return '\'';
        case 0x0218:
            return 'S';
        case 0x0219:
            return 's';
        case 0x021A:
            return 'T';
        case 0x021B:
            return 't';
        case 0x2070:
        case 0x2080:
            return '0';
    }
    if (c >= 0x2074 && c <= 0x2079) {
        return '0' + (c - 0x2070);
    }
    if (c >= 0x2081 && c <= 0x2089) {
        return '0' + (c - 0x2080);
    }
    return kNoStandIn;
}

bool TypedToStored(const std::string& utf8, std::string* out, EncodeError* error,
                   bool* approximated) {
    return EncodeTyped(DecodeTyped(utf8), out, error, approximated);
}

bool TypedToStored(const std::u16string& utf16, std::string* out, EncodeError* error,
                   bool* approximated) {
    return EncodeTyped(DecodeTyped(utf16), out, error, approximated);
}

bool IsGreekTypedText(const std::string& utf8) {
    return IsGreekTyped(DecodeTyped(utf8));
}

bool IsGreekTypedText(const std::u16string& utf16) {
    return IsGreekTyped(DecodeTyped(utf16));
}

char32_t DecodeCodePageByte(CodePage page, unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (page == CodePage::kWindows1252) {
        return byte < 0xA0 ? k1252High[byte - 0x80] : byte;
    }
    if (byte < 0xC0) {
        return k1253High[byte - 0x80];
    }
    if (byte == 0xD2 || byte == 0xFF) {
        return kUndefined;
    }
    return 0x0390 + (byte - 0xC0);
}

int EncodeCodePageChar(CodePage page, char32_t c) {
    if (c < 0x80) {
        return static_cast<int>(c);
    }
    if (page == CodePage::kWindows1252 && c >= 0xA0 && c <= 0xFF) {
        return static_cast<int>(c);
    }
    if (page == CodePage::kWindows1253 && c >= 0x0390 && c <= 0x03CE && c != 0x03A2) {
        return static_cast<int>(c - 0x0390 + 0xC0);
    }
    int last = page == CodePage::kWindows1252 ? 0x9F : 0xBF;
    for (int b = 0x80; b <= last; ++b) {
        if (DecodeCodePageByte(page, static_cast<unsigned char>(b)) == c) {
            return b;
        }
    }
    return -1;
}

int EncodeStoredChar(char32_t c) {
    if (IsGreekCharacter(c)) {
        return EncodeCodePageChar(CodePage::kWindows1253, c);
    }
    int b = EncodeCodePageChar(CodePage::kWindows1252, c);
    return b >= 0 ? b : EncodeCodePageChar(CodePage::kWindows1253, c);
}

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool Utf8ToStored(const std::string& utf8, std::string* out, EncodeError* error) {
    return CharsToStored(DecodeTyped(utf8), out, error);
}

bool Utf16ToStored(const std::u16string& utf16, std::string* out, EncodeError* error) {
    return CharsToStored(DecodeTyped(utf16), out, error);
}

std::string StoredToUtf8As(const char* stored, CodePage page) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(stored); *p; ++p) {
        AppendUtf8(DecodeCodePageByte(page, *p), &out);
    }
    return out;
}

std::u16string StoredToUtf16As(const char* stored, CodePage page) {
    std::u16string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(stored); *p; ++p) {
        AppendUtf16(DecodeCodePageByte(page, *p), &out);
    }
    return out;
}

std::string StoredToUtf8(const char* stored) {
    return StoredToUtf8As(stored,
                          IsGreekText(stored) ? CodePage::kWindows1253 : CodePage::kWindows1252);
}

std::u16string StoredToUtf16(const char* stored) {
    return StoredToUtf16As(stored,
                           IsGreekText(stored) ? CodePage::kWindows1253 : CodePage::kWindows1252);
}
