// The system keyboard layout: whether it is Greek, and switching to US English for the driver.
#pragma once

// True when the layout of the current thread belongs to a language whose default code page is
// the Greek one (and only that).
bool IsGreekKeyboardLayout();

// Makes US English the active layout, moving it to the head of the layout list. Returns false
// when it could be neither found nor loaded.
bool ActivateUsEnglishLayout();
