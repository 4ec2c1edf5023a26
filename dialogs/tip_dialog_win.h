// The tip of the day: one numbered tip of the texts file on a painted panel, with an animated
// picture, "Next tip" and the "Show tips at start up" switch.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/settings.h"

// Where the tips come from and which one is today's.
struct TipSource {
    HINSTANCE instance = nullptr;
    const char* textsFile = "";          // the tips
    ProfileFile* settingsIni = nullptr;  // the user's settings INI, which keeps the switch
    bool useGreek = false;
    int16_t tipCount = 0;
    int16_t todayTip = 0;
};

// Shows today's tip over owner until the user closes the dialog. *showAtStart gives the
// switch's mark; a click on it changes *showAtStart and writes it at once (see WriteShowTips).
// Returns the number of the tip on show at the end.
int16_t ShowTipOfTheDayDialog(HWND owner, const TipSource& source, bool* showAtStart);
