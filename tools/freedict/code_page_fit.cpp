#include "tools/freedict/code_page_fit.h"

#include "engine/code_pages.h"

namespace {

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

// A stand-in for a character that neither code page holds: 0 when none, 0xFFFF for "nothing".
char32_t Substitute(char32_t c) {
    if (c >= 0x0100 && c <= 0x017F) {
        char base = kLatinExtendedA[c - 0x0100];
        return base == '?' ? 0 : static_cast<char32_t>(base);
    }
    switch (c) {
        case 0x00A0:  // no-break spaces: byte 0xA0 would count as a Greek letter
        case 0x2002:
        case 0x2003:
        case 0x2007:
        case 0x2008:
        case 0x2009:
        case 0x200A:
        case 0x202F:
            return ' ';
        case 0x00AD:  // soft hyphen, zero-width and directional marks
        case 0x200B:
        case 0x200C:
        case 0x200D:
        case 0x200E:
        case 0x200F:
        case 0x2060:
        case 0xFEFF:
            return 0xFFFF;
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
    if (c >= 0x2074 && c <= 0x2079)
        return '0' + (c - 0x2070);
    if (c >= 0x2081 && c <= 0x2089)
        return '0' + (c - 0x2080);
    return 0;
}

}  // namespace

char32_t NextCodePoint(const std::string& text, size_t& pos) {
    unsigned char b = static_cast<unsigned char>(text[pos]);
    int extra = b < 0x80             ? 0
                : (b & 0xE0) == 0xC0 ? 1
                : (b & 0xF0) == 0xE0 ? 2
                : (b & 0xF8) == 0xF0 ? 3
                                     : -1;
    if (extra == 0) {
        ++pos;
        return b;
    }
    if (extra < 0 || pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t c = b & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    static const char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += extra + 1;
    return c;
}

bool IsStorableChar(char32_t c) {
    // Control characters (among them the body's 0x00 terminator) are never text.
    if (c < 0x20 || c == 0x7F)
        return false;
    return EncodeStoredChar(c) >= 0;
}

FitResult FitToCodePages(const std::string& text, std::string& out, char32_t& bad) {
    out.clear();
    FitResult result = FitResult::Unchanged;
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = NextCodePoint(text, pos);
        if (c != 0xFFFD && c != 0x00A0 && IsStorableChar(c)) {
            AppendUtf8(c, &out);
            continue;
        }
        char32_t stand = c == 0xFFFD ? 0 : Substitute(c);
        if (stand == 0) {
            bad = c;
            return FitResult::Unstorable;
        }
        if (stand != 0xFFFF)
            AppendUtf8(stand, &out);
        result = FitResult::Approximated;
    }
    return result;
}
