#include "tools/freedict/code_page_fit.h"

#include "engine/code_pages.h"

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
    return c == 0x00A0 || StandInChar(c) == c;
}

FitResult FitToCodePages(const std::string& text, std::string& out, char32_t& bad) {
    out.clear();
    FitResult result = FitResult::Unchanged;
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = NextCodePoint(text, pos);
        char32_t stand = c == 0xFFFD ? kNoStandIn : StandInChar(c);
        if (stand == kNoStandIn) {
            bad = c;
            return FitResult::Unstorable;
        }
        if (stand == c) {
            AppendUtf8(c, &out);
            continue;
        }
        if (stand != kDroppedChar) {
            AppendUtf8(stand, &out);
        }
        result = FitResult::Approximated;
    }
    return result;
}
