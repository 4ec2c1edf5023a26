#include "settings/interface_texts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "settings/memory_stores.h"
#include "tests/settings/greek_key_map.h"
#include "tests/temp_directory.h"

namespace {

class RecordingDialog : public DialogTexts {
public:
    std::string title = "English title";
    std::map<int, std::string> items;
    int changes = 0;
    void SetTitle(const char* text) override {
        title = text;
        ++changes;
    }
    void SetItemText(int controlId, const char* text) override {
        items[controlId] = text;
        ++changes;
    }
};

TEST(GreekTextReaders, MissingOrBlankKeysKeepTheEnglishTexts) {
    MemoryProfile texts;
    texts.Parse("[DialogGreekTokens]\n17500=\n2005=   \n2006=\"Κοντινή\"\n");
    RecordingDialog dialog;
    EXPECT_FALSE(LoadGreekTitle(dialog, 17500, texts));
    EXPECT_FALSE(LoadGreekItem(dialog, 2, 17501, texts));
    LoadGreekItems(dialog, 2004, 2005, texts);
    EXPECT_EQ(dialog.changes, 0);
    EXPECT_EQ(dialog.title, "English title");

    EXPECT_TRUE(LoadGreekItem(dialog, 2006, 2006, texts));
    EXPECT_EQ(dialog.items[2006], "Κοντινή");  // surrounding quotes dropped

    char out[300] = "old";
    EXPECT_EQ(GetGreekText(14510, out, sizeof(out), texts), 0u);
    EXPECT_STREQ(out, "");
}

TEST(GreekTextReaders, RangeOfItemsIsInclusiveAndMayBeEmpty) {
    MemoryProfile texts;
    texts.Parse("[DialogGreekTokens]\n17006=a\n17007=b\n17008=c\n");
    RecordingDialog one, none, all;
    LoadGreekItems(one, 17007, 17007, texts);
    LoadGreekItems(none, 17008, 17006, texts);
    LoadGreekItems(all, 17006, 17008, texts);
    EXPECT_EQ(one.items, (std::map<int, std::string>{{17007, "b"}}));
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(all.items.size(), 3u);
}

TEST(GreekTextReaders, TextsAreCutToTheReadersBuffers) {
    MemoryProfile texts;
    texts.Parse("[DialogGreekTokens]\n1=" + std::string(700, 'x') + "\n");
    RecordingDialog dialog;
    LoadGreekTitle(dialog, 1, texts);
    LoadGreekItem(dialog, 5, 1, texts);
    EXPECT_EQ(dialog.title.size(), 99u);
    EXPECT_EQ(dialog.items[5].size(), 599u);
    char out[300];
    EXPECT_EQ(GetGreekText(1, out, sizeof(out), texts), 299u);
}

class ShippedTextsFile : public ::testing::Test {
protected:
    MemoryProfile texts;
    void SetUp() override { ASSERT_TRUE(texts.LoadFile(WORDMERE_TEXTS_FILE)); }
};

TEST_F(ShippedTextsFile, HasAGreekTextForEveryKeyOfTheKeyMap) {
    for (unsigned key : GreekTextKeys()) {
        char text[kGreekItemSize];
        EXPECT_GT(GetGreekText(key, text, sizeof(text), texts), 0u) << "no Greek text for " << key;
    }
    EXPECT_FALSE(texts.Has(kGreekTokensSection, "14504"));

    char text[kGreekItemSize];
    // Stored in Windows-1253: "Κλείσιμο".
    GetGreekText(18003, text, sizeof(text), texts);
    EXPECT_STREQ(text, "\xCA\xEB\xE5\xDF\xF3\xE9\xEC\xEF");
    for (unsigned key : {16500u, 17000u, 17500u, 18000u, 14507u}) {
        EXPECT_LT(GetGreekText(key, text, sizeof(text), texts), kGreekTitleSize - 1) << key;
    }
    for (unsigned key = 14501; key <= 14512; ++key) {
        EXPECT_LE(GetGreekText(key, text, sizeof(text), texts), 299u) << key;
    }
    for (unsigned key : {14505u, 14506u}) {
        EXPECT_LE(GetGreekText(key, text, sizeof(text), texts), 49u) << key;
    }
}

TEST_F(ShippedTextsFile, HasBothBalloonsForEveryHelpIdWithAnOffset) {
    for (const char* section : {"EnglishBalloons", "GreekBalloons"}) {
        for (unsigned key : BalloonKeys()) {
            std::string text = texts.Get(section, std::to_string(key));
            EXPECT_FALSE(text.empty()) << section << " " << key;
            EXPECT_LE(text.size(), 500u) << section << " " << key;
        }
    }
}

TEST_F(ShippedTextsFile, HasTheTipCountersAndEveryTipInBothLanguages) {
    TipCounters counters = ReadTipCounters(texts, nullptr);
    EXPECT_GE(counters.TipCount, 12);
    EXPECT_EQ(counters.TodayTip, 1);
    EXPECT_EQ(texts.Get("Tips", "ShowTips"), "1");
    for (const char* section : {"English Tips", "Greek Tips"}) {
        EXPECT_EQ(texts.Keys(section).size(), static_cast<size_t>(counters.TipCount)) << section;
        for (int tip = 1; tip <= counters.TipCount; ++tip) {
            EXPECT_FALSE(texts.Get(section, std::to_string(tip)).empty()) << section << " " << tip;
        }
    }
}

TEST(TextsFileConverter, RefusesCharactersOutsideTheGreekCodePage) {
    TempDirectory dir;
    std::string good = dir / "good.utf8.ini", bad = dir / "bad.utf8.ini", out = dir / "out.res";
    std::ofstream(good) << "[S]\n1=Ά € «ώ»\n";
    std::ofstream(bad) << "[S]\n1=ok\n2=Ж\n";

    ASSERT_EQ(std::system((std::string(WORDMERE_TEXTS_TOOL) + " " + good + " " + out).c_str()), 0);
    std::ifstream file(out, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "[S]\r\n1=\xA2 \x80 \xAB\xFE\xBB\r\n");

    std::string command =
        std::string(WORDMERE_TEXTS_TOOL) + " " + bad + " " + (dir / "bad.res") + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::ifstream(dir / "bad.res").good());
}

}  // namespace
