#include "ui/forms.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"

TEST(FormsTest, TemplateOfEachForm) {
    struct Case {
        int formType, dialogState, templateId;
    } cases[] = {
        {1, 0, IDD_LOOKUP_FULL},
        {0, 0, IDD_LOOKUP_COMPACT},
        // The small form wins whatever FormType says.
        {1, 1, IDD_LOOKUP_SMALL},
        {0, 1, IDD_LOOKUP_SMALL},
        // The main window and the dialog answer alike for every stored value: any FormType but 0
        // is the full form, the default, any DialogState above 0 the small form.
        {2, 0, IDD_LOOKUP_FULL},
        {-7, 0, IDD_LOOKUP_FULL},
        {-1, 1, IDD_LOOKUP_SMALL},
        {1, 2, IDD_LOOKUP_SMALL},
        {1, -1, IDD_LOOKUP_FULL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookupFormTemplate(c.formType, c.dialogState), c.templateId)
            << c.formType << "/" << c.dialogState;
    }
    EXPECT_EQ(LookupFormOf(1, 2), LookupForm::kSmall);
    EXPECT_TRUE(FormHasLetterButtons(1, 0));
    EXPECT_FALSE(FormHasLetterButtons(0, 0));
    EXPECT_FALSE(FormHasLetterButtons(1, 1));
}

TEST(FormsTest, TheSmallFormRectangleIsMadeUsableInTheWorkArea) {
    const PixelRect work{0, 0, 1024, 738};  // a task bar below
    struct Case {
        PixelRect stored, fitted;
    } cases[] = {
        {{100, 100, 500, 300}, {100, 100, 500, 300}},            // fits: stays
        {{99999, 99999, 199999, 199999}, {0, 0, 1024, 738}},     // off screen and too large
        {{-5000, -5000, -4500, -4800}, {0, 0, 500, 200}},        // off screen: moved in
        {{900, 700, 10, 10}, {784, 658, 1024, 738}},             // inverted: minimum size
        {{200, 300, 304, 301}, {200, 300, 440, 380}},            // a 104 x 1 sliver
        {{-2147483647, 0, 2147483647, 100}, {0, 0, 1024, 100}},  // no overflow
    };
    for (const Case& c : cases) {
        PixelRect r = FitSmallFormRect(c.stored, work);
        EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}),
                  std::vector<int>({c.fitted.left, c.fitted.top, c.fitted.right, c.fitted.bottom}))
            << c.stored.left << "," << c.stored.top << "," << c.stored.right << ","
            << c.stored.bottom;
    }
    // A work area that does not start at the origin (a second monitor, a task bar on top).
    PixelRect r = FitSmallFormRect({0, 0, 400, 200}, {1024, 40, 2048, 768});
    EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}),
              std::vector<int>({1024, 40, 1424, 240}));
}

TEST(FormsTest, CentringOnA640By480Screen) {
    struct Case {
        int width, height, x, y;
    } cases[] = {
        {200, 100, 220, 190},
        {641, 100, 0, 190},    // wider than the screen: left edge, still centred vertically
        {200, 481, 220, 0},    // higher: top edge
        {639, 479, 0, 0},      // one pixel to spare is less than 2: edges
        {638, 478, 1, 1},      // two pixels to spare: centred
        {201, 101, 219, 189},  // odd remainder truncates
        {900, 900, 0, 0},
    };
    for (const Case& c : cases) {
        PixelRect area = CentringArea(nullptr, c.width, c.height, 640, 480);
        PixelPoint p = CentredPosition(area, c.width, c.height);
        EXPECT_EQ(p.x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(p.y, c.y) << c.width << "x" << c.height;
    }
}

TEST(FormsTest, ReferenceWindowOnlyWhenLargeEnough) {
    const PixelRect reference{100, 50, 400, 350};  // 300 x 300
    PixelPoint inside = CentredPosition(CentringArea(&reference, 200, 100, 640, 480), 200, 100);
    EXPECT_EQ(inside.x, 150);
    EXPECT_EQ(inside.y, 150);

    // Exactly as large still counts; one pixel smaller in either direction falls back to the
    // screen.
    PixelRect same = CentringArea(&reference, 300, 300, 640, 480);
    EXPECT_EQ(same.left, 100);
    EXPECT_EQ(same.top, 50);
    for (auto size : {std::pair<int, int>{301, 100}, {100, 301}}) {
        PixelRect area = CentringArea(&reference, size.first, size.second, 640, 480);
        EXPECT_EQ(area.left, 0);
        EXPECT_EQ(area.top, 0);
        EXPECT_EQ(area.right, 640);
        EXPECT_EQ(area.bottom, 480);
    }
}

TEST(FormsTest, RememberedSmallFormRectangle) {
    EXPECT_FALSE(SmallFormRectIsSet(0, 0, 0, 0));
    EXPECT_TRUE(SmallFormRectIsSet(0, 0, 500, 90));
    EXPECT_TRUE(SmallFormRectIsSet(-300, -80, 0, 0));  // a window left of and above the screen
    EXPECT_FALSE(SmallFormRectIsSet(10, 0, 500, 0));   // no vertical edge
    EXPECT_FALSE(SmallFormRectIsSet(0, 10, 0, 90));    // no horizontal edge
}

TEST(FormsTest, SmallFormLayoutSplitsTheWidth) {
    // Search button 22 x 21, word box at y 4 and 21 high, caption and frame 26.
    for (int width : {500, 501, 342, 1000}) {
        SmallFormLayout l = ComputeSmallFormLayout(width, 120, 22, 21, 4, 21, 26);
        const int half = (width - 3 * 22 - 15) / 2;
        const int listWidth = (width - 16) / 2;
        EXPECT_EQ(l.wordBox.width, half);
        EXPECT_EQ(l.dictionaryList.width, half);
        EXPECT_EQ(l.matchList.width, listWidth);
        EXPECT_EQ(l.translationList.width, listWidth);
        // The lists are separated by 3 pixels.
        EXPECT_EQ(l.translationList.x - (l.matchList.x + l.matchList.width), 3);
        // The three buttons and the dictionary list follow the word box, one pixel apart.
        EXPECT_EQ(l.searchButton.x, half + 3);
        EXPECT_EQ(l.copyButton.x, l.searchButton.x + 23);
        EXPECT_EQ(l.clipboardButton.x, l.copyButton.x + 23);
        EXPECT_EQ(l.dictionaryList.x, l.clipboardButton.x + 23);
    }
    SmallFormLayout l = ComputeSmallFormLayout(500, 120, 22, 21, 4, 21, 26);
    EXPECT_EQ(l.wordBox.x, 1);
    EXPECT_EQ(l.wordBox.y, 4);
    EXPECT_EQ(l.wordBox.height, 120 - 4 - 26);  // its drop-down list reaches the bottom
    EXPECT_EQ(l.copyButton.width, 22);
    EXPECT_EQ(l.copyButton.height, 21);
    EXPECT_EQ(l.matchList.x, 1);
    EXPECT_EQ(l.matchList.y, 4 + 21 + 3);
    EXPECT_EQ(l.matchList.height, 120 - (26 + 28 + 5));
    EXPECT_EQ(l.translationList.y, l.matchList.y);
    EXPECT_EQ(l.translationList.height, l.matchList.height);
}

TEST(FormsTest, TinySmallFormGivesNegativeSizes) {
    SmallFormLayout l = ComputeSmallFormLayout(40, 30, 22, 21, 4, 21, 26);
    EXPECT_EQ(l.wordBox.width, (40 - 66 - 15) / 2);  // -20: truncated toward zero
    EXPECT_EQ(l.matchList.width, 12);
    EXPECT_LT(l.matchList.height, 0);
}

TEST(FormsTest, BitmapFrames) {
    uint8_t frame = NextBitmapFrame(3, kFrameReset, 5);
    std::vector<int> shown{frame};
    for (int i = 0; i < 7; ++i) {
        shown.push_back(frame = NextBitmapFrame(frame, kFrameNext, 5));
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1}));
    // A single picture stays on frame 0.
    EXPECT_EQ(NextBitmapFrame(0, kFrameNext, 0), 0);
    // The counter is shared: a sequence left beyond a shorter one's last frame starts over.
    EXPECT_EQ(NextBitmapFrame(5, kFrameNext, 4), 0);
}

TEST(FormsTest, ExactFontNameMatching) {
    constexpr int kTrueType = 4, kRaster = 1;
    struct Case {
        int wantedType, fontType;
        const char* fullName;
        const char* face;
        FontMatch expected;
    } cases[] = {
        {kAnyFontType, kTrueType, "Arial", "Arial", FontMatch::kTake},
        {kAnyFontType, kTrueType, "ARIAL", "arial", FontMatch::kTake},
        {kAnyFontType, kTrueType, "Arial Bold", "Arial", FontMatch::kContinue},
        {kAnyFontType, kTrueType, "Arimo", "Arial", FontMatch::kStop},
        {kTrueType, kRaster, "Arial", "Arial", FontMatch::kContinue},
        {kTrueType, kTrueType, "Arial", "Arial", FontMatch::kTake},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchFontExact(c.wantedType, c.fontType, c.fullName, c.face), c.expected)
            << c.fullName << " / " << c.face;
    }
    // Full names are read up to 63 characters.
    std::string longName(70, 'x');
    EXPECT_EQ(
        MatchFontExact(kAnyFontType, kTrueType, longName.c_str(), std::string(63, 'X').c_str()),
        FontMatch::kTake);
}

TEST(FormsTest, PrefixFontNameMatching) {
    const char* face = "Times New Roman";
    EXPECT_EQ(
        MatchFontPrefix(kAnyFontType, 4, "Times New Roman Bold Italic", face, true, true, 700, 1),
        FontMatch::kTake);
    EXPECT_EQ(MatchFontPrefix(kAnyFontType, 4, "times new roman", face, false, false, 400, 0),
              FontMatch::kTake);
    EXPECT_EQ(MatchFontPrefix(kAnyFontType, 4, "Times New Roman", face, false, true, 400, 0),
              FontMatch::kContinue);
    EXPECT_EQ(MatchFontPrefix(kAnyFontType, 4, "Times New Roman", face, true, false, 0, 1),
              FontMatch::kContinue);
    EXPECT_EQ(MatchFontPrefix(kAnyFontType, 4, "Times", face, false, false, 400, 0),
              FontMatch::kContinue);
    EXPECT_EQ(MatchFontPrefix(kAnyFontType, 4, "Tahoma", face, false, false, 400, 0),
              FontMatch::kContinue);
    EXPECT_EQ(MatchFontPrefix(1, 4, "Times New Roman", face, false, false, 400, 0),
              FontMatch::kContinue);
}

TEST(FormsTest, FontHeightFromPoints) {
    EXPECT_EQ(FontHeightForPoints(-16, 0, 96), -16);    // size 0 keeps the enumerated height
    EXPECT_EQ(FontHeightForPoints(-16, 256, 96), -16);  // only the low 8 bits count
    EXPECT_EQ(FontHeightForPoints(-16, 10, 96), -13);   // 13.33
    EXPECT_EQ(FontHeightForPoints(-16, 13, 96), -17);   // 17.33
    EXPECT_EQ(FontHeightForPoints(-16, 9, 96), -12);
    EXPECT_EQ(FontHeightForPoints(-16, 25, 96), -33);   // 33.33
    EXPECT_EQ(FontHeightForPoints(-16, 3, 12), -1);     // 0.5 rounds up, as MulDiv does
    EXPECT_EQ(FontHeightForPoints(-16, 10, 120), -17);  // 16.67
}
