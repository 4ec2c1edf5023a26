#include "engine/code_pages.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodePagesTest, EncodesPerCharacter) {
    std::string out;
    EncodeError error;
    ASSERT_TRUE(Utf8ToStored("λόγος été Ω ΐ ς €£ ΄΅―", &out, &error));
    EXPECT_EQ(out, "\xEB\xFC\xE3\xEF\xF2 \xE9\x74\xE9 \xD9 \xC0 \xF2 \x80\xA3 \xB4\xA1\xAF");
    ASSERT_TRUE(Utf16ToStored(u"Ζürich", &out, &error));
    EXPECT_EQ(out, "\xC6\xFCrich");
}

TEST(CodePagesTest, ReportsWhatNoCodePageHolds) {
    struct Case {
        std::string text;
        size_t offset;
        char32_t character;
    };
    const Case cases[] = {
        {"ab\xCF\xB4", 2, 0x03F4},       // ϴ: Greek block, not in Windows-1253
        {"x\xE2\x82\xBD", 1, 0x20BD},    // ₽
        {"ok\xC3", 2, 0},                // cut sequence
        {"\xC0\xAF", 0, 0},              // overlong
        {"a\xED\xA0\x80", 1, 0},         // surrogate
        {std::string("a\0b", 3), 1, 0},  // NUL cannot be stored
        {"\xF0\x9F\x98\x80", 0, 0x1F600},
    };
    for (const Case& c : cases) {
        std::string out;
        EncodeError error;
        EXPECT_FALSE(Utf8ToStored(c.text, &out, &error)) << c.text;
        EXPECT_EQ(error.offset, c.offset) << c.text;
        EXPECT_EQ(error.character, c.character) << c.text;
    }
    std::string out;
    EncodeError error;
    EXPECT_FALSE(Utf16ToStored(std::u16string(1, char16_t(0xD800)), &out, &error));
}

TEST(CodePagesTest, DecodesByTheLanguageTest) {
    EXPECT_EQ(StoredToUtf8("\xEB\xFC\xE3\xEF\xF2"), "λόγος");
    EXPECT_EQ(StoredToUtf8("caf\xE9"), "café");
    EXPECT_EQ(StoredToUtf16("\xEB\xFC\xE3\xEF\xF2"), u"λόγος");
    EXPECT_EQ(StoredToUtf8As("\xD2\xFF", CodePage::kWindows1253), "\uFFFD\uFFFD");
    EXPECT_EQ(StoredToUtf8As("\xD2\xFF", CodePage::kWindows1252), "Òÿ");
}

TEST(CodePagesTest, EveryDefinedByteRoundTrips) {
    for (CodePage page : {CodePage::kWindows1252, CodePage::kWindows1253}) {
        int defined = 0;
        for (int b = 1; b < 256; ++b) {
            char32_t c = DecodeCodePageByte(page, static_cast<unsigned char>(b));
            if (c != 0xFFFD) {
                ++defined;
                EXPECT_EQ(EncodeCodePageChar(page, c), b) << std::hex << b;
            }
        }
        EXPECT_EQ(defined, page == CodePage::kWindows1252 ? 250 : 238);
    }
}

TEST(CodePagesTest, TypedTextGetsTheStandInsEveryToolUses) {
    struct Case {
        std::string typed;
        bool ok;
        std::string stored;
        bool approximated;
    } cases[] = {
        {"λόγος été", true, "\xEB\xFC\xE3\xEF\xF2 \xE9t\xE9", false},
        {"łódź Śląsk", true,
         "l\xF3"
         "dz Slask",
         true},
        {"ș\u00A0ț", true, "s t", true},  // a no-break space would read as a Greek letter
        {"\u200Ex\u200F", true, "x", true},
        {"CO₂ H−", true, "CO2 H-", true},
        {"ἐν", true, "\xE5\xED", true},  // polytonic Greek: its monotonic letters
        {"ϝ", false, "", false},         // an archaic letter has no stand-in
        {"a\x01", false, "", false},
        {"ok\xC3", false, "", false},
    };
    for (const Case& c : cases) {
        std::string out;
        EncodeError error;
        bool approximated = false;
        EXPECT_EQ(TypedToStored(c.typed, &out, &error, &approximated), c.ok) << c.typed;
        if (c.ok) {
            EXPECT_EQ(out, c.stored) << c.typed;
            EXPECT_EQ(approximated, c.approximated) << c.typed;
        }
    }
    std::string out;
    EncodeError error;
    // The offset is the bad character's in the text as typed, before any folding.
    EXPECT_FALSE(TypedToStored("\xE1\xBC\x90\xCE\xB1\xCC\x81\xCF\x9D", &out, &error));
    EXPECT_EQ(error.offset, 7u);
    EXPECT_EQ(error.character, 0x03DDu);
    // UTF-16 as the window's word box gives it, surrogate pairs included.
    ASSERT_TRUE(TypedToStored(u"Łódź λ", &out, &error));
    EXPECT_EQ(out,
              "L\xF3"
              "dz \xEB");
    EXPECT_FALSE(TypedToStored(u"a\U0001F600", &out, &error));
    EXPECT_EQ(error.offset, 1u);
    EXPECT_EQ(error.character, 0x1F600u);
    EXPECT_FALSE(TypedToStored(std::u16string(1, char16_t(0xDC00)), &out, &error));
}

TEST(CodePagesTest, TypedTextTellsItsScriptByItsLetters) {
    struct Case {
        const char* typed;
        bool greek;
    } cases[] = {
        {"ö", false},  {"å", false},      {"à", false},      {"été", false},
        {"φ", true},   {"λόγος", true},   {"Ω", true},       {"ab", false},
        {"12", false}, {"a λόγος", true}, {"λόγος a", true}, {"x-ray", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsGreekTypedText(std::string(c.typed)), c.greek) << c.typed;
    }
    EXPECT_FALSE(IsGreekTypedText(u"ö"));
    EXPECT_TRUE(IsGreekTypedText(u"φ"));
}
