// Help lines and balloons on a real dialog (the program adjustments template, shown modeless on
// the test's thread so that the test can read its pixels between the steps).
#include "dialogs/help_balloons_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog_watcher.h"
#include "texts_copy.h"
#include "resources/resource_ids.h"
#include "tests/ui/canvas_win.h"

using namespace dialog_test;

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

void Pump() {
    MSG message;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

class HelpBalloonsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(texts_.Made());
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADJUSTMENTS),
                                     nullptr, QuietProc, 0);
        ASSERT_NE(dialog_, nullptr);
        SetWindowPos(dialog_, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetActiveWindow(dialog_);
        Pump();
        HDC screen = GetDC(nullptr);
        saveBitmap_ = CreateCompatibleBitmap(screen, kBalloonSaveSize, kBalloonSaveSize);
        ReleaseDC(nullptr, screen);
        font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GREEK_CHARSET, 0, 0, 0, 0,
                            L"Arial");
        help_.instance = GetModuleHandleW(nullptr);
        help_.textsFile = texts_.Path();
        help_.balloonFont = font_;
        help_.saveBitmap = saveBitmap_;
        ResetHelpState();
    }
    void TearDown() override {
        HideBalloon(saveBitmap_);
        DestroyWindow(dialog_);
        DeleteObject(saveBitmap_);
        DeleteObject(font_);
    }

    HWND Control(int id) { return GetDlgItem(dialog_, id); }
    std::wstring HelpLine() { return ItemText(dialog_, IDC_HINT_LINE); }
    void Rest(int id) {
        ShowHelpText(help_, dialog_, Control(id), IDC_HINT_LINE, kAdjustmentsHelpBase, false);
    }
    bool DelayTimerArmed() { return KillTimer(dialog_, TIMER_BALLOON_DELAY) != FALSE; }

    // The client area's pixels, top row first.
    std::vector<COLORREF> Capture() {
        RECT client;
        GetClientRect(dialog_, &client);
        Canvas canvas(client.right, client.bottom);
        HDC dc = GetDC(dialog_);
        BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(dialog_, dc);
        return canvas.Pixels();
    }
    static int Count(const std::vector<COLORREF>& pixels, COLORREF colour) {
        int n = 0;
        for (COLORREF p : pixels) {
            n += p == colour;
        }
        return n;
    }

    TextsCopy texts_;
    HWND dialog_ = nullptr;
    HBITMAP saveBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HelpContext help_;
};

}  // namespace

TEST_F(HelpBalloonsTest, HelpLineFollowsTheMouseWithoutBalloons) {
    Rest(IDC_OPTION_ACCENT);
    EXPECT_EQ(HelpLine(), L"If checked then accent characters are equal with no accent characters");
    EXPECT_FALSE(DelayTimerArmed());
    Rest(IDC_ACCENT_EXAMPLES);  // not in the table: the banner
    EXPECT_EQ(HelpLine(), L"Wordmere 2.2 adjustments - Press F1 for help.");
    Rest(IDC_HOTKEY_KEY_LIST);
    EXPECT_EQ(HelpLine(), L"Select the combination to maximize & minimize the dialogue.");
    // Resting on the same control again does nothing.
    SetWindowTextW(Control(IDC_HINT_LINE), L"x");
    Rest(IDC_HOTKEY_KEY_LIST);
    EXPECT_EQ(HelpLine(), L"x");
}

// A key or command before the balloon came cancels it; the mouse back on the same control,
// straight from outside the window, starts the help again. A control whose help ran its course
// stays quiet.
TEST_F(HelpBalloonsTest, ACancelledBalloonComesAgainOnTheSameControl) {
    help_.balloonsOn = true;
    Rest(IDC_OPTION_ACCENT);
    CancelPendingBalloon(dialog_);
    EXPECT_FALSE(DelayTimerArmed());
    Rest(IDC_OPTION_ACCENT);
    EXPECT_TRUE(DelayTimerArmed());
    CancelPendingBalloon(dialog_);  // nothing pending any more
    Rest(IDC_OPTION_ACCENT);
    EXPECT_FALSE(DelayTimerArmed());
}

TEST_F(HelpBalloonsTest, GreekHelpLines) {
    help_.useGreek = true;
    Rest(IDC_OPTION_ACCENT);
    const std::wstring line = HelpLine();
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line[0], L'\x038c');  // Όταν ...
}

TEST_F(HelpBalloonsTest, BalloonDrawnAndThePixelsUnderItRestored) {
    help_.balloonsOn = true;
    Rest(IDC_OPTION_ACCENT);
    EXPECT_TRUE(DelayTimerArmed());
    Pump();
    const std::vector<COLORREF> before = Capture();
    ShowHelpText(help_, dialog_, nullptr, IDC_HINT_LINE, kAdjustmentsHelpBase, true);
    const std::vector<COLORREF> during = Capture();
    EXPECT_GT(Count(during, RGB(255, 0, 0)), Count(before, RGB(255, 0, 0)) + 200);
    EXPECT_NE(during, before);
    // The balloon goes away by the hide call of the life timer.
    ShowHelpText(help_, dialog_, nullptr, 0, 0, false);
    EXPECT_EQ(Capture(), before);
    // The same control again shows nothing new; another control and back arms the timer again.
    Rest(IDC_OPTION_ACCENT);
    EXPECT_FALSE(DelayTimerArmed());
    Rest(IDC_OPTION_ROOT);
    EXPECT_TRUE(DelayTimerArmed());
    Rest(IDC_OPTION_ACCENT);
    EXPECT_TRUE(DelayTimerArmed());
}

TEST_F(HelpBalloonsTest, GreekBalloon) {
    help_.balloonsOn = true;
    help_.useGreek = true;
    Rest(IDC_OPTION_TASK_BAR_ICON);
    Pump();
    const std::vector<COLORREF> before = Capture();
    ShowHelpText(help_, dialog_, nullptr, IDC_HINT_LINE, kAdjustmentsHelpBase, true);
    EXPECT_GT(Count(Capture(), RGB(255, 0, 0)), 200);
    HideBalloon(saveBitmap_);
    EXPECT_EQ(Capture(), before);
}

TEST_F(HelpBalloonsTest, ABalloonThatDoesNotFitIsNeitherDrawnNorSaved) {
    const std::vector<COLORREF> before = Capture();
    // A text far taller than the dialog: a hundred lines.
    std::string text;
    for (int line = 0; line < 100; ++line) {
        text += "x\n";
    }
    EXPECT_FALSE(DrawBalloon(dialog_, Control(IDC_OPTION_ACCENT), font_, saveBitmap_, true,
                             text.c_str(), kBalloonColour));
    EXPECT_EQ(Capture(), before);
    HideBalloon(saveBitmap_);  // nothing was saved, so nothing is put back
    EXPECT_EQ(Capture(), before);
}

TEST_F(HelpBalloonsTest, AnInactiveDialogShowsNoHelp) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    SetWindowTextW(Control(IDC_HINT_LINE), L"x");
    Rest(IDC_OPTION_ACCENT);
    EXPECT_EQ(HelpLine(), L"x");
    DestroyWindow(other);
}
