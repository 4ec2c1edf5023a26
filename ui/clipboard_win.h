// The lookup dialog's exchange with the clipboard (copy the selected translation out, look up
// the first word of the clipboard text) and the font of its word box, which follows the keyboard
// in use and the script of the text.
#pragma once

#include <windows.h>

// Enables the copy button when a translation is selected and the clipboard button when the
// clipboard holds text.
void UpdateClipboardButtons(HWND dialog);
// Gives word box 12003 the Greek or the Latin word font.
void SetWordBoxFont(HWND dialog, bool greek, bool redraw);
// After the program itself put a word in the box: its script decides the font, and the edit
// message that the change brings is skipped.
void FollowWordFont(HWND dialog);
// Puts the selected translation and one blank on the clipboard (as CF_TEXT and CF_UNICODETEXT).
void CopyTranslation(HWND dialog);
// Looks up the first word of the clipboard text.
void LookUpClipboardWord(HWND dialog);
// Message 9872, after each edit of the word box.
void ApplyWordFontRule(HWND dialog);

// True when the clipboard holds text in either form.
bool ClipboardHasText();
