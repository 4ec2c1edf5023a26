// The tip of the day, run for real over a private copy of the shipped texts file.
#include "dialogs/tip_dialog_win.h"

#include <gtest/gtest.h>

#include "settings/memory_stores.h"
#include "dialog_watcher.h"
#include "texts_copy.h"
#include "resources/resource_ids.h"
#include "ui/forms_win.h"

using namespace dialog_test;

namespace {

class TipDialogTest : public TextsCopyTest {
protected:
    void SetUp() override {
        TextsCopyTest::SetUp();
        source_.instance = GetModuleHandleW(nullptr);
        source_.textsFile = texts_.Path();
        source_.settingsIni = &settingsIni_;
        source_.tipCount = 14;
        source_.todayTip = 13;
    }

    std::string ShowTipsInTextsFile() {
        char value[16] = {};
        GetPrivateProfileStringA("Tips", "ShowTips", "", value, sizeof value, texts_.Path());
        return value;
    }

    int16_t Run(const std::function<void(HWND)>& drive) {
        int16_t tip = -1;
        EXPECT_TRUE(RunDialog(
            IDC_SHOW_TIPS, [&] { tip = ShowTipOfTheDayDialog(nullptr, source_, &showAtStart_); },
            drive));
        return tip;
    }

    MemoryProfile settingsIni_;
    TipSource source_;
    bool showAtStart_ = true;
};

COLORREF PixelAt(HWND dialog, int x, int y) {
    HDC dc = GetDC(dialog);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(dialog, dc);
    return colour;
}

}  // namespace

TEST_F(TipDialogTest, PaintsThePanelAndCyclesThroughTheTips) {
    const int16_t last = Run([&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), L"Tip of the Day");
        EXPECT_TRUE(Checked(dialog, IDC_SHOW_TIPS));
        EXPECT_EQ(ItemText(dialog, IDOK), L"Next tip");
        RECT panel;
        ASSERT_TRUE(ControlClientRect(dialog, IDC_TIP_PANEL, &panel));
        const int bandRight = panel.left + (panel.right - panel.left) / 5;
        // The grey band on the left (outside the picture), the white page, the grey rule.
        EXPECT_EQ(PixelAt(dialog, panel.left + 1, panel.bottom - 2), RGB(128, 128, 128));
        EXPECT_EQ(PixelAt(dialog, panel.right - 3, panel.bottom - 3), RGB(255, 255, 255));
        const int ruleY = panel.top + 2 * ((panel.bottom - panel.top) / 10);
        EXPECT_EQ(PixelAt(dialog, panel.right - 5, ruleY), RGB(128, 128, 128));
        // Heading and tip text: dark pixels on the page above and below the rule.
        int inkAbove = 0, inkBelow = 0;
        HDC dc = GetDC(dialog);
        for (int y = panel.top; y < panel.bottom; y += 1) {
            for (int x = bandRight + 2; x < panel.right - 2; x += 2) {
                if (y != ruleY && y != ruleY - 1 && y != ruleY + 1 && GetPixel(dc, x, y) == 0) {
                    (y < ruleY ? inkAbove : inkBelow)++;
                }
            }
        }
        ReleaseDC(dialog, dc);
        EXPECT_GT(inkAbove, 20);
        EXPECT_GT(inkBelow, 100);
        // The picture is one of the tip's frames, drawn inside its frame.
        Click(dialog, IDOK);  // 14
        Click(dialog, IDOK);  // back to 1
        Click(dialog, IDOK);  // 2
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(last, 2);
    EXPECT_TRUE(showAtStart_);
}

// The switch goes to the user's settings at once; the texts file beside the program keeps
// what it was built with.
TEST_F(TipDialogTest, ShowTipsIsWrittenAtOnceToTheUsersSettings) {
    Run([&](HWND dialog) {
        Click(dialog, IDC_SHOW_TIPS);
        EXPECT_FALSE(Checked(dialog, IDC_SHOW_TIPS));
        EXPECT_EQ(settingsIni_.Get("Tips", "ShowTips"), "0");
        Click(dialog, IDC_SHOW_TIPS);
        EXPECT_EQ(settingsIni_.Get("Tips", "ShowTips"), "1");
        Click(dialog, IDC_SHOW_TIPS);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(showAtStart_);
    EXPECT_EQ(settingsIni_.Get("Tips", "ShowTips"), "0");
    EXPECT_EQ(ShowTipsInTextsFile(), "1");
}

TEST_F(TipDialogTest, WithoutTipsStartsAtZero) {
    source_.tipCount = 0;
    source_.todayTip = 0;
    showAtStart_ = false;
    const int16_t last = Run([&](HWND dialog) {
        EXPECT_FALSE(Checked(dialog, IDC_SHOW_TIPS));
        Click(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(last, 1);
}

TEST_F(TipDialogTest, GreekTextsAndCentredOverItsOwner) {
    source_.useGreek = true;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 800, 600,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(RunDialog(
        IDC_SHOW_TIPS, [&] { ShowTipOfTheDayDialog(owner, source_, &showAtStart_); },
        [&](HWND dialog) {
            // Συμβουλή της ημέρας / Επόμενη / Κλείσιμο
            EXPECT_EQ(TextOf(dialog),
                      L"\x03a3\x03c5\x03bc\x03b2\x03bf\x03c5\x03bb\x03ae "
                      L"\x03c4\x03b7\x03c2 \x03b7\x03bc\x03ad\x03c1\x03b1\x03c2");
            EXPECT_EQ(ItemText(dialog, IDOK), L"\x0395\x03c0\x03cc\x03bc\x03b5\x03bd\x03b7");
            EXPECT_EQ(ItemText(dialog, IDCANCEL),
                      L"\x039a\x03bb\x03b5\x03af\x03c3\x03b9\x03bc\x03bf");
            RECT rect;
            GetWindowRect(dialog, &rect);
            EXPECT_EQ(rect.left, 100 + (800 - (rect.right - rect.left)) / 2);
            EXPECT_EQ(rect.top, 80 + (600 - (rect.bottom - rect.top)) / 2);
            Click(dialog, IDCANCEL);
        }));
    DestroyWindow(owner);
}
