// The help texts of the three dialogs that explain their controls (the lookup window, the program
// adjustments and the user dictionary): which text a control has, and where its speech balloon
// goes. Portable arithmetic; help_balloons_win draws it.
#pragma once

#include <cstddef>

#include "resources/resource_ids.h"
#include "ui/forms.h"

// The base text ids: the banner of each dialog; base + a control's offset is its help text.
constexpr int kLookupHelpBase = IDS_HELP_BASE;
constexpr int kAdjustmentsHelpBase = IDS_ADJUSTMENTS_HELP_BASE;
constexpr int kUserDictionaryHelpBase = IDS_USERDICT_HELP_BASE;

// The balloon texts live in these sections of the texts file, keyed by the decimal text id.
constexpr const char* kEnglishBalloonsSection = "EnglishBalloons";
constexpr const char* kGreekBalloonsSection = "GreekBalloons";
constexpr size_t kBalloonTextSize = 501;     // 500 characters and the terminator
constexpr size_t kHelpLineStringSize = 100;  // a help line from the string table

// Controls firstId..lastId (inclusive) show the help text base + offset.
struct HelpControl {
    int firstId;
    int lastId;
    int offset;
};

// The table of a dialog by its base; null (and count 0) for any other base.
const HelpControl* HelpTable(int base, size_t* count);

// The offset of a control in its dialog's table; 0 for a control the table does not name (the
// dialog itself included), which shows the banner and never a balloon.
int HelpTextOffset(int base, int controlId);

// Where a balloon is drawn, all in the dialog's client coordinates.
enum class TailCorner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };
struct BalloonPlace {
    bool fits = false;  // false: nothing is drawn and nothing saved
    PixelRect balloon;  // the outer rectangle (the frame is drawn 3 pixels inside it)
    PixelRect save;     // the pixels saved before drawing: balloon grown by 15 a side
    TailCorner tail = TailCorner::kTopLeft;
};

// The width the text is wrapped to: a third of the dialog's window width.
int BalloonTextWidth(const PixelRect& dialogWindow);

// The balloon of a control. control and dialogWindow are window rectangles in the dialog's
// client coordinates (so the dialog's left and top are negative by its frame and caption),
// textHeight the height of the text wrapped to BalloonTextWidth, captionHeight SM_CYCAPTION.
// The balloon goes right of the control's centre unless the control reaches into the right
// third, below it unless it reaches into the bottom third; it is then pushed inside the dialog.
BalloonPlace PlaceBalloon(const PixelRect& control, const PixelRect& dialogWindow, int textHeight,
                          int captionHeight);
