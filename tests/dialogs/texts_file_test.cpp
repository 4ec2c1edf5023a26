// The texts file the program ships, read as the program reads it: every control that the help
// tables name has its one-line text and its balloon in both languages, and every Greek caption
// of the secondary dialogs is there, in Greek.
#include <gtest/gtest.h>

#include <string>

#include "settings/memory_stores.h"
#include "dialogs/help_balloons.h"
#include "resources/resource_ids.h"

namespace {

// True when the Windows-1253 text holds a Greek letter (0xC1..0xFE, ά έ ή ί ό ύ ώ and the
// accented capitals below them).
bool HasGreekLetter(const std::string& text) {
    for (unsigned char c : text) {
        if ((c >= 0xC1 && c <= 0xFE && c != 0xD2) || c == 0xB6 || (c >= 0xB8 && c <= 0xBA) ||
            c == 0xBC || c == 0xBE || c == 0xBF) {
            return true;
        }
    }
    return false;
}

class ShippedTextsFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(texts_.LoadFile(WORDMERE_TEXTS_FILE)); }
    MemoryProfile texts_;
};

// Every text id that a control of the three dialogs can show.
std::vector<int> ExplainedTextIds() {
    std::vector<int> ids;
    for (int base : {kLookupHelpBase, kAdjustmentsHelpBase, kUserDictionaryHelpBase}) {
        size_t count = 0;
        const HelpControl* table = HelpTable(base, &count);
        EXPECT_GT(count, 0u) << base;
        for (size_t i = 0; i < count; ++i) {
            ids.push_back(base + table[i].offset);
        }
    }
    return ids;
}

}  // namespace

TEST_F(ShippedTextsFile, EveryExplainedControlHasABalloonInBothLanguages) {
    for (int id : ExplainedTextIds()) {
        const std::string key = std::to_string(id);
        const std::string english = texts_.Get(kEnglishBalloonsSection, key);
        const std::string greek = texts_.Get(kGreekBalloonsSection, key);
        EXPECT_FALSE(english.empty()) << "English balloon " << id;
        EXPECT_FALSE(HasGreekLetter(english)) << "English balloon " << id;
        EXPECT_TRUE(HasGreekLetter(greek)) << "Greek balloon " << id;
        EXPECT_LT(english.size(), kBalloonTextSize) << id;
        EXPECT_LT(greek.size(), kBalloonTextSize) << id;
    }
}

TEST_F(ShippedTextsFile, EveryHelpLineAndBannerIsInGreek) {
    std::vector<int> ids = ExplainedTextIds();
    ids.insert(ids.end(), {kLookupHelpBase, kAdjustmentsHelpBase, kUserDictionaryHelpBase});
    for (int id : ids) {
        EXPECT_TRUE(HasGreekLetter(texts_.Get("DialogGreekTokens", std::to_string(id))))
            << "help line " << id;
    }
}

TEST_F(ShippedTextsFile, EveryGreekCaptionOfTheSecondaryDialogsIsThere) {
    const int keys[] = {
        // About: title, version and publisher lines, OK.
        KEY_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_PUBLISHER_FIRST,
        IDC_ABOUT_PUBLISHER_FIRST + 1, IDC_ABOUT_PUBLISHER_FIRST + 2, IDC_ABOUT_PUBLISHER_LAST,
        KEY_ABOUT_OK,
        // Program adjustments: title, options, buttons and statics.
        KEY_ADJUSTMENTS_TITLE, IDC_HOTKEY_DISABLE, IDC_OPTION_ACCENT, IDC_OPTION_ROOT,
        IDC_OPTION_FORM_TYPE, IDC_OPTION_USE_GREEK, IDC_OPTION_CLIPBOARD, IDC_OPTION_LARGE_FONT,
        IDC_OPTION_SOUNDS, IDC_OPTION_USER_DICTIONARY, IDC_OPTION_TASK_BAR_ICON,
        IDC_OPTION_SEARCH_AS_YOU_TYPE, KEY_ADJUSTMENTS_CANCEL, KEY_ADJUSTMENTS_OK, IDC_HOTKEY_TEXT,
        IDC_HOTKEY_KEY_TEXT, IDC_ACCENT_EXAMPLES,
        // Tip of the day: title, check box, buttons, the heading.
        KEY_TIP_TITLE, KEY_TIP_SHOW_TIPS, KEY_TIP_NEXT, KEY_TIP_CLOSE, IDS_DID_YOU_KNOW};
    for (int key : keys) {
        const std::string text = texts_.Get("DialogGreekTokens", std::to_string(key));
        EXPECT_TRUE(HasGreekLetter(text)) << "key " << key << ": \"" << text << "\"";
    }
}

TEST_F(ShippedTextsFile, EveryTipIsThereInBothLanguages) {
    const int count = std::stoi(texts_.Get("Tips", "MaxTips"));
    ASSERT_GT(count, 0);
    EXPECT_EQ(texts_.Get("Tips", "ShowTips"), "1");
    for (int tip = 1; tip <= count; ++tip) {
        const std::string key = std::to_string(tip);
        EXPECT_FALSE(texts_.Get("English Tips", key).empty()) << tip;
        EXPECT_TRUE(HasGreekLetter(texts_.Get("Greek Tips", key))) << tip;
    }
    EXPECT_TRUE(texts_.Get("English Tips", std::to_string(count + 1)).empty());
}
