// The bitmap buttons drawn with the program's own pictures.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/canvas_win.h"
#include "ui/button_bitmaps_win.h"
#include "ui/forms.h"
#include "resources/resource_ids.h"
#include "ui/result_list_win.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// The pixels a bitmap gives when drawn straight into a button of kWidth x kHeight.
std::vector<COLORREF> BitmapPixels(int bitmapId) {
    Canvas picture(kWidth, kHeight);
    RECT rect = {0, 0, kWidth, kHeight};
    DrawButtonItem(GetModuleHandleW(nullptr), bitmapId, picture.Dc(), &rect, kButtonDrawStretch);
    return picture.Pixels();
}

// The look the buttons are drawn in: the program's module and the options a test changes.
ItemLook look;

// The pixels the dialog's drawing routine leaves for one button draw request.
std::vector<COLORREF> DrawnPixels(int buttonId, UINT action, UINT state, int currentLetter = 0) {
    Canvas picture(kWidth, kHeight);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(buttonId);
    item.itemAction = action;
    item.itemState = state;
    item.hDC = picture.Dc();
    item.rcItem = RECT{0, 0, kWidth, kHeight};
    look.currentLetter = currentLetter;
    DrawLookupItem(nullptr, &item, look);
    return picture.Pixels();
}

bool IsUntouched(const std::vector<COLORREF>& pixels) {
    for (COLORREF p : pixels) {
        if (p != kUntouched) {
            return false;
        }
    }
    return true;
}

class ButtonsWinTest : public testing::Test {
protected:
    void SetUp() override {
        look = ItemLook();
        look.instance = GetModuleHandleW(nullptr);
        look.letterButtons = true;
        look.greekCaptions = false;
        look.keyboardMode = 0;
    }
};

}  // namespace

TEST_F(ButtonsWinTest, StretchedToTheButton) {
    // A letter picture is 20 x 30; drawn at its own size and stretched to twice the width.
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1100));
    ASSERT_NE(bitmap, nullptr) << "letter A picture missing";
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    ASSERT_EQ(info.bmWidth, 20);
    ASSERT_EQ(info.bmHeight, 30);

    Canvas actual(info.bmWidth, info.bmHeight);
    RECT small = {0, 0, info.bmWidth, info.bmHeight};
    DrawButtonItem(GetModuleHandleW(nullptr), 1100, actual.Dc(), &small, kButtonDrawActualSize);
    Canvas stretched(2 * info.bmWidth, info.bmHeight);
    RECT wide = {0, 0, 2 * info.bmWidth, info.bmHeight};
    DrawButtonItem(GetModuleHandleW(nullptr), 1100, stretched.Dc(), &wide, kButtonDrawStretch);
    EXPECT_FALSE(actual.Untouched());
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) {
            ASSERT_EQ(stretched.Pixel(2 * x, y), actual.Pixel(x, y)) << x << "," << y;
            ASSERT_EQ(stretched.Pixel(2 * x + 1, y), actual.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ButtonsWinTest, CommandButtonLooks) {
    EXPECT_EQ(DrawnPixels(IDC_SEARCH, ODA_DRAWENTIRE, 0), BitmapPixels(1137));
    EXPECT_EQ(DrawnPixels(IDC_SEARCH, ODA_SELECT, ODS_SELECTED | ODS_FOCUS), BitmapPixels(3137));
    EXPECT_EQ(DrawnPixels(IDC_SEARCH, ODA_SELECT, ODS_FOCUS), BitmapPixels(5137));
    EXPECT_EQ(DrawnPixels(IDC_SEARCH, ODA_DRAWENTIRE, ODS_DISABLED), BitmapPixels(7137));
    // The four looks are four different pictures.
    EXPECT_NE(BitmapPixels(1137), BitmapPixels(3137));
    EXPECT_NE(BitmapPixels(1137), BitmapPixels(5137));
    EXPECT_NE(BitmapPixels(1137), BitmapPixels(7137));
    // A combination the looks do not name draws nothing.
    EXPECT_TRUE(IsUntouched(DrawnPixels(IDC_SEARCH, ODA_SELECT, 0)));
}

TEST_F(ButtonsWinTest, CaptionLanguageChangesOnlyTheCaptionedButtons) {
    std::vector<COLORREF> englishCopy = DrawnPixels(IDC_COPY, ODA_DRAWENTIRE, 0);
    std::vector<COLORREF> englishClipboard = DrawnPixels(IDC_CLIPBOARD, ODA_DRAWENTIRE, 0);
    std::vector<COLORREF> smallCopy = DrawnPixels(IDC_SMALL_COPY, ODA_DRAWENTIRE, 0);
    std::vector<COLORREF> smallClipboard = DrawnPixels(IDC_SMALL_CLIPBOARD, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(englishCopy, BitmapPixels(1152));
    EXPECT_EQ(englishClipboard, BitmapPixels(1151));
    look.greekCaptions = true;
    EXPECT_EQ(DrawnPixels(IDC_COPY, ODA_DRAWENTIRE, 0), BitmapPixels(1138));
    EXPECT_NE(DrawnPixels(IDC_COPY, ODA_DRAWENTIRE, 0), englishCopy);
    EXPECT_NE(DrawnPixels(IDC_CLIPBOARD, ODA_DRAWENTIRE, 0), englishClipboard);
    EXPECT_EQ(DrawnPixels(IDC_SMALL_COPY, ODA_DRAWENTIRE, 0), smallCopy);
    EXPECT_EQ(DrawnPixels(IDC_SMALL_CLIPBOARD, ODA_DRAWENTIRE, 0), smallClipboard);
}

TEST_F(ButtonsWinTest, LetterButtons) {
    const int letterE = IDC_LETTER_FIRST + 4;
    EXPECT_EQ(DrawnPixels(letterE, ODA_DRAWENTIRE, 0), BitmapPixels(1104));
    EXPECT_EQ(DrawnPixels(letterE, ODA_DRAWENTIRE, 0, letterE), BitmapPixels(3104));
    EXPECT_EQ(DrawnPixels(letterE, ODA_SELECT, ODS_SELECTED | ODS_FOCUS), BitmapPixels(3104));
    EXPECT_NE(BitmapPixels(1104), BitmapPixels(3104));

    // Greek keyboard: the third button shows Γ, the thirteenth nothing.
    look.keyboardMode = 2;
    EXPECT_EQ(DrawnPixels(IDC_LETTER_FIRST + 2, ODA_DRAWENTIRE, 0), BitmapPixels(1126));
    EXPECT_NE(BitmapPixels(1126), BitmapPixels(1102));
    EXPECT_TRUE(IsUntouched(DrawnPixels(IDC_LETTER_FIRST + 12, ODA_DRAWENTIRE, 0)));

    // Forms without the alphabetical index never draw a letter.
    look.keyboardMode = 0;
    look.letterButtons = FormHasLetterButtons(0, 0);
    EXPECT_TRUE(IsUntouched(DrawnPixels(letterE, ODA_DRAWENTIRE, 0)));
    look.letterButtons = FormHasLetterButtons(1, 1);
    EXPECT_TRUE(IsUntouched(DrawnPixels(letterE, ODA_DRAWENTIRE, 0)));
}
