// The arithmetic of the lookup window's forms, kept apart from the windows so it can be checked
// on its own: which template a form uses, centring, the small form's remembered rectangle and
// its layout, the picture frame counter, and the font-name matching of the font factory.
#pragma once

#include <cstdint>

// Font type that matches any enumerated font type.
constexpr int kAnyFontType = 1010;

// ShowBitmapFrame actions.
constexpr int kFrameReset = 0;
constexpr int kFrameNext = 1;

// A rectangle in pixels, right and bottom exclusive (as a Windows RECT).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A control's place in its dialog's client area.
struct ControlPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// The one rule of the lookup window's form, from the FormType and DialogState settings:
// FormType 0 is the compact form; 1, the default, is the full form, and so is any other value
// (a damaged setting must not leave the program without a window). A DialogState above 0 makes
// either the small form.
enum class LookupForm { kNone, kFull, kCompact, kSmall };
LookupForm LookupFormOf(int formType, int dialogState);

// The template of a form (10000, 10003, 10004); 0 for none.
int LookupFormTemplate(int formType, int dialogState);

// True when the lookup window of this form shows the alphabetical index, the status line and
// the count: the full form.
bool FormHasLetterButtons(int formType, int dialogState);

// The area a window of this size is centred in: the reference rectangle when there is one and
// it is at least as wide and as high as the window, else the screen.
PixelRect CentringArea(const PixelRect* reference, int width, int height, int screenWidth,
                       int screenHeight);

// The top-left corner that centres a width x height window in area. A window that is wider or
// higher than the area (by less than 2 pixels to spare) sits at the area's left or top edge.
PixelPoint CentredPosition(const PixelRect& area, int width, int height);

// The remembered small-form rectangle counts once a horizontal and a vertical edge are non-zero.
bool SmallFormRectIsSet(int32_t left, int32_t top, int32_t right, int32_t bottom);

// The smallest small form that still shows its word box, buttons and lists.
constexpr int kSmallFormMinWidth = 240;
constexpr int kSmallFormMinHeight = 80;
// The remembered small-form rectangle made usable in the work area: at least the minimum size
// (an inverted or degenerate rectangle gets it), at most the work area's, and moved wholly into
// the work area. A rectangle that fits stays as it is.
PixelRect FitSmallFormRect(const PixelRect& stored, const PixelRect& workArea);

// Where the small form's controls go in a window of windowWidth x windowHeight pixels, given the
// search button's size, the word box's top and height before the layout, and the height taken
// by the caption and frame. There is no minimum: a tiny window gives zero or negative sizes.
struct SmallFormLayout {
    ControlPlace wordBox;          // 12003; its height is that of its drop-down list
    ControlPlace searchButton;     // 137
    ControlPlace copyButton;       // 143
    ControlPlace clipboardButton;  // 144
    ControlPlace dictionaryList;   // 12011
    ControlPlace matchList;        // 12000
    ControlPlace translationList;  // 12001
};
SmallFormLayout ComputeSmallFormLayout(int windowWidth, int windowHeight, int buttonWidth,
                                       int buttonHeight, int wordBoxTop, int wordBoxHeight,
                                       int captionHeight);

// The frame shown after an action: reset gives 0; next gives the following frame, back to 0
// after lastFrame (also when a previous caller left the shared counter beyond this lastFrame).
// Any other action keeps the frame.
uint8_t NextBitmapFrame(uint8_t frame, int action, int lastFrame);

// What a font enumeration callback does with one enumerated font.
enum class FontMatch { kContinue, kStop, kTake };

// The exact-name rule: the full name must be the face name (any case). A full name of the face's
// length that is another name ends the search without a font.
FontMatch MatchFontExact(int wantedType, int fontType, const char* fullName, const char* faceName);

// The prefix rule: the full name must begin with the face name (any case), and with needWeight
// / needItalic the font must have a non-zero weight / italic flag.
FontMatch MatchFontPrefix(int wantedType, int fontType, const char* fullName, const char* faceName,
                          bool needWeight, bool needItalic, int weight, int italic);

// The logical height of a created font: the enumerated height when the low 8 bits of pointSize
// are 0, else minus pointSize points at logPixelsY pixels per inch (rounded as MulDiv rounds).
int FontHeightForPoints(int enumeratedHeight, int pointSize, int logPixelsY);

// Face names shorter than this give no font.
constexpr int kMinFaceNameLength = 3;
// Enumerated full names are read up to this many characters.
constexpr int kMaxFullNameLength = 63;
