// The tip of the day's counters and its "show at start up" switch.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

constexpr const char* kTipsSection = "Tips";
constexpr const char* kShowTipsKey = "ShowTips";
constexpr const char* kEnglishTipsSection = "English Tips";
constexpr const char* kGreekTipsSection = "Greek Tips";
constexpr size_t kTipTextSize = 27720;

// The tip after current: one more, back to 1 after the last (also when there are no tips).
int16_t NextTip(int16_t current, int16_t count);

// The switch as this user last set it in the settings INI; before the first change, the texts
// file's, else on.
bool ReadShowTips(ProfileFile& texts, ProfileFile* settingsIni);

// Writes the switch into the user's settings INI. The texts file beside the program is never
// written: a standard user cannot write an installed program's folder, an update replaces it,
// and the packages ship it as it was built. False when the INI did not take it.
bool WriteShowTips(ProfileFile* settingsIni, bool show);

// Reads tip number tip in the interface language into out (empty when missing).
void ReadTipText(ProfileFile& texts, int tip, bool useGreek, char* out, size_t size);
