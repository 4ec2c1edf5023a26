// The looks of the bitmap buttons, as tables apart from the drawing: which bitmap a letter or
// command button shows for a draw action and state, and the moment a press clicks.
#pragma once

#include "ui/result_list.h"

// DrawButtonItem modes.
constexpr int kButtonDrawActualSize = 0;
constexpr int kButtonDrawStretch = 1;

// The letter a button shows for a keyboard mode: Latin capitals for modes 0, 1 and 8, Greek
// capitals (sharing the Latin bitmap where the letters look alike) for any other. 0 = none.
int LetterBitmapBase(int id, int keyboardMode);

// The base of button 137, 138, 139, 143 or 144 (138 and 139 by caption language); 0 otherwise.
int CommandButtonBase(int id, bool greekCaptions);

// A button's look for one draw request: the bitmap to draw (0 = nothing) and whether this is
// the moment the button went down, which clicks.
struct ButtonLook {
    int bitmapId = 0;
    bool clickSound = false;
};

// Only the low state bits take part: newer systems add keyboard-cue bits (no accelerator, no
// focus rectangle) that say nothing about the button's look.
ButtonLook LetterButtonLook(int base, unsigned action, unsigned state, bool isCurrentLetter);
ButtonLook CommandButtonLook(int base, unsigned action, unsigned state);
