#include "tools/freedict/code_page_fit.h"

#include <gtest/gtest.h>

TEST(CodePageFit, KeepsApproximatesOrRefuses) {
    struct Case {
        const char* in;
        FitResult result;
        const char* out;
        char32_t bad;
    } cases[] = {
        {"λόγος ΐ ώ", FitResult::Unchanged, "λόγος ΐ ώ", 0},
        {"café œuvre – “x” €", FitResult::Unchanged, "café œuvre – “x” €", 0},
        {"łódź Śląsk", FitResult::Approximated, "lódz Slask", 0},
        {"ș ț", FitResult::Approximated, "s t", 0},
        {"a\xC2\xA0"
         "b\xE2\x80\xAF"
         "c",
         FitResult::Approximated, "a b c", 0},                           // no-break spaces
        {"\xE2\x80\x8Ex\xE2\x80\x8F", FitResult::Approximated, "x", 0},  // directional marks
        {"CO₂ H−", FitResult::Approximated, "CO2 H-", 0},
        {"ἐν", FitResult::Unstorable, "", 0x1F10},  // polytonic Greek
        {"メガ", FitResult::Unstorable, "", 0x30E1},
        {"a\x01", FitResult::Unstorable, "", 0x01},       // control character
        {"a\xC3", FitResult::Unstorable, "", 0xFFFD},     // cut UTF-8 sequence
        {"\xC0\xAF", FitResult::Unstorable, "", 0xFFFD},  // overlong form
    };
    for (const Case& c : cases) {
        std::string out;
        char32_t bad = 0;
        FitResult result = FitToCodePages(c.in, out, bad);
        EXPECT_EQ(result, c.result) << c.in;
        if (result == FitResult::Unstorable) {
            EXPECT_EQ(bad, c.bad) << c.in;
        } else {
            EXPECT_EQ(out, c.out) << c.in;
        }
    }
}
