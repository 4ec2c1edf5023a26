// The About dialog: the product version, the current dictionary's title and its information
// lines, with an animated picture.
#pragma once

#include <windows.h>

#include "engine/dictionary.h"

// Shows About over owner until OK, Escape or the close box. The title and information lines
// come from the trailer of the current dictionary, in the interface language; for a language
// pair, second is the trailer of its second dictionary, whose lines follow the first one's. The
// information lines are drawn in listFont (the program's small Greek font).
void ShowAboutDialog(HWND owner, HINSTANCE instance, const char* textsFile, bool useGreek,
                     const DictionaryTrailer& dictionary, const DictionaryTrailer* second,
                     HFONT listFont);
