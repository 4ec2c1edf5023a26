// The tip counters and where the "show at start up" switch is kept.
#include "dialogs/tips.h"

#include <gtest/gtest.h>

#include "settings/memory_stores.h"

TEST(NextTip, CyclesThroughTheTips) {
    EXPECT_EQ(NextTip(1, 14), 2);
    EXPECT_EQ(NextTip(13, 14), 14);
    EXPECT_EQ(NextTip(14, 14), 1);
    // Without tips the number starts at 0 and goes to 1.
    EXPECT_EQ(NextTip(0, 0), 1);
    EXPECT_EQ(NextTip(1, 0), 1);
}

TEST(ShowTips, ReadFromTheTextsFileOnByDefault) {
    const struct {
        const char* file;
        bool on;
    } cases[] = {
        {"", true},
        {"[Tips]\nShowTips=0\n", false},
        {"[Tips]\nShowTips=256\n", false},  // only the low byte is kept
        {"[Tips]\nShowTips=1\n", true},
        {"[Tips]\nShowTips=\n", true},  // empty reads as missing
    };
    for (const auto& c : cases) {
        MemoryProfile texts;
        texts.Parse(c.file);
        EXPECT_EQ(ReadShowTips(texts, nullptr), c.on) << c.file;
    }
}

// The switch is the user's: it goes to the settings INI and counts from then on, over what the
// texts file says; the texts file is never written.
TEST(ShowTips, KeptInTheUsersSettingsIni) {
    MemoryProfile texts, settingsIni;
    texts.Parse("[Tips]\nShowTips=1\n");
    EXPECT_TRUE(WriteShowTips(&settingsIni, false));
    EXPECT_EQ(settingsIni.Get("Tips", "ShowTips"), "0");
    EXPECT_EQ(texts.Get("Tips", "ShowTips"), "1");
    EXPECT_FALSE(ReadShowTips(texts, &settingsIni));
    texts.Parse("[Tips]\nShowTips=0\n");
    EXPECT_TRUE(WriteShowTips(&settingsIni, true));
    EXPECT_TRUE(ReadShowTips(texts, &settingsIni));
    // Nowhere to write: reported.
    settingsIni.writable = false;
    EXPECT_FALSE(WriteShowTips(&settingsIni, false));
    EXPECT_FALSE(WriteShowTips(nullptr, false));
}

TEST(TipText, ByNumberInTheInterfaceLanguage) {
    MemoryProfile texts;
    texts.Parse("[English Tips]\n1=Press F2.\n[Greek Tips]\n1=\xd0\xe1\xf4\xde\xf3\xf4\xe5 F2.\n");
    char text[kTipTextSize];
    ReadTipText(texts, 1, false, text, sizeof text);
    EXPECT_STREQ(text, "Press F2.");
    ReadTipText(texts, 1, true, text, sizeof text);
    EXPECT_STREQ(text, "\xd0\xe1\xf4\xde\xf3\xf4\xe5 F2.");
    ReadTipText(texts, 2, false, text, sizeof text);
    EXPECT_STREQ(text, "");
    ReadTipText(texts, 0, false, text, sizeof text);
    EXPECT_STREQ(text, "");
}
