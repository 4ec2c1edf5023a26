// Help for the controls of the lookup window, the program adjustments and the user dictionary:
// a one-line text in the dialog's help line as soon as the mouse rests on a control, and, with
// help balloons on, a speech balloon with a longer text painted beside the control 3 seconds
// later and taken away 10 seconds after that (or at the dialog's next event). The balloon is
// painted straight onto the dialog; the pixels under it are saved first and put back after.
#pragma once

#include <windows.h>

#include "dialogs/help_balloons.h"

// What the help of one dialog draws with; the caller owns the font and the bitmap.
struct HelpContext {
    HINSTANCE instance = nullptr;  // the string table of the English help lines
    const char* textsFile = "";    // the Greek help lines and the balloon texts
    bool useGreek = false;
    bool balloonsOn = false;
    HFONT balloonFont = nullptr;
    HBITMAP saveBitmap = nullptr;  // kBalloonSaveSize square; a larger balloon keeps its top left
};

constexpr int kBalloonSaveSize = 400;
constexpr UINT kBalloonDelayMs = 3000;
constexpr UINT kBalloonLifeMs = 10000;
constexpr COLORREF kBalloonColour = RGB(255, 0, 0);

// Shows the help of control (a child of dialog, or null) in the help line lineId, by the table
// of base. The same control as last time (across all three dialogs) does nothing, so resting
// on a control never repeats its help; a dialog that is not the active window shows nothing.
// With balloons on, a pending or shown balloon goes first; then show = false arms the 3-second
// timer and show = true draws the balloon of the control shown last. base 0 only hides.
void ShowHelpText(const HelpContext& help, HWND dialog, HWND control, int lineId, int base,
                  bool show);

// Paints a balloon with text (Windows-1253 bytes) beside control in dialog. With save set, the
// pixels under it are saved first into saveBitmap, for HideBalloon. Nothing is drawn (and nothing
// saved) when the balloon does not fit inside the dialog. True when drawn.
bool DrawBalloon(HWND dialog, HWND control, HFONT font, HBITMAP saveBitmap, bool save,
                 const char* text, COLORREF colour);

// Puts the saved pixels back, when a balloon is shown and its dialog still exists.
void HideBalloon(HBITMAP saveBitmap);

// The help messages of a dialog: WM_SETCURSOR shows the help of the control under the mouse,
// timer 6554 draws the balloon, timer 6555 hides it. True when the message was one of them;
// *result is then what the dialog procedure returns. balloonShown is the dialog's own flag.
bool HandleHelpMessage(const HelpContext& help, HWND dialog, UINT message, WPARAM wParam, int base,
                       bool* balloonShown, INT_PTR* result);

// An event of the dialog (a key, a command) before the balloon came: the 3-second delay stops,
// and the control it was for counts as not shown, so that the mouse coming back onto it starts
// its help again, also straight from outside the window without passing another control.
void CancelPendingBalloon(HWND dialog);

// Every other message that reaches the end of the dialog procedure takes a shown balloon away.
void HideDialogBalloon(const HelpContext& help, HWND dialog, bool* balloonShown);

// Forgets the control shown last, as at start (for tests that open dialogs one after another).
void ResetHelpState();
