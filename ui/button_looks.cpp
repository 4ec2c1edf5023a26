#include "ui/button_looks.h"

// Greek capitals on the letter buttons, by button id - 100. Letters that look like a Latin capital
// reuse its bitmap; Γ Δ Θ Λ Ξ Π Σ Φ Ψ Ω have bitmaps 126..135 of their own.
static const int kGreekLetterBases[26] = {
    100, 101, 126, 127, 104, 125, 107, 128, 108, 110, 129, 112, 0,  // Α Β Γ Δ Ε Ζ Η Θ Ι Κ Λ Μ -
    113, 130, 114, 131, 115, 132, 119, 124, 133, 123, 134, 135, 0,  // Ν Ξ Ο Π Ρ Σ Τ Υ Φ Χ Ψ Ω -
};

int LetterBitmapBase(int id, int keyboardMode) {
    if (id < IDC_LETTER_FIRST || id > IDC_LETTER_LAST) {
        return 0;
    }
    if (keyboardMode == 0 || keyboardMode == 1 || keyboardMode == 8) {
        return id;
    }
    return kGreekLetterBases[id - IDC_LETTER_FIRST];
}

int CommandButtonBase(int id, bool greekCaptions) {
    switch (id) {
        case IDC_SEARCH:
        case IDC_SMALL_COPY:
        case IDC_SMALL_CLIPBOARD:
            return id;
        case IDC_COPY:
            return greekCaptions ? IDC_COPY : BMP_BASE_COPY_ENGLISH;
        case IDC_CLIPBOARD:
            return greekCaptions ? IDC_CLIPBOARD : BMP_BASE_CLIPBOARD_ENGLISH;
    }
    return 0;
}

// The state bits that describe a button's look; anything above (default, hot, inactive,
// keyboard cues) is left out before the tables below compare whole values.
static unsigned LookState(unsigned state) {
    return state & 0x1F;
}

static ButtonLook Look(int base, int look, bool click = false) {
    ButtonLook result;
    if (base != 0) {
        result.bitmapId = base + look;
    }
    result.clickSound = click && base != 0;
    return result;
}

ButtonLook LetterButtonLook(int base, unsigned action, unsigned state, bool isCurrentLetter) {
    state = LookState(state);
    switch (action) {
        case kActionDrawEntire:
            return Look(base, isCurrentLetter ? BMP_LOOK_PRESSED : BMP_LOOK_NORMAL);
        case kActionSelect:
            if (state == kStateFocus) {
                return Look(base, BMP_LOOK_NORMAL);
            }
            if (state == (kStateFocus | kStateSelected)) {
                return Look(base, BMP_LOOK_PRESSED, true);
            }
            break;
        case kActionFocus:
            if (state == 0 || state == kStateFocus) {
                return Look(base, BMP_LOOK_NORMAL);
            }
            break;
    }
    return ButtonLook{};
}

ButtonLook CommandButtonLook(int base, unsigned action, unsigned state) {
    state = LookState(state);
    switch (action) {
        case kActionDrawEntire:
            return Look(base, state == kStateDisabled ? BMP_LOOK_DISABLED : BMP_LOOK_NORMAL);
        case kActionSelect:
            if (state == (kStateFocus | kStateSelected)) {
                return Look(base, BMP_LOOK_PRESSED, true);
            }
            if (state == kStateDisabled) {
                return Look(base, BMP_LOOK_DISABLED);
            }
            if (state == kStateFocus) {
                return Look(base, BMP_LOOK_FOCUSED);
            }
            break;
        case kActionFocus:
            if (state == 0) {
                return Look(base, BMP_LOOK_NORMAL);
            }
            if (state == kStateDisabled) {
                return Look(base, BMP_LOOK_DISABLED);
            }
            if (state == kStateFocus) {
                return Look(base, BMP_LOOK_FOCUSED);
            }
            break;
    }
    return ButtonLook{};
}
